#include "ConjectureEngineFixture.h"

#include "analysts/ConjectureEngine.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace
{

// The repeat rule as stated, point against every point kept before it.
Rows keptByRule(const Rows &rows)
{
    Rows kept;
    for (const auto &p : rows) {
        bool repeat = false;
        for (int k = 0; !repeat && k < kept.size(); ++k) {
            bool equal = true;
            for (int j = 0; equal && j < p.size(); ++j)
                equal = !(p[j] > kept[k][j] + 1e-6) && !(kept[k][j] - 1e-6 > p[j]);
            repeat = equal;
        }
        if (!repeat)
            kept << p;
    }
    return kept;
}

// Data sets with repeats, near-repeats and values placed where a fast repeat test could err.
Rows repeatData(const QString &name)
{
    Lcg r{42};
    Rows rows;
    // A shift that is a repeat (within 1e-6), one on the edge and ones that are not.
    const double shifts[] = {0.0, 4e-7, -9e-7, 1e-6, -1e-6, 1.1e-6, -2e-6, 3.5e-6};
    auto shifted = [&](QVector<double> p) {
        for (double &v : p)
            if (r.below(2))
                v += shifts[r.below(8)];
        return p;
    };
    if (name == QLatin1String("trees, shifted copies")) {
        for (const QVector<double> &t : treeRows())
            rows << t;
        for (int k = 0; k < 3000; ++k)
            rows << shifted(rows[r.below(rows.size())]);
    } else if (name == QLatin1String("chains below the tolerance")) {
        // Each value is a repeat of its neighbours but not of those two steps away.
        for (int k = 0; k < 400; ++k)
            rows << QVector<double>{k * 7e-7, 5.0};
        for (int k = 400; k > 0; --k)
            rows << QVector<double>{0.25 + k * 7e-7, 5.0 - k * 6e-7};
    } else if (name == QLatin1String("cell borders")) {
        // Values near odd multiples of 1/2048 in 3 coordinates, and in 14 at once.
        for (int dims : {3, 14}) {
            for (int k = 0; k < 3000; ++k) {
                QVector<double> p;
                for (int j = 0; j < dims; ++j)
                    p << (2 * r.below(6) + 1) / 2048.0 + (r.below(9) - 4) * 5e-7;
                rows << p;
            }
        }
        for (auto &p : rows)
            p.resize(14);
    } else if (name == QLatin1String("large and small magnitudes")) {
        // Near 2^33 a double's step is 1.9e-6, and the rounded q + 1e-6 reaches the next one: two
        // neighbours count as equal, here on both sides of a cell border.
        const double bases[] = {0.0,
                                -0.0,
                                1e-300,
                                34359738368.0,
                                -34359738368.0,
                                34359738367.9999995,
                                1e12,
                                -1e15,
                                3.0e17,
                                1.7e308,
                                -1.7e308,
                                123456.789,
                                8589934592.00048828125,
                                -8589934592.00048828125};
        for (int k = 0; k < 4000; ++k) {
            QVector<double> p;
            for (int j = 0; j < 3; ++j) {
                const double b = bases[r.below(14)];
                const int ulps = r.below(5) - 2;
                double v = b;
                for (int u = 0; u < std::abs(ulps); ++u)
                    v = std::nextafter(v, ulps > 0 ? HUGE_VAL : -HUGE_VAL);
                p << v + (std::fabs(b) < 1e6 ? shifts[r.below(8)] : 0.0);
            }
            rows << p;
        }
    } else if (name == QLatin1String("dense values")) {
        // Thousands of distinct values within one thousandth.
        for (int k = 0; k < 20000; ++k)
            rows << QVector<double>{r.unit() * 1e-3};
    } else {
        // Real values in 6 coordinates, a third of the rows shifted copies of earlier ones.
        for (int k = 0; k < 6000; ++k) {
            if (k > 0 && r.below(3) == 0) {
                rows << shifted(rows[r.below(rows.size())]);
                continue;
            }
            QVector<double> p;
            for (int j = 0; j < 6; ++j)
                p << (r.unit() - 0.5) * std::pow(10.0, j - 2);
            rows << p;
        }
    }
    return rows;
}

} // namespace

// The points the engine keeps, and the bounds it stores, without a search.
class TestConjecturePoints : public QObject
{
    Q_OBJECT

private slots:
    void addPoint_data();
    void addPoint();
    void repeatRule_data();
    void repeatRule();
    void store_data();
    void store();
};

// Points are given as "a,b;c,d" under a header of the first point's length ("" is one empty point).
void TestConjecturePoints::addPoint_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("points");
    QTest::addColumn<int>("held");
    QTest::newRow("empty point under empty header, then its repeat") << 0 << QStringList{"", ""} << 1;
    QTest::newRow("within 1e-6 is a repeat") << 2 << QStringList{"1,2", "1.0000005,2"} << 1;
    QTest::newRow("2e-6 apart is new") << 2 << QStringList{"1,2", "1.000002,2"} << 2;
    QTest::newRow("repeat of an earlier point") << 2 << QStringList{"1,2", "3,4", "1,2.0000001"} << 2;
    QTest::newRow("wrong lengths dropped") << 2 << QStringList{"1", "1,2,3", "1,2"} << 1;
    QTest::newRow("not finite dropped") << 2 << QStringList{"nan,1", "1,inf", "-inf,0", "5,5"} << 1;
}

void TestConjecturePoints::addPoint()
{
    QFETCH(int, columns);
    QFETCH(QStringList, points);
    QFETCH(int, held);
    ConjectureEngine engine(nullptr);
    QStringList header;
    for (int j = 0; j < columns; ++j)
        header << QStringLiteral("c%1").arg(j);
    engine.setHeader(header);
    for (const QString &p : points) {
        QVector<double> v;
        for (const QString &x : p.split(QLatin1Char(','), Qt::SkipEmptyParts))
            v << x.toDouble();
        engine.addPoint(v);
    }
    QCOMPARE(engine.nbPoints(), held);
    // A new header drops the points.
    engine.setHeader(header);
    QCOMPARE(engine.nbPoints(), 0);
}

// The points kept from data with repeats are exactly those of the rule applied point by point,
// also when the held points are asked for between two batches.
void TestConjecturePoints::repeatRule_data()
{
    QTest::addColumn<QString>("data");
    for (const char *name : {"trees, shifted copies", "chains below the tolerance", "cell borders",
                             "large and small magnitudes", "dense values", "real values, shifted copies"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestConjecturePoints::repeatRule()
{
    QFETCH(QString, data);
    const Rows rows = repeatData(data);
    const Rows expected = keptByRule(rows);
    QVERIFY(expected.size() < rows.size());
    ConjectureEngine engine(nullptr);
    QStringList header;
    for (int j = 0; j < rows.first().size(); ++j)
        header << QStringLiteral("c%1").arg(j);
    engine.setHeader(header);
    const int half = rows.size() / 2;
    for (int k = 0; k < half; ++k)
        engine.addPoint(rows[k]);
    QCOMPARE(engine.nbPoints(), keptByRule(rows.mid(0, half)).size());
    for (int k = half; k < rows.size(); ++k)
        engine.addPoint(rows[k]);
    const Rows held = engine.heldPoints();
    QCOMPARE(held.size(), expected.size());
    for (int k = 0; k < held.size(); ++k)
        QVERIFY2(held[k] == expected[k], qPrintable(QStringLiteral("kept point %1 differs").arg(k)));
}

// Coefficient vectors "c1,c2,constant" stored in order under target T and header (x, y); the lines
// emitted, joined by "|".
void TestConjecturePoints::store_data()
{
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QStringList>("vectors");
    QTest::addColumn<QString>("lines");
    QTest::newRow("upper") << true << QStringList{"2,-0.5,3"} << "T <= +2 x-0.5 y+3 [4 ; 1.25]";
    QTest::newRow("lower") << false << QStringList{"2,-0.5,3"} << "T >= +2 x-0.5 y+3 [4 ; 1.25]";
    QTest::newRow("tiny coefficients vanish") << true << QStringList{"1e-7,-1e-6,5e-7"} << "T <=  [4 ; 1.25]";
    QTest::newRow("negative constant, no first term")
        << true << QStringList{"0,1,-2.5"} << "T <= +1 y-2.5 [4 ; 1.25]";
    QTest::newRow("six significant digits")
        << true << QStringList{"1234567,0.1234567,0"} << "T <= +1.23457e+06 x+0.123457 y [4 ; 1.25]";
    QTest::newRow("relative repeat") << true << QStringList{"2,-0.5,3", "2.000001,-0.5,3"}
                                     << "T <= +2 x-0.5 y+3 [4 ; 1.25]";
    QTest::newRow("absolute repeat") << true << QStringList{"0.5,0,0", "0.5000009,0,0"}
                                     << "T <= +0.5 x [4 ; 1.25]";
    QTest::newRow("absolute difference above tolerance")
        << true << QStringList{"0.5,0,0", "0.500002,0,0"}
        << "T <= +0.5 x [4 ; 1.25]|T <= +0.500002 x [4 ; 1.25]";
}

void TestConjecturePoints::store()
{
    QFETCH(bool, upper);
    QFETCH(QStringList, vectors);
    QFETCH(QString, lines);
    ConjectureEngine engine(nullptr);
    engine.setHeader({"x", "y"});
    engine.setUpper(upper);
    engine.setTarget(QStringLiteral("T"));
    QSignalSpy spy(&engine, &ConjectureEngine::signal_conjecture);
    for (const QString &v : vectors) {
        QVector<double> c;
        for (const QString &x : v.split(QLatin1Char(',')))
            c << x.toDouble();
        engine.store(c, 4, 1.25);
    }
    QStringList emitted;
    for (const auto &args : spy)
        emitted << args.at(0).toString();
    QCOMPARE(emitted.join(QLatin1Char('|')), lines);
    QCOMPARE(engine.getConjectures().size(), emitted.size());
    QCOMPARE(engine.getConjectures().first().getFormula(),
             emitted.first().section(QStringLiteral(" ["), 0, 0));
}

QTEST_MAIN(TestConjecturePoints)
#include "tst_conjecturepoints.moc"
