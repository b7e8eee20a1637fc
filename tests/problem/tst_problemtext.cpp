#include "graph/Graph.h"
#include "graph/Random.h"
#include "optimisation/ProblemSnapshot.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Eval.h"
#include "problem/Problem.h"
#include "problem/Z.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"
#include "problem/invConstant.h"
#include "problem/invPARAM.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <iostream>
#include <memory>
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

// The board as a list of lines, read through the items' own accessors (not through the problem
// text), so that two boards can be compared field by field.
QStringList shape(Problem &p)
{
    QStringList out;
    const QVector<Calculus *> &eval = p.evaluationStack();
    auto describe = [&](const QString &stack, Calculus *c) {
        c->applyChanges();
        QStringList f;
        f << stack << c->name << c->getGivenName();
        f << QString::number(c->inReport()) << QString::number(c->nodInReport())
          << QString::number(c->vecInReport()) << QString::number(c->isInvertGraph());
        f << QString::number(c->pos().x(), 'g', 17) << QString::number(c->pos().y(), 'g', 17);
        for (int k = 1; k <= 4; ++k)
            f << QString::number(eval.indexOf(c->argument(k)));
        if (auto *z = dynamic_cast<Z *>(c))
            f << (z->isMin() ? QStringLiteral("min") : QStringLiteral("max"));
        if (dynamic_cast<invConstant *>(c)) {
            f << QStringLiteral("%1x%2").arg(c->rows).arg(c->cols);
            for (int i = 0; i < c->rows; ++i)
                for (int j = 0; j < c->cols; ++j)
                    f << QString::number(c->M[i][j], 'g', 17);
        }
        out << f.join(QLatin1Char('|'));
    };
    for (Calculus *c : eval)
        describe(QStringLiteral("eval"), c);
    for (Calculus *c : p.familyStack())
        describe(QStringLiteral("family"), c);
    for (Calculus *c : p.constraintStack())
        describe(QStringLiteral("constraint"), c);
    for (Calculus *c : p.objectiveStack())
        describe(QStringLiteral("objective"), c);
    describe(QStringLiteral("display"), p.getColors());
    describe(QStringLiteral("display"), p.getLabels());
    describe(QStringLiteral("display"), p.getELabels());
    out << QStringLiteral("title|") + p.userTitle() << QStringLiteral("description|") + p.userDescription();
    return out;
}

QStringList makeable(const QStringList &keywords)
{
    BuildCalculus catalogue;
    QStringList out;
    for (const QString &k : keywords) {
        Calculus *c = catalogue.makeCalculus(k, false);
        if (c)
            out << k;
        delete c;
    }
    return out;
}

QString randomText(int length)
{
    static const QString alphabet = QStringLiteral("abcXYZ 09\t\n\r<NEW>_é");
    QString s;
    for (int i = 0; i < length; ++i)
        s += alphabet.at(tsy_rand(alphabet.size()));
    if (tsy_rand(3) == 0)
        s += QStringLiteral("<NEW>");
    return s;
}

double sixDigits()
{
    // Values that 'g' with 6 significant digits writes exactly.
    return double(tsy_rand(2000001) - 1000000) / 1000.0;
}

bool (Problem::*linkOp(int k))(Calculus *, Calculus *)
{
    static bool (Problem::*ops[4])(Calculus *, Calculus *) = {&Problem::link1, &Problem::link2,
                                                              &Problem::link3, &Problem::link4};
    return ops[k - 1];
}

// A random board: items of every kind the factory makes, random arguments among earlier items,
// random flags, names, positions, constants and directions, and a title and a description full of
// separators.
void buildRandomBoard(Problem &p, bool gui)
{
    BuildCalculus catalogue;
    const QStringList invariants = makeable({"ORDER", "SIZE", "DEGREES", "WIENER", "ADJACENCY", "DEGMAX"});
    const QStringList operators = makeable({"+", "-", "*", "SUM", "MAX", "ABS"});
    const QStringList constraints = makeable({"<=", ">=", "==", "<", ">"});
    const QStringList families = makeable({"TREE", "PATH", "STAR"});

    const int items = 3 + tsy_rand(10);
    for (int i = 0; i < items; ++i) {
        const int kind = tsy_rand(6);
        Calculus *c = nullptr;
        if (kind == 0 && !invariants.isEmpty()) {
            c = catalogue.makeCalculus(invariants.at(tsy_rand(invariants.size())), gui);
            p.addInvariantItem(c);
        } else if (kind == 1 && !operators.isEmpty()) {
            c = catalogue.makeCalculus(operators.at(tsy_rand(operators.size())), gui);
            p.addOperatorItem(c);
        } else if (kind == 2) {
            c = catalogue.makeConstant(gui);
            const int r = tsy_rand(4), cl = tsy_rand(4);
            QVector<double> values;
            for (int v = 0; v < r * cl; ++v)
                values << sixDigits();
            static_cast<invConstant *>(c)->loadData(r, cl, values);
            p.addOperatorItem(c);
        } else if (kind == 3 && !constraints.isEmpty()) {
            c = catalogue.makeCalculus(constraints.at(tsy_rand(constraints.size())), gui);
            p.addConstraintItem(c);
        } else if (kind == 4 && !families.isEmpty()) {
            c = catalogue.makeCalculus(families.at(tsy_rand(families.size())), gui);
            p.addFamilyItem(c);
        } else {
            c = catalogue.makeCalculus(tsy_rand(2) ? QStringLiteral("Z") : QStringLiteral("OBJECTIVE"), gui);
            c->setMin(tsy_rand(2) == 0);
            p.addZItem(c);
        }
    }
    // Flags, names and positions of every item; arguments from earlier evaluation-stack items.
    QVector<Calculus *> all =
        p.evaluationStack() + p.familyStack() + p.constraintStack() + p.objectiveStack();
    all << p.getColors() << p.getLabels() << p.getELabels();
    for (Calculus *c : all) {
        c->setPos(sixDigits(), sixDigits());
        c->setInReport(tsy_rand(2));
        const int mode = tsy_rand(3);
        c->setNodInReport(mode == 1);
        c->setVecInReport(mode == 2);
        c->setInvertGraph(tsy_rand(2));
        c->setGivenName(tsy_rand(2) ? randomText(tsy_rand(12)) : QString());
        const QVector<Calculus *> &eval = p.evaluationStack();
        int limit = eval.indexOf(c);
        if (limit < 0)
            limit = eval.size();
        for (int k = 1; k <= 4 && limit > 0; ++k)
            if (tsy_rand(2))
                (p.*linkOp(k))(eval.at(tsy_rand(limit)), c);
    }
    p.slot_set_title(randomText(20));
    p.slot_set_description(randomText(60));
}

const QString emptyDesc = QStringLiteral("DESC\t\t");

struct Refusal {
    QString text;
    QString console;
    QString standardError;
};
} // namespace

Q_DECLARE_METATYPE(QVector<double>)

class TestProblemText : public QObject
{
    Q_OBJECT

private slots:
    void roundTripRandomBoards_data();
    void roundTripRandomBoards();
    void roundTripWithInterface();
    void exampleText();
    void refusals_data();
    void refusals();
    void truncatedRecords_data();
    void truncatedRecords();
    void acceptedTexts_data();
    void acceptedTexts();
    void separatorsInTitleAndNames_data();
    void separatorsInTitleAndNames();
    void itemLimit_data();
    void itemLimit();
    void duplicateParameterRecords();
    void parametersExistAfterEveryRead_data();
    void parametersExistAfterEveryRead();
    void unlistedKeywordIsEvaluatedAndSaved();
    void garbage_data();
    void garbage();
    void descriptionSignals();
    void cloneKeepsProblemAndSettings();
    void parameterValueIsNotSaved();
};

void TestProblemText::roundTripRandomBoards_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestProblemText::roundTripRandomBoards()
{
    QFETCH(quint32, seed);
    tsy_srand(seed);
    Graph g(QStringLiteral("g"), false);
    g.randomGraph(6);
    Problem original(&g, QStringLiteral("original"), false);
    buildRandomBoard(original, false);
    const QString text = original.saveString();

    Problem copy(&g, QStringLiteral("copy"), false);
    QVERIFY(copy.openString(text));
    QCOMPARE(shape(copy), shape(original));
    QCOMPARE(copy.saveString(), text);
    QVERIFY(!original.userTitle().contains(QLatin1Char('\t')));
    QVERIFY(!original.userDescription().contains(QStringLiteral("<NEW>")));

    // Reading into a board that already holds a problem replaces it entirely.
    QVERIFY(original.openString(text));
    QCOMPARE(shape(original), shape(copy));

    // Through a problem file: the same text and the same evaluation.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("random.tsy3"));
    QVERIFY(original.save(path));
    Problem fromFile(&g, QStringLiteral("file"), false);
    QVERIFY(fromFile.open(path));
    QCOMPARE(fromFile.saveString(), text);
    Eval before, after;
    original.eval(&before);
    fromFile.eval(&after);
    QCOMPARE(after.display(), before.display());
}

void TestProblemText::roundTripWithInterface()
{
    tsy_srand(77);
    Graph g(QStringLiteral("g"), false);
    g.randomGraph(5);
    Problem original(&g, QStringLiteral("problem"), true);
    buildRandomBoard(original, true);
    const QString text = original.saveString();
    Problem copy(&g, QStringLiteral("problem"), true);
    QVERIFY(copy.openString(text));
    QCOMPARE(shape(copy), shape(original));
    QCOMPARE(copy.saveString(), text);
    for (Calculus *c : copy.evaluationStack() + copy.objectiveStack()) {
        QCOMPARE(c->scene(), copy.scene());
        QVERIFY(!c->isItemSelected());
    }
    // The headless board reads what the board with an interface wrote, and the other way round.
    Problem headless(&g, QStringLiteral("clone"), false);
    QVERIFY(headless.openString(text));
    QCOMPARE(headless.saveString(), text);
}

void TestProblemText::exampleText()
{
    // A board with the invariant ORDER (given name n) minimised, title T, no description.
    BuildCalculus catalogue;
    Calculus *order = catalogue.makeCalculus(QStringLiteral("ORDER"), false);
    if (!order)
        QSKIP("ORDER is not made by the factory yet");
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    p.addInvariantItem(order);
    order->setGivenName(QStringLiteral("n"));
    order->setInReport(true);
    order->setPos(84.5, -12);
    Calculus *z = catalogue.makeCalculus(QStringLiteral("Z"), false);
    p.addZItem(z);
    z->setPos(90, 150);
    p.link1(order, z);
    p.slot_set_title(QStringLiteral("T"));
    const QString expected = QStringLiteral("ORDER\tn\t1\t0\t0\t0\t84.5\t-12\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "PARAM 2\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "PARAM 1\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "Z\t\t0\t0\t0\t0\t90\t150\t0\tNULL\tNULL\tNULL\tmin<NEW>"
                                            "Colors\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "Labels\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "E_Labels\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                            "DESC\tT\t");
    p.getColors()->setPos(0, 0);
    p.getLabels()->setPos(0, 0);
    p.getELabels()->setPos(0, 0);
    QCOMPARE(p.saveString(), expected);
}

void TestProblemText::refusals_data()
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

void TestProblemText::refusals()
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

void TestProblemText::truncatedRecords_data()
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

void TestProblemText::truncatedRecords()
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

void TestProblemText::acceptedTexts_data()
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

void TestProblemText::acceptedTexts()
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

void TestProblemText::separatorsInTitleAndNames_data()
{
    // Every way a problem is copied: its text, problem files, the autosave file, the settings
    // store, a worker's clone and the snapshot a job starts from.
    QTest::addColumn<QString>("copy");
    for (const char *copy : {"text", "file", "autosave", "settings", "clone", "snapshot"})
        QTest::newRow(copy) << copy;
}

void TestProblemText::separatorsInTitleAndNames()
{
    QFETCH(QString, copy);
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    p.slot_set_title(QStringLiteral("a\tb\nc<NEW>d"));
    p.slot_set_description(QStringLiteral("line 1\nline 2\r\n\tx<NEW>y\r\n\nlast\rend"));
    p.getParam1()->setGivenName(QStringLiteral("p\tq\nr\r\ns<NEW>t"));
    // Tabs become blanks and "<NEW>" is broken up; the title and the description keep the user's
    // line breaks (one kind of them), a given name heads an analyst column and keeps none.
    const QString title = QStringLiteral("a b\nc<NEW >d");
    const QString description = QStringLiteral("line 1\nline 2\n x<NEW >y\n\nlast\nend");
    const QString givenName = QStringLiteral("p q r  s<NEW >t");
    QCOMPARE(p.userTitle(), title);
    QCOMPARE(p.userDescription(), description);
    QCOMPARE(p.getParam1()->getGivenName(), givenName);
    const QString text = p.saveString();
    QCOMPARE(text.count(QStringLiteral("<NEW>")), 5);
    QCOMPARE(text.count(QLatin1Char('\t')), 5 * 11 + 2);

    QTemporaryDir dir;
    std::unique_ptr<Problem> q;
    if (copy == QLatin1String("clone")) {
        q.reset(p.clone());
    } else {
        q = std::make_unique<Problem>(&g, QStringLiteral("q"), false);
        if (copy == QLatin1String("text")) {
            QVERIFY(q->openString(text));
        } else if (copy == QLatin1String("file")) {
            const QString path = dir.filePath(QStringLiteral("p.tsy3"));
            QVERIFY(p.save(path));
            QVERIFY(q->open(path));
        } else if (copy == QLatin1String("autosave")) {
            p.setWD(dir.path());
            q->setWD(dir.path());
            QVERIFY(p.autosave());
            QVERIFY(q->autoload());
        } else if (copy == QLatin1String("settings")) {
            const QString store = dir.filePath(QStringLiteral("store.ini"));
            {
                QSettings settings(store, QSettings::IniFormat);
                settings.setValue(QStringLiteral("problem"), p.saveString());
            }
            QSettings settings(store, QSettings::IniFormat);
            QVERIFY(q->openString(settings.value(QStringLiteral("problem")).toString()));
        } else {
            QVERIFY(ProblemSnapshot::take(&p, &g).applyTo(q.get()));
        }
    }
    QCOMPARE(q->userTitle(), title);
    QCOMPARE(q->userDescription(), description);
    QCOMPARE(q->getParam1()->getGivenName(), givenName);
    QCOMPARE(q->saveString(), text);
}

void TestProblemText::itemLimit_data()
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
void TestProblemText::itemLimit()
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

void TestProblemText::duplicateParameterRecords()
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

void TestProblemText::parametersExistAfterEveryRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("description only") << QStringLiteral("DESC\tt\td") << true;
    QTest::newRow("failed read") << QStringLiteral("NOPE\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL")
                                 << false;
    QTest::newRow("missing field") << QStringLiteral("x") << false;
}

void TestProblemText::parametersExistAfterEveryRead()
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

void TestProblemText::unlistedKeywordIsEvaluatedAndSaved()
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

void TestProblemText::garbage_data()
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

void TestProblemText::garbage()
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

void TestProblemText::descriptionSignals()
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

void TestProblemText::cloneKeepsProblemAndSettings()
{
    tsy_srand(3);
    Graph g(QStringLiteral("g"), false);
    g.randomGraph(7);
    Problem p(&g, QStringLiteral("problem"), true);
    buildRandomBoard(p, true);
    p.setDiameter(true);
    p.setDiameterIntType(1);
    p.setDiameterValue(3);
    p.setDegmax(true);
    p.setDegmaxIntType(0);
    p.setDegmaxValue(5);
    p.setRegular(true);
    p.setRegDegree(3);
    p.setNbArcs(12);
    p.setNbNod(7);
    p.setConnected(false);
    p.setConnectedBar(true);
    p.setChemical(true);
    p.slot_set_max_eval(9);
    Problem *c = p.clone();
    QCOMPARE(c->getName(), QStringLiteral("clone"));
    QVERIFY(!c->hasGui());
    QCOMPARE(c->scene(), nullptr);
    QCOMPARE(c->getGraph(), &g);
    QCOMPARE(c->saveString(), p.saveString());
    QCOMPARE(c->getDiameter(), true);
    QCOMPARE(c->getDiameterType(), 1);
    QCOMPARE(c->getDiameterValue(), 3);
    QCOMPARE(c->getDegmax(), true);
    QCOMPARE(c->getDegmaxType(), 0);
    QCOMPARE(c->getDegmaxValue(), 5);
    QCOMPARE(c->getRegular(), true);
    QCOMPARE(c->getRegDegree(), 3);
    QCOMPARE(c->getFixNbArcs(), true);
    QCOMPARE(c->getNbArcs(), 12);
    QCOMPARE(c->getNbNod(), 7);
    QCOMPARE(c->getConnected(), false);
    QCOMPARE(c->getConnectedBar(), true);
    QCOMPARE(c->getChemical(), true);
    QCOMPARE(c->getMaxEval(), 0);
    for (Calculus *item : c->evaluationStack() + c->objectiveStack())
        QCOMPARE(item->getCalculusDisplay(), nullptr);
    delete c;
}

void TestProblemText::parameterValueIsNotSaved()
{
    // The search sets the parameters for every job: a read gives them their first value again.
    Graph g(QStringLiteral("g"), false);
    Problem board(&g, QStringLiteral("t"), false);
    board.setP1(42);
    QCOMPARE(board.getParam1()->getParam(), 42);
    Problem copy(&g, QStringLiteral("copy"), false);
    QVERIFY(copy.openString(board.saveString()));
    QCOMPARE(copy.getParam1()->getParam(), 10);
    g.addNode();
    copy.compute(true);
    QCOMPARE(copy.getParam1()->getValue(1), 10.0);
}

QTEST_MAIN(TestProblemText)
#include "tst_problemtext.moc"
