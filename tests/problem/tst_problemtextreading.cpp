#include "ProblemTextFixture.h"

#include "graph/Graph.h"
#include "problem/Eval.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <iostream>
#include <sstream>

namespace
{
// Collects what the code under test writes on the standard error stream.
class StderrCapture
{
public:
    StderrCapture() : old(std::cerr.rdbuf(buffer.rdbuf())) {}
    ~StderrCapture() { std::cerr.rdbuf(old); }
    QStringList lines() const
    {
        return QString::fromLocal8Bit(buffer.str().c_str()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    std::ostringstream buffer;
    std::streambuf *old;
};

const QString emptyDesc = QStringLiteral("DESC\t\t");

struct Refusal {
    QString text;
    QString console;
    QString standardError;
};
} // namespace

Q_DECLARE_METATYPE(QVector<double>)

// Problem texts read by the board: what is refused and leaves the board as it was, what is
// accepted and how, the item limit, and texts of random characters.
class TestProblemTextReading : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void truncatedRecords_data();
    void truncatedRecords();
    void acceptedTexts_data();
    void acceptedTexts();
    void itemLimit_data();
    void itemLimit();
    void duplicateParameterRecords();
    void parametersExistAfterEveryRead_data();
    void parametersExistAfterEveryRead();
    void unlistedKeywordIsEvaluatedAndSaved();
    void garbage_data();
    void garbage();
    void descriptionSignals();
};

void TestProblemTextReading::refusals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("console");
    QTest::addColumn<QString>("standardError");

    const QString head = QStringLiteral("\t\t0\t0\t0\t0\t0\t0\t");
    const QString nulls = QStringLiteral("NULL\tNULL\tNULL\tNULL");
    const QString constant = QStringLiteral("CONSTANT") + head + nulls;
    const QString missing = QStringLiteral("Critical error, missing argument.");
    const QString invalid = QStringLiteral("Critical error, invalid value in loading constant.");
    const QString loading = QStringLiteral("Problem : ERROR LOADING CONSTANT");

    QTest::newRow("empty text") << QString() << missing
                                << QStringLiteral("Critical error, missing argument.");
    QTest::newRow("trailing separator without description")
        << QStringLiteral("PARAM 1") + head + nulls + QStringLiteral("<NEW>") << missing
        << QStringLiteral("Critical error, missing argument.");
    QTest::newRow("unknown keyword") << QStringLiteral("NOPE") + head + nulls
                                     << "NOPE is not a valid name in problem description."
                                     << "NOPE is not a valid name in problem description.";
    QTest::newRow("desc in lower case")
        << QStringLiteral("desc") + head + nulls << "desc is not a valid name in problem description."
        << "desc is not a valid name in problem description.";
    QTest::newRow("forward reference")
        << QStringLiteral("Z") + head + QStringLiteral("2\tNULL\tNULL\tNULL\tmin")
        << "Critical error, wrong argument for Z"
        << "Critical error, wrong argument for Z";
    QTest::newRow("negative index") << QStringLiteral("Z") + head +
                                           QStringLiteral("-1\tNULL\tNULL\tNULL\tmin")
                                    << "Critical error, wrong argument for Z"
                                    << "Critical error, wrong argument for Z";
    QTest::newRow("index that is no number")
        << QStringLiteral("Z") + head + QStringLiteral("one\tNULL\tNULL\tNULL\tmin")
        << "Critical error, wrong argument for Z"
        << "Critical error, wrong argument for Z";
    const QString c11 = constant + QStringLiteral("\t1\t1\t0<NEW>");
    QTest::newRow("self reference") << c11 + c11 + QStringLiteral("CONSTANT") + head +
                                           QStringLiteral("2\tNULL\tNULL\tNULL\t1\t1\t5")
                                    << "*Critical error, wrong argument for CONSTANT"
                                    << "*Critical error, wrong argument for CONSTANT";
    QTest::newRow("argument 2 missing")
        << QStringLiteral("Z") + head + QStringLiteral("NULL") << "Critical error, wrong argument for Z"
        << "Critical error, wrong argument for Z";
    QTest::newRow("constant argument 4 missing")
        << QStringLiteral("CONSTANT") + head + QStringLiteral("NULL\tNULL\tNULL")
        << "*Critical error, wrong argument for CONSTANT"
        << "*Critical error, wrong argument for CONSTANT";
    QTest::newRow("objective without direction")
        << QStringLiteral("Z") + head + nulls << "Critical error, wrong argument for Z"
        << "Critical error, wrong argument for Z";
    QTest::newRow("OBJECTIVE without direction")
        << QStringLiteral("OBJECTIVE") + head + nulls << "Critical error, wrong argument for OBJECTIVE"
        << "Critical error, wrong argument for OBJECTIVE";
    QTest::newRow("constant without sizes") << constant << loading << loading;
    QTest::newRow("constant with rows only") << constant + QStringLiteral("\t1") << loading << loading;
    QTest::newRow("constant rows 33") << constant + QStringLiteral("\t33\t1") << invalid
                                      << "Critical error, invalid value in loading constant";
    QTest::newRow("constant rows -1") << constant + QStringLiteral("\t-1\t1") << invalid
                                      << "Critical error, invalid value in loading constant";
    QTest::newRow("constant rows not a number") << constant + QStringLiteral("\tx\t1") << invalid
                                                << "Critical error, invalid value in loading constant";
    QTest::newRow("constant rows huge") << constant + QStringLiteral("\t99999999999\t1") << invalid
                                        << "Critical error, invalid value in loading constant";
    QTest::newRow("constant cols 33") << constant + QStringLiteral("\t1\t33") << invalid << invalid;
    QTest::newRow("constant too few values")
        << constant + QStringLiteral("\t2\t2\t1\t2\t3") << loading << "Problem : ERROR LOADING CONSTANT.";
    QTest::newRow("constant too many values") << constant + QStringLiteral("\t2\t2\t1\t2\t3\t4\t5") << loading
                                              << "Problem : ERROR LOADING CONSTANT.";
    QString many;
    for (int i = 0; i <= Problem::MaxItemRecords; ++i)
        many += QStringLiteral("PARAM 1") + head + nulls + QStringLiteral("<NEW>");
    QTest::newRow("too many records")
        << many + emptyDesc << "Critical error, too many items in problem description."
        << "Critical error, too many items in problem description.";
    // An error after good records: nothing of the text reaches the board.
    QTest::newRow("error after good records") << constant + QStringLiteral("\t1\t1\t7<NEW>Z") + head +
                                                     QStringLiteral("0\tNULL\tNULL\tNULL\tmin<NEW>NOPE") +
                                                     head + nulls + QStringLiteral("<NEW>") + emptyDesc
                                              << "NOPE is not a valid name in problem description."
                                              << "NOPE is not a valid name in problem description.";
}

void TestProblemTextReading::refusals()
{
    QFETCH(QString, text);
    QFETCH(QString, console);
    QFETCH(QString, standardError);

    Graph g(QStringLiteral("g"), false);
    g.randomGraph(5);
    Problem p(&g, QStringLiteral("t"), false);
    tsy_srand(5);
    buildRandomBoard(p, false);
    const QStringList before = shape(p);
    const QString textBefore = p.saveString();

    QSignalSpy consoleSpy(&p, &Problem::signal_console);
    QSignalSpy titleSpy(&p, &Problem::signal_problem_title);
    bool ok = true;
    QStringList errLines;
    {
        StderrCapture capture;
        ok = p.openString(text);
        errLines = capture.lines();
    }
    QVERIFY(!ok);
    QCOMPARE(consoleSpy.count(), 1);
    QCOMPARE(consoleSpy.at(0).at(0).toString(), console);
    QCOMPARE(consoleSpy.at(0).at(1).toBool(), false);
    QCOMPARE(consoleSpy.at(0).at(2).toInt(), 0);
    QCOMPARE(consoleSpy.at(0).at(3).value<QColor>(), QColor(Qt::red));
    QCOMPARE(errLines, QStringList{standardError});
    QCOMPARE(titleSpy.count(), 0);
    QCOMPARE(shape(p), before);
    QCOMPARE(p.saveString(), textBefore);
}

void TestProblemTextReading::truncatedRecords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("standardError");

    // A record cut before field k (1 = given name ... 8 = argument 1) reports k dots.
    const QStringList fields{"Z", "name", "1", "0", "0", "0", "10", "20", "NULL"};
    for (int k = 1; k <= 8; ++k) {
        const QString record = QStringList(fields.mid(0, k)).join(QLatin1Char('\t'));
        QTest::newRow(qPrintable(QStringLiteral("before field %1").arg(k)))
            << record + QStringLiteral("<NEW>") + emptyDesc
            << QStringLiteral("Critical error, missing argument") + QString(k, QLatin1Char('.'));
    }
}

void TestProblemTextReading::truncatedRecords()
{
    QFETCH(QString, text);
    QFETCH(QString, standardError);
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    const QStringList before = shape(p);
    QSignalSpy consoleSpy(&p, &Problem::signal_console);
    QStringList errLines;
    {
        StderrCapture capture;
        QVERIFY(!p.openString(text));
        errLines = capture.lines();
    }
    QCOMPARE(errLines, QStringList{standardError});
    QCOMPARE(consoleSpy.at(0).at(0).toString(), QStringLiteral("Critical error, missing argument."));
    QCOMPARE(shape(p), before);
}

void TestProblemTextReading::acceptedTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("evaluation");   // keywords of the evaluation stack
    QTest::addColumn<QString>("objective");        // "min", "max" or "" for none
    QTest::addColumn<QVector<double>>("constant"); // values of the first constant, row by row
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");

    const QString head = QStringLiteral("\t\t0\t0\t0\t0\t0\t0\t");
    const QString nulls = QStringLiteral("NULL\tNULL\tNULL\tNULL");
    const QString c11 = QStringLiteral("CONSTANT") + head + nulls + QStringLiteral("\t1\t1\t0");
    const QStringList params{"PARAM 2", "PARAM 1"};

    QTest::newRow("no description record") << c11 << (params + QStringList{"CONSTANT"}) << QString()
                                           << QVector<double>{0} << QString() << QString();
    QTest::newRow("description only")
        << QStringLiteral("DESC\tT\tD") << params << QString() << QVector<double>{} << "T"
        << "D";
    QTest::newRow("description without fields")
        << QStringLiteral("DESC") << params << QString() << QVector<double>{} << QString() << QString();
    QTest::newRow("tab inside the description")
        << QStringLiteral("DESC\tT\tone\ttwo") << params << QString() << QVector<double>{} << "T"
        << "one two";
    QTest::newRow("records after the description are ignored")
        << QStringLiteral("DESC\tT\tD<NEW>") + c11 << params << QString() << QVector<double>{} << "T"
        << "D";
    QTest::newRow("Z tail MIN maximises")
        << c11 + QStringLiteral("<NEW>Z") + head + QStringLiteral("0\tNULL\tNULL\tNULL\tMIN<NEW>") + emptyDesc
        << (params + QStringList{"CONSTANT"}) << "max" << QVector<double>{0} << QString() << QString();
    QTest::newRow("OBJECTIVE min") << c11 + QStringLiteral("<NEW>OBJECTIVE") + head +
                                          QStringLiteral("0\tNULL\tNULL\tNULL\tmin\textra<NEW>") + emptyDesc
                                   << (params + QStringList{"CONSTANT"}) << "min" << QVector<double>{0}
                                   << QString() << QString();
    QTest::newRow("constant 0 x 0") << QStringLiteral("CONSTANT") + head + nulls + QStringLiteral("\t0\t0")
                                    << (params + QStringList{"CONSTANT"}) << QString() << QVector<double>{}
                                    << QString() << QString();
    QTest::newRow("constant 2 x 2") << QStringLiteral("CONSTANT") + head + nulls +
                                           QStringLiteral("\t2\t2\t1.5\t-2\t1e+06\t0.333333")
                                    << (params + QStringList{"CONSTANT"}) << QString()
                                    << QVector<double>{1.5, -2, 1e6, 0.333333} << QString() << QString();
    QString big = QStringLiteral("CONSTANT") + head + nulls + QStringLiteral("\t32\t32");
    QVector<double> bigValues;
    for (int i = 0; i < 32 * 32; ++i) {
        big += QStringLiteral("\t") + QString::number(i);
        bigValues << i;
    }
    QTest::newRow("constant 32 x 32")
        << big << (params + QStringList{"CONSTANT"}) << QString() << bigValues << QString() << QString();
    QTest::newRow("flags true and empty, x not a number")
        << QStringLiteral("PARAM 1\t\ttrue\t\t1\t0\tabc\t5\tNULL\tNULL\tNULL\tNULL<NEW>") + emptyDesc
        << QStringList{"PARAM 2", "PARAM 1"} << QString() << QVector<double>{} << QString() << QString();
    QTest::newRow("missing PARAM 2 made at the front")
        << QStringLiteral("PARAM 1") + head + nulls << QStringList{"PARAM 2", "PARAM 1"} << QString()
        << QVector<double>{} << QString() << QString();
}

void TestProblemTextReading::acceptedTexts()
{
    QFETCH(QString, text);
    QFETCH(QStringList, evaluation);
    QFETCH(QString, objective);
    QFETCH(QVector<double>, constant);
    QFETCH(QString, title);
    QFETCH(QString, description);

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    QSignalSpy consoleSpy(&p, &Problem::signal_console);
    QVERIFY(p.openString(text));
    QCOMPARE(consoleSpy.count(), 1);
    QCOMPARE(consoleSpy.at(0).at(0).toString(), QStringLiteral("Problem loaded"));
    QCOMPARE(consoleSpy.at(0).at(3).value<QColor>(), QColor(Qt::black));

    QStringList keywords;
    Calculus *firstConstant = nullptr;
    for (Calculus *c : p.evaluationStack()) {
        keywords << c->name;
        if (!firstConstant && c->name == QLatin1String("CONSTANT"))
            firstConstant = c;
    }
    QCOMPARE(keywords, evaluation);
    QVERIFY(p.getParam1() && p.getParam2());
    if (objective.isEmpty()) {
        QVERIFY(p.objectiveStack().isEmpty());
    } else {
        QCOMPARE(p.objectiveStack().size(), 1);
        auto *z = static_cast<Z *>(p.objectiveStack().at(0));
        QCOMPARE(z->name, QStringLiteral("Z"));
        QCOMPARE(z->isMin(), objective == QLatin1String("min"));
        QCOMPARE(z->argument(1), firstConstant);
    }
    if (firstConstant) {
        QVector<double> values;
        for (int i = 0; i < firstConstant->rows; ++i)
            for (int j = 0; j < firstConstant->cols; ++j)
                values << firstConstant->M[i][j];
        QCOMPARE(values, constant);
    }
    QCOMPARE(p.userTitle(), title);
    QCOMPARE(p.userDescription(), description);

    // The same text from a problem file gives the same board.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("accepted.tsy3")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(text.toLatin1()) == text.size());
    file.close();
    Problem fromFile(&g, QStringLiteral("file"), false);
    QVERIFY(fromFile.open(file.fileName()));
    QCOMPARE(fromFile.saveString(), p.saveString());

    // The flags of a record are exactly "1" or false; a position that is no number reads 0.
    if (QTest::currentDataTag() == QLatin1String("flags true and empty, x not a number")) {
        Calculus *param1 = p.getParam1();
        QVERIFY(!param1->inReport());
        QVERIFY(param1->vecInReport());
        QCOMPARE(param1->pos(), QPointF(0, 5));
    }
}

void TestProblemTextReading::itemLimit_data()
{
    QTest::addColumn<int>("invariants");      // "ORDER" records
    QTest::addColumn<bool>("withParameters"); // records of the parameters and the display items
    QTest::addColumn<bool>("accepted");
    // Three display records and two parameters besides the invariants fill a board.
    const int full = Problem::MaxItemRecords - 5;
    QTest::newRow("full board") << full << true << true;
    QTest::newRow("full once the reader adds the parameters") << full << false << true;
    QTest::newRow("one more once the reader adds the parameters") << full + 1 << false << false;
    QTest::newRow("one more") << full + 1 << true << false;
}

// Whatever a board holds saves to a text that reads back: the reader and the board share one
// limit, and a full board takes no further item, whichever way it comes.
void TestProblemTextReading::itemLimit()
{
    QFETCH(int, invariants);
    QFETCH(bool, withParameters);
    QFETCH(bool, accepted);
    const QString head = QStringLiteral("\t\t0\t0\t0\t0\t0\t0\t");
    const QString nulls = QStringLiteral("NULL\tNULL\tNULL\tNULL<NEW>");
    QString text;
    for (int i = 0; i < invariants; ++i)
        text += QStringLiteral("ORDER") + head + nulls;
    if (withParameters)
        for (const char *keyword : {"PARAM 2", "PARAM 1", "Colors", "Labels", "E_Labels"})
            text += QLatin1String(keyword) + head + nulls;
    text += emptyDesc;

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(QStringLiteral("3 111")));
    Problem p(&g, QStringLiteral("t"), false);
    const QString empty = p.saveString();
    QSignalSpy console(&p, &Problem::signal_console);
    {
        StderrCapture quiet;
        QCOMPARE(p.openString(text), accepted);
    }
    if (!accepted) {
        QCOMPARE(p.saveString(), empty);
        QCOMPARE(console.last().at(0).toString(),
                 QStringLiteral("Critical error, too many items in problem description."));
        return;
    }
    const QString saved = p.saveString();
    Problem copy(&g, QStringLiteral("copy"), false);
    QVERIFY(copy.openString(saved));
    QCOMPARE(copy.saveString(), saved);

    BuildCalculus catalogue;
    console.clear();
    QVERIFY(!p.placeItem(QStringLiteral("SIZE")));
    p.addInvariantItem(catalogue.makeCalculus(QStringLiteral("SIZE"), false));
    p.addInvariantItemLoadMode(catalogue.makeCalculus(QStringLiteral("SIZE"), false));
    p.addOperatorItem(catalogue.makeConstant(false));
    p.addFamilyItem(catalogue.makeCalculus(catalogue.invariantsFam.first(), false));
    p.addConstraintItem(catalogue.makeCalculus(catalogue.constraints.first(), false));
    p.addZItem(catalogue.makeCalculus(QStringLiteral("Z"), false));
    QCOMPARE(p.saveString(), saved);
    QCOMPARE(console.size(), 7);
    for (const QList<QVariant> &message : qAsConst(console)) {
        QCOMPARE(message.at(0).toString(),
                 QStringLiteral("Item not added: the board is full (a problem holds "
                                "at most 997 items, its two parameters included)."));
        QCOMPARE(message.at(3).value<QColor>(), QColor(Qt::red));
    }
}

void TestProblemTextReading::duplicateParameterRecords()
{
    const QString head = QStringLiteral("\t\t0\t0\t0\t0\t0\t0\t");
    const QString nulls = QStringLiteral("NULL\tNULL\tNULL\tNULL");
    const QString text = QStringLiteral("PARAM 1") + head + nulls + QStringLiteral("<NEW>PARAM 1") + head +
                         nulls + QStringLiteral("<NEW>Z") + head +
                         QStringLiteral("0\tNULL\tNULL\tNULL\tmin<NEW>Z") + head +
                         QStringLiteral("1\tNULL\tNULL\tNULL\tmin<NEW>") + emptyDesc;
    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(QStringLiteral("3 111")));
    Problem p(&g, QStringLiteral("t"), false);
    QVERIFY(p.openString(text));
    QCOMPARE(p.evaluationStack().size(), 3); // both records kept, "PARAM 2" made
    p.setP1(17);
    Eval e;
    p.eval(&e);
    QCOMPARE(e.sizeZ(), 2);
    QCOMPARE(e.zvalue(0), 17.0);
    QCOMPARE(e.zvalue(1), 17.0);
}

void TestProblemTextReading::parametersExistAfterEveryRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("description only") << QStringLiteral("DESC\tt\td") << true;
    QTest::newRow("failed read") << QStringLiteral("NOPE\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL")
                                 << false;
    QTest::newRow("missing field") << QStringLiteral("x") << false;
}

void TestProblemTextReading::parametersExistAfterEveryRead()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), true);
    p.clear();
    QCOMPARE(p.getParam1(), nullptr);
    QCOMPARE(p.openString(text), ok);
    QVERIFY(p.getParam1());
    QVERIFY(p.getParam2());
    QCOMPARE(p.evaluationStack().at(0), static_cast<Calculus *>(p.getParam2()));
    QCOMPARE(p.evaluationStack().at(1), static_cast<Calculus *>(p.getParam1()));
    QVERIFY(!p.getParam1()->isVisible());
    QCOMPARE(p.getParam1()->zValue(), 1100.0);
    p.setUseP1(true);
    QVERIFY(p.getParam1()->isVisible());
    p.setP1(4);
    QCOMPARE(p.getParam1()->getParam(), 4);
}

void TestProblemTextReading::unlistedKeywordIsEvaluatedAndSaved()
{
    BuildCalculus catalogue;
    QString keyword;
    for (const QString &k : BuildCalculus::unlistedInvariants()) {
        Calculus *c = catalogue.makeCalculus(k, false);
        if (c && catalogue.type(k) == 0) {
            keyword = k;
            delete c;
            break;
        }
        delete c;
    }
    if (keyword.isEmpty())
        QSKIP("the factory makes no unlisted keyword yet");
    const QString record = keyword + QStringLiteral("\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>");
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    QVERIFY(p.openString(record + emptyDesc));
    QCOMPARE(p.evaluationStack().size(), 3);
    QCOMPARE(p.evaluationStack().at(2)->name, keyword);
    QVERIFY(p.saveString().startsWith(QStringLiteral("PARAM 2")));
    QVERIFY(p.saveString().contains(record));
}

void TestProblemTextReading::garbage_data()
{
    QTest::addColumn<QString>("text");
    tsy_srand(99);
    for (int i = 0; i < 20; ++i) {
        QString s;
        const int length = tsy_rand(400);
        for (int j = 0; j < length; ++j)
            s += QChar(ushort(tsy_rand(300)));
        QTest::newRow(qPrintable(QStringLiteral("random %1").arg(i))) << s;
    }
    QTest::newRow("NUL bytes") << QString(
                                      QStringLiteral("PARAM 1\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL"))
                                      .replace(QLatin1Char('\t'), QChar(0));
    QTest::newRow("NUL inside fields") << QStringLiteral("PARAM 1\t") + QChar(0) +
                                              QStringLiteral("\t1\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL");
    QTest::newRow("huge text") << QString(2000000, QLatin1Char('x'));
    QTest::newRow("huge number of tabs") << QStringLiteral("CONSTANT") + QString(200000, QLatin1Char('\t'));
    QTest::newRow("huge position") << QStringLiteral(
        "PARAM 1\t\t0\t0\t0\t0\t1e308\t-inf\tNULL\tNULL\tNULL\tNULL");
    QTest::newRow("only separators") << QString(5000, QLatin1Char('<')) + QStringLiteral("<NEW><NEW><NEW>");
}

void TestProblemTextReading::garbage()
{
    QFETCH(QString, text);
    Graph g(QStringLiteral("g"), false);
    g.randomGraph(4);
    Problem p(&g, QStringLiteral("t"), false);
    bool ok = false;
    {
        StderrCapture capture;
        ok = p.openString(text);
    }
    QVERIFY(p.getParam1() && p.getParam2());
    // Whatever was read, the board evaluates and writes a text that reads back.
    Eval e;
    p.eval(&e);
    QVERIFY(e.size() >= 2);
    const QString again = p.saveString();
    Problem q(&g, QStringLiteral("q"), false);
    QVERIFY(q.openString(again));
    QCOMPARE(q.saveString(), again);
    if (ok) {
        for (Calculus *c : p.evaluationStack()) {
            QVERIFY(std::isfinite(c->pos().x()));
            QVERIFY(std::isfinite(c->pos().y()));
        }
    }
}

void TestProblemTextReading::descriptionSignals()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    QStringList order;
    connect(&p, &Problem::signal_problem_description, this,
            [&order](const QString &d) { order << QStringLiteral("description:") + d; });
    connect(&p, &Problem::signal_problem_title, this,
            [&order](const QString &t) { order << QStringLiteral("title:") + t; });
    QVERIFY(p.openString(QStringLiteral("DESC\tMy title\tMy text")));
    QCOMPARE(order, (QStringList{"description:My text", "title:My title"}));
    order.clear();
    QVERIFY(p.openString(QStringLiteral("PARAM 1\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL")));
    QVERIFY(order.isEmpty());
    QCOMPARE(p.userTitle(), QStringLiteral("My title")); // kept without a description record
}

QTEST_MAIN(TestProblemTextReading)
#include "tst_problemtextreading.moc"
