#include "ConjectureEngineFixture.h"

#include "analysts/ConjectureEngine.h"
#include "dialogs/RunWindow.h"
#include "support/TestData.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace
{

// A bound as written: relation, then (coefficient, term name) pairs and a constant.
struct WrittenBound {
    bool upper = true;
    QVector<QPair<double, QString>> terms;
    double constant = 0.0;
};

// Reads a formula "T <= +2 x-0.5 y+3" back from its text alone.
WrittenBound parseFormula(const QString &formula, const QString &target)
{
    WrittenBound b;
    const QString le = target + QStringLiteral(" <= ");
    const QString ge = target + QStringLiteral(" >= ");
    b.upper = formula.startsWith(le);
    const QString rest = formula.mid((b.upper ? le : ge).size());
    static const QRegularExpression term(QStringLiteral("([+-][0-9.]+(?:e[+-]?[0-9]+)?)(?: ([^ +-]+))?"));
    auto it = term.globalMatch(rest);
    while (it.hasNext()) {
        const auto m = it.next();
        const double c = m.captured(1).toDouble();
        if (m.captured(2).isEmpty())
            b.constant = c;
        else
            b.terms.append({c, m.captured(2)});
    }
    return b;
}

// The value of a term named as the engine names it, from the variables of one row.
double termValue(const QString &name, const QHash<QString, double> &vars)
{
    if (vars.contains(name))
        return vars.value(name);
    if (name.endsWith(QLatin1String("^2"))) {
        const double v = termValue(name.chopped(2), vars);
        return v * v;
    }
    if (name.startsWith(QLatin1String("SQRT(|")))
        return std::sqrt(std::fabs(termValue(name.mid(6).chopped(2), vars)));
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']'))) {
        const QString inner = name.mid(1).chopped(1);
        const int star = inner.indexOf(QLatin1Char('*'));
        return termValue(inner.left(star), vars) * termValue(inner.mid(star + 1), vars);
    }
    qFatal("unknown term %s", qPrintable(name));
    return 0.0;
}

double boundValue(const WrittenBound &b, const QHash<QString, double> &vars)
{
    double f = b.constant;
    for (const auto &t : b.terms)
        f += t.first * termValue(t.second, vars);
    return f;
}

// Rows ORDER, SIZE, WIENER of every connected graph on 7 vertices.
Rows connected7Rows()
{
    Rows rows;
    for (const QString &line : readDataLines(QStringLiteral("plot_connected7.txt"))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        rows.append({7.0, f[0].toDouble(), f[1].toDouble()});
    }
    return rows;
}

// Rows ONE, X, Y with Y = X / 3 exactly and X in the millions.
Rows thirdsRows()
{
    Rows rows;
    for (int k = 1; k <= 8; ++k)
        rows.append({1.0, 1000003.0 * k, 1000003.0 * k / 3.0});
    return rows;
}

// Rows A, B, Y on a 7 x 7 grid with scattered values of Y: points in general position for the
// terms of A and B.
Rows gridRows()
{
    Rows rows;
    for (int i = 0; i < 49; ++i) {
        const double a = i % 7 + 1;
        rows.append({a, double(i / 7 + 1), double(i * 37 % 50) + 0.5 * a});
    }
    return rows;
}

Rows namedRows(const QString &name)
{
    if (name == QLatin1String("grid"))
        return gridRows();
    if (name == QLatin1String("trees"))
        return treeRows();
    if (name == QLatin1String("connected7"))
        return connected7Rows();
    return thirdsRows();
}

struct Search {
    QStringList lines;
    QVector<Conjecture> conjectures;
};

Search runSearch(ConjectureEngine &engine, const QStringList &header, const Rows &rows, const QString &target,
                 bool upper, const QString &options, int ms)
{
    const QStringList words = options.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    engine.clear();
    engine.setSq(words.contains(QLatin1String("sq")));
    engine.setSqrt(words.contains(QLatin1String("sqrt")));
    engine.setProd(words.contains(QLatin1String("prod")));
    engine.setCombine(words.contains(QLatin1String("combine")));
    engine.setHeader(header);
    engine.setUpper(upper);
    engine.setTarget(target);
    for (const auto &r : rows)
        engine.addPoint(r);
    engine.setTimeLimit(ms);
    QSignalSpy spy(&engine, &ConjectureEngine::signal_conjecture);
    engine.start();
    engine.wait();
    Search s;
    for (const auto &args : spy)
        s.lines << args.at(0).toString();
    s.conjectures = engine.getConjectures();
    return s;
}

} // namespace

// Searches for bounds: why one cannot start, bounds that hold on known extremes, the ways a search
// stops, and searches with many terms.
class TestConjectureEngine : public QObject
{
    Q_OBJECT

private slots:
    void messages_data();
    void messages();
    void knownBounds_data();
    void knownBounds();
    void stops_data();
    void stops();
    void manyTerms_data();
    void manyTerms();
    void longFitStops_data();
    void longFitStops();
    void tableTooLarge();
};

// A search that cannot start reports why (and nothing else) and still closes its progress window.
// Rows are made of `rows` distinct points over the header's columns.
void TestConjectureEngine::messages_data()
{
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("message");
    const QString unknown = QStringLiteral("Cannot find conjecture: unknown target variable.");
    const QString few = QStringLiteral("Not enough data points to find conjectures. ");
    QTest::newRow("empty header") << QStringList{} << 0 << "T"
                                  << "" << unknown;
    QTest::newRow("empty target name") << QStringList{"a", "T"} << 5 << ""
                                       << "" << unknown;
    QTest::newRow("target differs in case") << QStringList{"a", "T"} << 5 << "t"
                                            << "" << unknown;
    QTest::newRow("target column only") << QStringList{"T"} << 4 << "T"
                                        << "" << few + "0 4";
    QTest::newRow("no rows") << QStringList{"a", "b", "T"} << 0 << "T"
                             << "" << few + "2 0";
    QTest::newRow("one row short") << QStringList{"a", "b", "T"} << 3 << "T"
                                   << "" << few + "2 3";
    QTest::newRow("squares, roots, products") << QStringList{"a", "b", "T"} << 17 << "T"
                                              << "sq sqrt prod" << few + "9 17";
    QTest::newRow("products over all terms") << QStringList{"a", "b", "T"} << 53 << "T"
                                             << "sq sqrt prod combine" << few + "27 53";
    QTest::newRow("combine without products") << QStringList{"a", "b", "T"} << 3 << "T"
                                              << "combine" << few + "2 3";
    QTest::newRow("products over the variables only") << QStringList{"a", "b", "c", "T"} << 17 << "T"
                                                      << "sq prod" << few + "12 17";
    // Too few points for 324 terms is told as such (with enough points the search runs: manyTerms).
    QTest::newRow("324 terms, 3 points")
        << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "T"} << 3 << "T"
        << "sq sqrt prod combine" << few + "324 3";
    QTest::newRow("324 terms, 647 points")
        << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "T"} << 647 << "T"
        << "sq sqrt prod combine" << few + "324 647";
}

void TestConjectureEngine::messages()
{
    QFETCH(QStringList, header);
    QFETCH(int, rows);
    QFETCH(QString, target);
    QFETCH(QString, options);
    QFETCH(QString, message);
    Rows data;
    for (int r = 0; r < rows; ++r) {
        QVector<double> p;
        for (int j = 0; j < header.size(); ++j)
            p << r * (j + 1) + j * j;
        data << p;
    }
    RunWindow window(QStringLiteral("Searching conjectures"));
    ConjectureEngine engine(&window);
    QSignalSpy closed(&engine, &ConjectureEngine::signal_cancel);
    const Search s = runSearch(engine, header, data, target, false, options, 30000);
    QCOMPARE(s.lines, QStringList{message});
    QCOMPARE(closed.count(), 1);
    QVERIFY(engine.inLoadMode());
    QCOMPARE(engine.nbPoints(), 0);
}

// Known extremes: among trees of order n the star has the least Wiener index (n-1)^2 and the path
// the largest (n^3-n)/6; a connected graph of order 7 with m edges has Wiener index at least
// 42 - m, with equality exactly when its diameter is at most 2 (some graph for every m from 6 to 21).
// Every bound written must hold on every row; the tightest must touch the most points possible and
// pass through the known extremes: `at` lists x values of the varying column, `expected` the bound's
// values there.
void TestConjectureEngine::knownBounds_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("options");
    QTest::addColumn<int>("touching");
    QTest::addColumn<QVector<double>>("at");
    QTest::addColumn<QVector<double>>("expected");
    const QStringList trees{"ORDER", "SIZE", "WIENER"};
    auto path = [](double n) { return (n * n * n - n) / 6.0; };
    // The only line above the three paths through two of them is the chord from n = 8 to n = 10.
    QTest::newRow("trees, upper") << "trees" << trees << true << "" << 2 << QVector<double>{8, 10}
                                  << QVector<double>{path(8), path(10)};
    // (n-1)^2 is convex: a line below it touches two consecutive stars.
    QTest::newRow("trees, lower") << "trees" << trees << false << "" << 2 << QVector<double>{}
                                  << QVector<double>{};
    QTest::newRow("connected 7, lower") << "connected7" << trees << false << "" << 16
                                        << QVector<double>{6, 13, 21} << QVector<double>{36, 29, 21};
    QTest::newRow("grid, upper, roots and products")
        << "grid" << QStringList{"A", "B", "Y"} << true << "sqrt prod" << 0 << QVector<double>{}
        << QVector<double>{};
    QTest::newRow("grid, lower, squares and combined products")
        << "grid" << QStringList{"A", "B", "Y"} << false << "sq prod combine" << 0 << QVector<double>{}
        << QVector<double>{};
    QTest::newRow("thirds in the millions, upper")
        << "thirds" << QStringList{"ONE", "X", "Y"} << true << "" << 8 << QVector<double>{3000009}
        << QVector<double>{1000003};
    QTest::newRow("target named twice: the later column")
        << "thirds" << QStringList{"Y", "X", "Y"} << true << "" << 8 << QVector<double>{3000009}
        << QVector<double>{1000003};
    QTest::newRow("thirds in the millions, lower") << "thirds" << QStringList{"ONE", "X", "Y"} << false << ""
                                                   << 8 << QVector<double>{} << QVector<double>{};
}

void TestConjectureEngine::knownBounds()
{
    QFETCH(QString, data);
    QFETCH(QStringList, header);
    QFETCH(bool, upper);
    QFETCH(QString, options);
    QFETCH(int, touching);
    QFETCH(QVector<double>, at);
    QFETCH(QVector<double>, expected);
    const Rows rows = namedRows(data);
    RunWindow window(QStringLiteral("Searching conjectures"));
    ConjectureEngine engine(&window);
    engine.setSeed(7);
    const QString target = header.last();
    const Search s = runSearch(engine, header, rows, target, upper, options, 1500);

    QVERIFY(!s.lines.isEmpty());
    QCOMPARE(s.lines.last(), QStringLiteral("---"));
    QCOMPARE(s.lines.size() - 1, s.conjectures.size());
    QVERIFY(!s.conjectures.isEmpty());
    for (const Conjecture &c : s.conjectures) {
        const WrittenBound b = parseFormula(c.getFormula(), target);
        QCOMPARE(b.upper, upper);
        for (const auto &r : rows) {
            QHash<QString, double> vars;
            for (int j = 0; j + 1 < header.size(); ++j)
                vars.insert(header[j], r[j]);
            const double f = boundValue(b, vars);
            const double y = r.last();
            if (upper ? y - f > 1e-6 : f - y > 1e-6)
                QFAIL(qPrintable(c.getFormula() + QStringLiteral(" fails on a row with value ") +
                                 QString::number(y, 'g', 17)));
        }
    }
    for (int k = 0; k + 1 < s.conjectures.size(); ++k)
        QVERIFY(!(s.conjectures[k] < s.conjectures[k + 1]));
    if (touching == 0)
        return;
    QCOMPARE(s.conjectures.first().getTouching(), touching);
    const WrittenBound top = parseFormula(s.conjectures.first().getFormula(), target);
    for (int k = 0; k < at.size(); ++k) {
        // The varying column is the second; the first is constant (7 or 1) or tied to it (trees).
        QHash<QString, double> vars;
        vars.insert(header[0], data == QLatin1String("trees") ? at[k] : rows[0][0]);
        vars.insert(header[1], data == QLatin1String("trees") ? at[k] - 1 : at[k]);
        QVERIFY2(std::fabs(boundValue(top, vars) - expected[k]) < 1e-3 * qMax(1.0, std::fabs(expected[k])),
                 qPrintable(s.conjectures.first().getFormula()));
    }
}

// A long search ends at once on cancel() or on the progress window's Cancel, and at its time limit;
// after cancel() has returned it reports no further bound, only its end mark.
void TestConjectureEngine::stops_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel") << "cancel";
    QTest::newRow("progress window") << "window";
    QTest::newRow("time limit") << "limit";
}

void TestConjectureEngine::stops()
{
    QFETCH(QString, how);
    RunWindow window(QStringLiteral("Searching conjectures"));
    ConjectureEngine engine(&window);
    const Rows rows = gridRows();
    engine.clear();
    engine.setSq(false);
    engine.setSqrt(true);
    engine.setProd(true);
    engine.setCombine(false);
    engine.setHeader({"A", "B", "Y"});
    engine.setUpper(false);
    engine.setTarget(QStringLiteral("Y"));
    for (const auto &r : rows)
        engine.addPoint(r);
    engine.setTimeLimit(how == QLatin1String("limit") ? 400 : 600000);

    std::atomic<bool> afterCancel{false};
    std::atomic<int> bounds{0};
    std::atomic<int> lateBounds{0};
    QVector<int> ticks;
    connect(
        &engine, &ConjectureEngine::signal_conjecture, this,
        [&](const QString &line) {
            if (line == QLatin1String("---"))
                return;
            ++bounds;
            if (afterCancel)
                ++lateBounds;
        },
        Qt::DirectConnection);
    connect(
        &engine, &ConjectureEngine::signal_current, this, [&](int ms) { ticks << ms; }, Qt::DirectConnection);
    QElapsedTimer clock;
    clock.start();
    engine.start();
    if (how != QLatin1String("limit")) {
        QTRY_VERIFY_WITH_TIMEOUT(bounds >= 3, 20000);
        if (how == QLatin1String("cancel")) {
            engine.cancel();
            afterCancel = true;
        } else {
            window.slot_cancel();
        }
    }
    // No hang: the bound is a safety net, far above the time a stop takes.
    QVERIFY(engine.wait(20000));
    QCOMPARE(lateBounds.load(), 0);
    QVERIFY(bounds > 0 || how == QLatin1String("limit"));
    if (how == QLatin1String("limit")) {
        QVERIFY(!ticks.isEmpty());
        for (int k = 0; k < ticks.size(); ++k) {
            QCOMPARE(ticks[k] % 100, 0);
            QVERIFY(ticks[k] < 400);
            if (k > 0)
                QVERIFY(ticks[k] > ticks[k - 1]);
        }
    }
    QVERIFY(engine.inLoadMode());
}

// More candidate terms than points of a small search: 8 variables with squares, roots and the
// products of all 24 of them give 324 terms, fitted through 324 of 700 rows. The target is an
// exact function of two terms, so that function is the bound through every row; every other
// bound reported must hold on every row, as read back from its text.
void TestConjectureEngine::manyTerms_data()
{
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper, linear") << true << "2a-b+3"
                                   << "Y <= +2 a-1 b+3";
    QTest::newRow("lower, product") << false << "ab"
                                    << "Y >= +1 [a*b]";
}

void TestConjectureEngine::manyTerms()
{
    QFETCH(bool, upper);
    QFETCH(QString, function);
    QFETCH(QString, expected);
    const QStringList header{"a", "b", "c", "d", "e", "f", "g", "h", "Y"};
    Rows rows;
    quint32 state = 12345;
    for (int r = 0; r < 700; ++r) {
        QVector<double> p;
        for (int j = 0; j < 8; ++j) {
            state = state * 1664525u + 1013904223u;
            p << double(state >> 16 & 0xff) / 32.0 + 1.0;
        }
        p << (function == QLatin1String("ab") ? p[0] * p[1] : 2 * p[0] - p[1] + 3);
        rows << p;
    }
    RunWindow window(QStringLiteral("Searching conjectures"));
    ConjectureEngine engine(&window);
    engine.setSeed(3);
    const Search s = runSearch(engine, header, rows, QStringLiteral("Y"), upper,
                               QStringLiteral("sq sqrt prod combine"), 2000);
    QVERIFY(!s.lines.isEmpty());
    QCOMPARE(s.lines.last(), QStringLiteral("---"));
    QVERIFY(!s.conjectures.isEmpty());
    // Terms can coincide on the data (SQRT(|a|)*SQRT(|a|) is a), so the function may also be
    // written otherwise; its plain form must be among the bounds through every row.
    QCOMPARE(s.conjectures.first().getTouching(), rows.size());
    bool found = false;
    for (const Conjecture &c : s.conjectures)
        found = found || (c.getFormula() == expected && c.getTouching() == rows.size());
    QVERIFY2(found, qPrintable(s.lines.join(QLatin1Char('\n'))));
    for (const Conjecture &c : s.conjectures) {
        const WrittenBound b = parseFormula(c.getFormula(), QStringLiteral("Y"));
        QCOMPARE(b.upper, upper);
        for (const auto &r : rows) {
            QHash<QString, double> vars;
            for (int j = 0; j < 8; ++j)
                vars.insert(header[j], r[j]);
            const double f = boundValue(b, vars);
            if (upper ? r.last() - f > 1e-6 : f - r.last() > 1e-6)
                QFAIL(qPrintable(c.getFormula() + QStringLiteral(" fails on a row")));
        }
    }
}

// 33 variables with squares, roots and combined products give 5,049 terms: one fit through 5,049
// of 10,098 rows takes minutes. Cancel, the progress window's Cancel and the time limit must end
// the search while it fits; nothing but the end mark is reported (the first fit of a search is
// never stored).
void TestConjectureEngine::longFitStops_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel") << "cancel";
    QTest::newRow("progress window") << "window";
    QTest::newRow("time limit") << "limit";
}

void TestConjectureEngine::longFitStops()
{
    QFETCH(QString, how);
    const int m = 33;
    const int terms = 3 * m * (3 * m + 1) / 2 + 3 * m;
    QStringList header;
    for (int j = 0; j < m; ++j)
        header << QStringLiteral("x%1").arg(j);
    header << QStringLiteral("Y");
    // Values in general position, so that the elimination runs through every column.
    Lcg random{7};
    Rows rows;
    for (int r = 0; r < 2 * terms; ++r) {
        QVector<double> p;
        for (int j = 0; j <= m; ++j)
            p << 1.0 + 4.0 * random.unit();
        rows << p;
    }
    RunWindow window(QStringLiteral("Searching conjectures"));
    ConjectureEngine engine(&window);
    engine.clear();
    engine.setSq(true);
    engine.setSqrt(true);
    engine.setProd(true);
    engine.setCombine(true);
    engine.setHeader(header);
    engine.setUpper(true);
    engine.setTarget(QStringLiteral("Y"));
    for (const auto &r : rows)
        engine.addPoint(r);
    QCOMPARE(engine.nbPoints(), rows.size());
    engine.setTimeLimit(how == QLatin1String("limit") ? 1500 : 600000);
    QSignalSpy lines(&engine, &ConjectureEngine::signal_conjecture);
    QSignalSpy closed(&engine, &ConjectureEngine::signal_cancel);
    engine.start();
    if (how != QLatin1String("limit")) {
        // The terms are built in well under this; the first fit is then under way.
        QTest::qWait(1500);
        QVERIFY(engine.isRunning());
        if (how == QLatin1String("cancel"))
            engine.cancel();
        else
            window.slot_cancel();
    }
    // No hang: far below the minutes of one whole fit.
    QVERIFY(engine.wait(30000));
    QCOMPARE(lines.count(), 1);
    QCOMPARE(lines.at(0).at(0).toString(), QStringLiteral("---"));
    QCOMPARE(closed.count(), 1);
    QVERIFY(engine.inLoadMode());
}

// 100 variables with squares, roots and combined products give 45,450 terms; on 90,900 rows
// their values and the fit's matrix need about 63 GiB. The search says so instead of being killed
// for want of memory.
void TestConjectureEngine::tableTooLarge()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (meminfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : meminfo.readAll().split('\n'))
            if (line.startsWith("MemAvailable:") &&
                line.mid(13).trimmed().split(' ').first().toLongLong() > 66LL << 20)
                QSKIP("This machine can hold the table.");
    }
    const int m = 100;
    QStringList header;
    for (int j = 0; j < m; ++j)
        header << QStringLiteral("x%1").arg(j);
    header << QStringLiteral("Y");
    Rows rows;
    for (int r = 0; r < 90900; ++r) {
        QVector<double> p(m + 1);
        for (int j = 0; j <= m; ++j)
            p[j] = j == 0 ? r : r * (j + 1) % 997 + j;
        rows << p;
    }
    RunWindow window(QStringLiteral("Searching conjectures"));
    ConjectureEngine engine(&window);
    QSignalSpy closed(&engine, &ConjectureEngine::signal_cancel);
    const Search s = runSearch(engine, header, rows, QStringLiteral("Y"), true,
                               QStringLiteral("sq sqrt prod combine"), 30000);
    QCOMPARE(s.lines.size(), 1);
    QVERIFY2(s.lines.first().startsWith(
                 QStringLiteral("Not enough memory to find conjectures: 45450 terms on 90900 points need ")),
             qPrintable(s.lines.first()));
    QCOMPARE(closed.count(), 1);
    QVERIFY(engine.inLoadMode());
}

QTEST_MAIN(TestConjectureEngine)
#include "tst_conjectureengine.moc"
