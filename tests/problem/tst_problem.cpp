#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/Constraint.h"
#include "problem/Eval.h"
#include "problem/Invariant.h"
#include "problem/Link.h"
#include "problem/Problem.h"
#include "problem/Z.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"
#include "problem/invConstant.h"
#include "problem/invPARAM.h"
#include "support/TestData.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <cmath>
#include <limits>

using Values = QVector<double>;

namespace
{
// A constraint whose penalty the test sets directly.
class FixedConstraint : public Constraint
{
public:
    double value = 0.0;
    bool fail = false;
    void recompute() override
    {
        rows = 1;
        cols = 1;
        M[0][0] = value;
        if (fail)
            error = true;
    }
};

// An invariant that counts its computations; its value is the number of edges.
class CountingInvariant : public Invariant
{
public:
    int computations = 0;
    CountingInvariant() { name = QStringLiteral("COUNTING"); }
    void recompute() override
    {
        ++computations;
        rows = 1;
        cols = 1;
        M[0][0] = graph->getNbEdges();
    }
};

invConstant *headlessConstant(const Values &column)
{
    auto *c = new invConstant(false);
    c->loadData(column.size(), 1, column);
    return c;
}

// The path 0-1-2-3.
const QString pathP4 = QStringLiteral("4 101001");
} // namespace

class TestProblem : public QObject
{
    Q_OBJECT

private slots:
    void newBoard();
    void settingRules_data();
    void settingRules();
    void penalties_data();
    void penalties();
    void evalLayout_data();
    void evalLayout();
    void constraintsLastFirst();
    void errorFlagLeadsTheRecord_data();
    void errorFlagLeadsTheRecord();
    void objectiveValues_data();
    void objectiveValues();
    void evaluationLimit_data();
    void evaluationLimit();
    void evaluationWithoutGraph();
    void linkSamePairTwiceRemoves();
    void linkRepointsExistingArrow();
    void refusedLinksLeaveNothing_data();
    void refusedLinksLeaveNothing();
    void addInvariantGoesToFront();
    void unneededItemsAreNotComputed();
    void parameterReachesObjective_data();
    void parameterReachesObjective();
    void parameterVisibility();
    void boardWithInterfaceDrawsItems();
    void publishingFromWorkerIsQueued();
    void headlessCopyWorksOnWorkerThread();
    void displayItemsPublishToGraph();
    void dumpListsRecords();
};

void TestProblem::newBoard()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("problem"), true);
    QCOMPARE(p.evaluationStack().size(), 2);
    QCOMPARE(p.evaluationStack().at(0)->name, QStringLiteral("PARAM 2"));
    QCOMPARE(p.evaluationStack().at(1)->name, QStringLiteral("PARAM 1"));
    QVERIFY(!p.evaluationStack().at(0)->isVisible());
    QVERIFY(!p.evaluationStack().at(1)->isVisible());
    QVERIFY(p.familyStack().isEmpty());
    QVERIFY(p.constraintStack().isEmpty());
    QVERIFY(p.objectiveStack().isEmpty());
    // A new board asks for a connected graph on 10 vertices and nothing else.
    Eval e;
    QVERIFY(g.loadCurrentGraph(QStringLiteral("10 000000000000000000000000000000000000000000000")));
    p.eval(&e);
    QCOMPARE(e.display(), QStringLiteral("[0][0][9]"));
}

void TestProblem::settingRules_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("degmaxType");
    QTest::addColumn<int>("diameterType");
    QTest::addColumn<bool>("fixNbArcs");

    QTest::newRow("regular on fixes the size") << "regular on" << -1 << -1 << true;
    QTest::newRow("regular off keeps the size fixed") << "regular on off" << -1 << -1 << true;
    QTest::newRow("degmax code 2 ignored") << "degmax int 2" << -1 << -1 << false;
    QTest::newRow("degmax code 1") << "degmax int 1" << 1 << -1 << false;
    QTest::newRow("degmax text ==") << "degmax ==" << 0 << -1 << false;
    QTest::newRow("degmax text =< ignored") << "degmax =<" << -1 << -1 << false;
    QTest::newRow("diameter text >=") << "diameter >=" << -1 << 1 << false;
    QTest::newRow("diameter code -2 ignored") << "diameter int -2" << -1 << -1 << false;
}

void TestProblem::settingRules()
{
    QFETCH(QString, action);
    QFETCH(int, degmaxType);
    QFETCH(int, diameterType);
    QFETCH(bool, fixNbArcs);

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    const QStringList words = action.split(QLatin1Char(' '));
    if (words.at(0) == QLatin1String("regular")) {
        p.setRegular(true);
        if (words.size() > 2)
            p.setRegular(false);
    } else if (words.at(0) == QLatin1String("degmax")) {
        if (words.at(1) == QLatin1String("int"))
            p.setDegmaxIntType(words.at(2).toInt());
        else
            p.setDegmaxType(words.at(1));
    } else {
        if (words.at(1) == QLatin1String("int"))
            p.setDiameterIntType(words.at(2).toInt());
        else
            p.setDiameterType(words.at(1));
    }
    QCOMPARE(p.getDegmaxType(), degmaxType);
    QCOMPARE(p.getDiameterType(), diameterType);
    QCOMPARE(p.getFixNbArcs(), fixNbArcs);
}

void TestProblem::penalties_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<Values>("expected");
    const QStringList lines = readDataLines(QStringLiteral("penalties_reference.txt"));
    // Every graph on at most 6 vertices and a few larger ones: a missing file must not pass.
    QVERIFY2(lines.size() > 200, "tests/data/penalties_reference.txt is missing or short");
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        QVERIFY(f.size() == 14);
        Values v;
        for (int i = 1; i < f.size(); ++i)
            v << f.at(i).toDouble();
        QTest::newRow(qPrintable(f.at(0).left(40))) << f.at(0) << v;
    }
}

void TestProblem::penalties()
{
    QFETCH(QString, graph);
    QFETCH(Values, expected);
    enum { N, Mm, Conn, ConnBar, Chem, DmLe, DmEq, DmGe, DiLe, DiEq, DiGe, Reg2, Reg3 };

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(graph));
    Problem p(&g, QStringLiteral("t"), false);
    p.setNbNod(5);
    p.setNbArcs(4);
    QCOMPARE(p.isNbNod(), std::fabs(expected[N] - 5));
    QCOMPARE(p.isFixNbArcs(), std::fabs(expected[Mm] - 4));
    QCOMPARE(p.isConnected(), expected[Conn]);
    QCOMPARE(p.isConnectedBar(), expected[ConnBar]);
    QCOMPARE(p.isChemical(), expected[Chem]);
    p.setDegmaxValue(3);
    const int relations[3] = {-1, 0, 1};
    for (int r = 0; r < 3; ++r) {
        p.setDegmaxIntType(relations[r]);
        QCOMPARE(p.isDegmax(), expected[DmLe + r]);
    }
    p.setDiameterValue(2);
    for (int r = 0; r < 3; ++r) {
        p.setDiameterIntType(relations[r]);
        QCOMPARE(p.isDiameter(), expected[DiLe + r]);
    }
    p.setRegDegree(2);
    QCOMPARE(p.isRegular(), expected[Reg2]);
    p.setRegDegree(3);
    QCOMPARE(p.isRegular(), expected[Reg3]);

    // Every penalty switched on: the record holds them in their documented order.
    p.setConnected(true);
    p.setConnectedBar(true);
    p.setFixNbArcs(true);
    p.setRegular(true);
    p.setDiameter(true);
    p.setDiameterIntType(0);
    p.setDegmax(true);
    p.setDegmaxIntType(0);
    p.setChemical(true);
    Eval e;
    p.eval(&e);
    const Values layout{0.0,
                        std::fabs(expected[N] - 5),
                        expected[ConnBar],
                        expected[Conn],
                        std::fabs(expected[Mm] - 4),
                        expected[Reg3],
                        expected[DiEq],
                        expected[DmEq],
                        expected[Chem]};
    QCOMPARE(e.size(), layout.size());
    for (int i = 0; i < layout.size(); ++i)
        QCOMPARE(e.value(i), layout[i]);
    QCOMPARE(e.sizeZ(), 0);
}

void TestProblem::evalLayout_data()
{
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<Values>("expected");

    // P4 with nbNod 6, nbArcs 5, regular degree 2, maximum degree <= 1, diameter <= 2, chemical.
    QTest::newRow("only connected (default)") << QStringList{"connected"} << Values{0, 2, 0};
    QTest::newRow("nothing") << QStringList{} << Values{0, 2};
    QTest::newRow("complement connected") << QStringList{"connectedBar"} << Values{0, 2, 0};
    QTest::newRow("edges and regular") << QStringList{"fixNbArcs", "regular"} << Values{0, 2, 2, 2};
    QTest::newRow("diameter and degmax") << QStringList{"diameter", "degmax"} << Values{0, 2, 1.125, 6};
    QTest::newRow("chemical") << QStringList{"chemical"} << Values{0, 2, 0};
    QTest::newRow("all") << QStringList{"connected", "connectedBar", "fixNbArcs", "regular",
                                        "diameter",  "degmax",       "chemical"}
                         << Values{0, 2, 0, 0, 2, 2, 1.125, 6, 0};
}

void TestProblem::evalLayout()
{
    QFETCH(QStringList, switches);
    QFETCH(Values, expected);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    p.setNbNod(6);
    p.setNbArcs(5);
    p.setRegDegree(2);
    p.setDegmaxValue(1);
    p.setDiameterValue(2);
    p.setConnected(switches.contains(QStringLiteral("connected")));
    p.setConnectedBar(switches.contains(QStringLiteral("connectedBar")));
    p.setRegular(switches.contains(QStringLiteral("regular")));
    p.setFixNbArcs(switches.contains(QStringLiteral("fixNbArcs")));
    p.setDiameter(switches.contains(QStringLiteral("diameter")));
    p.setDegmax(switches.contains(QStringLiteral("degmax")));
    p.setChemical(switches.contains(QStringLiteral("chemical")));

    Eval e;
    p.eval(&e);
    QCOMPARE(e.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(e.value(i), expected[i]);
    QCOMPARE(e.violated(), true); // the order penalty 2
}

void TestProblem::constraintsLastFirst()
{
    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    p.setNbNod(4);
    auto *a = new FixedConstraint;
    a->value = 1.5;
    auto *b = new FixedConstraint;
    b->value = 2.5;
    p.addConstraintItem(a);
    p.addConstraintItem(b);
    g.changeBest();
    Eval e;
    p.eval(&e);
    QCOMPARE(e.display(), QStringLiteral("[0][0][0][2.5][1.5]"));
    QVERIFY(e.violated());
}

void TestProblem::errorFlagLeadsTheRecord_data()
{
    QTest::addColumn<bool>("constraintFails");
    QTest::addColumn<bool>("objectiveLinked");
    QTest::addColumn<double>("expectedFlag");

    QTest::newRow("all well") << false << true << 0.0;
    QTest::newRow("constraint in error") << true << true << 1.0;
    QTest::newRow("objective without argument") << false << false << 1.0;
}

void TestProblem::errorFlagLeadsTheRecord()
{
    QFETCH(bool, constraintFails);
    QFETCH(bool, objectiveLinked);
    QFETCH(double, expectedFlag);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    p.setNbNod(4);
    auto *c = new FixedConstraint;
    c->fail = constraintFails;
    p.addConstraintItem(c);
    Calculus *value = headlessConstant({3.0});
    p.addOperatorItem(value);
    auto *z = new Z(false);
    p.addZItem(z);
    if (objectiveLinked)
        QVERIFY(p.link1(value, z));
    g.changeBest();
    Eval e;
    p.eval(&e);
    QCOMPARE(e.value(0), expectedFlag);
    QCOMPARE(e.sizeZ(), 1);
    QCOMPARE(e.z(0).size(), objectiveLinked ? 1 : 0);
}

void TestProblem::objectiveValues_data()
{
    QTest::addColumn<Values>("argument");
    QTest::addColumn<bool>("minimise");
    QTest::addColumn<Values>("expected");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("value minimised") << Values{3.5} << true << Values{3.5};
    QTest::newRow("value maximised") << Values{3.5} << false << Values{-3.5};
    QTest::newRow("maximised 1e15 becomes +1e12") << Values{1e15} << false << Values{1e12};
    QTest::newRow("minimised -1e15 becomes +1e12") << Values{-1e15} << true << Values{1e12};
    QTest::newRow("exactly 1e12") << Values{1e12} << true << Values{1e12};
    QTest::newRow("just below 1e12 kept") << Values{999999999999.0} << true << Values{999999999999.0};
    QTest::newRow("not a number is the worst value") << Values{nan} << false << Values{1e12};
    QTest::newRow("vector") << Values{1, -2, 3} << false << Values{-1, 2, -3};
}

void TestProblem::objectiveValues()
{
    QFETCH(Values, argument);
    QFETCH(bool, minimise);
    QFETCH(Values, expected);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    Calculus *value = headlessConstant(argument);
    p.addOperatorItem(value);
    auto *z = new Z(false);
    z->setMin(minimise);
    p.addZItem(z);
    QVERIFY(p.link1(value, z));
    g.changeBest();
    Eval e;
    p.eval(&e);
    QCOMPARE(e.sizeZ(), 1);
    QCOMPARE(e.z(0), expected);
    QCOMPARE(e.value(0), 0.0);
}

void TestProblem::evaluationLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("evaluations");
    QTest::addColumn<int>("emitted");

    QTest::newRow("no limit") << 0 << 5 << 0;
    QTest::newRow("limit 3 of 5") << 3 << 5 << 3;
    QTest::newRow("limit 1") << 1 << 2 << 2;
    QTest::newRow("limit not reached") << 10 << 9 << 0;
}

void TestProblem::evaluationLimit()
{
    QFETCH(int, limit);
    QFETCH(int, evaluations);
    QFETCH(int, emitted);

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    QSignalSpy spy(&p, &Problem::signal_max_eval_reached);
    p.slot_set_max_eval(limit);
    Eval e;
    for (int i = 0; i < evaluations; ++i)
        p.eval(&e);
    QCOMPARE(spy.count(), emitted);
    QCOMPARE(p.nbEvals(), evaluations);
    QCOMPARE(p.isMaxEvalsReached(), limit != 0 && evaluations >= limit);
    p.resetNbEvals();
    QCOMPARE(p.nbEvals(), 0);
    QVERIFY(!p.isMaxEvalsReached() || limit == 0);
}

void TestProblem::evaluationWithoutGraph()
{
    Problem p(nullptr, QStringLiteral("t"), false);
    p.setConnectedBar(true);
    p.setDiameter(true);
    Eval e;
    p.eval(&e);
    // No graph: no vertices, nothing to connect; the order penalty still counts.
    QCOMPARE(e.value(0), 0.0);
    QCOMPARE(e.value(1), 10.0);
    QCOMPARE(e.value(2), 0.0);
    QCOMPARE(e.value(3), 0.0);
}

void TestProblem::linkSamePairTwiceRemoves()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    Calculus *a = headlessConstant({1.0});
    auto *z = new Z(false);
    p.addOperatorItem(a);
    p.addZItem(z);
    p.link1(a, z);
    QCOMPARE(z->argument(1), a);
    QVERIFY(z->isLinked(1));
    QCOMPARE(a->outgoingLinks().size(), 1);
    p.link1(a, z);
    QCOMPARE(z->argument(1), nullptr);
    QVERIFY(!z->isLinked(1));
    QVERIFY(a->outgoingLinks().isEmpty());
}

void TestProblem::linkRepointsExistingArrow()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    Calculus *a = headlessConstant({1.0});
    Calculus *c = headlessConstant({2.0});
    auto *z = new Z(false);
    p.addOperatorItem(a);
    p.addOperatorItem(c);
    p.addZItem(z);
    p.link1(a, z);
    Link *arrow = z->incomingLink(1);
    p.link1(c, z);
    QCOMPARE(z->argument(1), c);
    QCOMPARE(z->incomingLink(1), arrow);
    QCOMPARE(arrow->from(), c);
    QVERIFY(a->outgoingLinks().isEmpty());
    QCOMPARE(c->outgoingLinks().size(), 1);
    Eval e;
    g.changeBest();
    p.eval(&e);
    QCOMPARE(e.zvalue(0), 2.0);
}

void TestProblem::refusedLinksLeaveNothing_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("k");

    QTest::newRow("constant to Colors as argument 2") << "constant"
                                                      << "Colors" << 2;
    QTest::newRow("Colors as an argument") << "Colors"
                                           << "objective" << 1;
    QTest::newRow("objective as an argument") << "objective"
                                              << "Labels" << 1;
    QTest::newRow("anything to a parameter") << "constant"
                                             << "PARAM 1" << 1;
    QTest::newRow("objective argument 3") << "constant"
                                          << "objective" << 3;
    QTest::newRow("item to itself") << "constant"
                                    << "constant" << 1;
}

void TestProblem::refusedLinksLeaveNothing()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(int, k);

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    Calculus *constant = headlessConstant({1.0});
    auto *z = new Z(false);
    p.addOperatorItem(constant);
    p.addZItem(z);
    auto pick = [&](const QString &which) -> Calculus * {
        if (which == QLatin1String("constant"))
            return constant;
        if (which == QLatin1String("objective"))
            return z;
        if (which == QLatin1String("Colors"))
            return p.getColors();
        if (which == QLatin1String("Labels"))
            return p.getLabels();
        return p.getParam1();
    };
    Calculus *s = pick(source);
    Calculus *t = pick(target);
    bool (Problem::*ops[4])(Calculus *, Calculus *) = {&Problem::link1, &Problem::link2, &Problem::link3,
                                                       &Problem::link4};
    QVERIFY(!(p.*ops[k - 1])(s, t));
    QVERIFY(!t->isLinked(k));
    QCOMPARE(t->argument(k), nullptr);
    QVERIFY(s->outgoingLinks().isEmpty());
}

void TestProblem::addInvariantGoesToFront()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    auto *a = new CountingInvariant;
    Calculus *c = headlessConstant({1.0});
    p.addOperatorItem(c);
    p.addInvariantItem(a);
    QCOMPARE(p.evaluationStack().size(), 4);
    QCOMPARE(p.evaluationStack().at(0), a);
    QCOMPARE(p.evaluationStack().at(1)->name, QStringLiteral("PARAM 2"));
    QCOMPARE(p.evaluationStack().at(3), c);
    auto *b = new CountingInvariant;
    p.addInvariantItemLoadMode(b);
    QCOMPARE(p.evaluationStack().last(), b);
}

void TestProblem::unneededItemsAreNotComputed()
{
    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    auto *used = new CountingInvariant;
    auto *unused = new CountingInvariant;
    p.addInvariantItem(unused);
    p.addInvariantItem(used);
    auto *z = new Z(false);
    p.addZItem(z);
    p.link1(used, z);
    const int usedBefore = used->computations;
    const int unusedBefore = unused->computations;

    Eval e;
    for (int round = 1; round <= 3; ++round) {
        g.addEdge(0, 3);
        p.eval(&e);
        QCOMPARE(used->computations, usedBefore + round);
        QCOMPARE(unused->computations, unusedBefore);
        QCOMPARE(e.zvalue(0), 4.0);
        p.eval(&e); // same graph stamp: nothing is computed again
        QCOMPARE(used->computations, usedBefore + round);
    }
    p.compute(true);
    QCOMPARE(unused->computations, unusedBefore + 1);
}

void TestProblem::parameterReachesObjective_data()
{
    QTest::addColumn<bool>("secondParameter");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("minimise");
    QTest::addColumn<double>("expected");

    QTest::newRow("p1 = 25") << false << 25 << true << 25.0;
    QTest::newRow("p1 = -3 maximised") << false << -3 << false << 3.0;
    QTest::newRow("p2 = 7") << true << 7 << true << 7.0;
}

void TestProblem::parameterReachesObjective()
{
    QFETCH(bool, secondParameter);
    QFETCH(int, value);
    QFETCH(bool, minimise);
    QFETCH(double, expected);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    Calculus *param = secondParameter ? static_cast<Calculus *>(p.getParam2()) : p.getParam1();
    auto *z = new Z(false);
    z->setMin(minimise);
    p.addZItem(z);
    p.link1(param, z);
    Eval e;
    p.eval(&e);
    QCOMPARE(e.zvalue(0), minimise ? 10.0 : -10.0);
    // The graph does not change: the new value must reach the objective all the same.
    if (secondParameter)
        p.setP2(value);
    else
        p.setP1(value);
    QCOMPARE(param->getParam(), value);
    p.eval(&e);
    QCOMPARE(e.zvalue(0), expected);
}

void TestProblem::parameterVisibility()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), true);
    p.setUseP1(true);
    QVERIFY(p.getParam1()->isVisible());
    QVERIFY(!p.getParam2()->isVisible());
    p.setUseP2(true);
    p.setUseP1(false);
    QVERIFY(!p.getParam1()->isVisible());
    QVERIFY(p.getParam2()->isVisible());

    // A board that lost its parameters (cleared) does nothing and does not fail.
    p.clear();
    QCOMPARE(p.getParam1(), nullptr);
    p.setUseP1(true);
    p.setP1(3);
    QVERIFY(p.evaluationStack().isEmpty());
}

void TestProblem::boardWithInterfaceDrawsItems()
{
    Graph g(QStringLiteral("g"), false);
    Problem board(&g, QStringLiteral("problem"), true);
    QVERIFY(board.scene());
    auto *c = new invConstant(true);
    board.addOperatorItem(c);
    QCOMPARE(c->scene(), board.scene());
    QVERIFY(c->isItemSelected());
    QCOMPARE(c->zValue(), 3.0);
    auto *z = new Z(true);
    board.addZItem(z);
    QCOMPARE(z->zValue(), 501.0);
    board.link1(c, z);
    QVERIFY(z->incomingLink(1));
    QCOMPARE(z->incomingLink(1)->scene(), board.scene());

    Problem headless(&g, QStringLiteral("clone"), false);
    QCOMPARE(headless.scene(), nullptr);
    auto *h = new invConstant(false);
    headless.addOperatorItem(h);
    QCOMPARE(h->scene(), nullptr);
}

void TestProblem::publishingFromWorkerIsQueued()
{
    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem board(&g, QStringLiteral("problem"), true);
    auto *count = new CountingInvariant;
    board.addInvariantItem(count);
    auto *z = new Z(true);
    board.addZItem(z);
    board.link1(count, z);
    board.best_backup();
    QCOMPARE(z->getCalculusDisplay()->getValue(), 3.0);

    g.addEdge(0, 3);
    QThread *worker = QThread::create([&board]() { board.best_backup(); });
    worker->start();
    QVERIFY(worker->wait(10000));
    delete worker;
    // The worker touched no dialog: the new value arrives when the GUI thread runs.
    QCOMPARE(z->getCalculusDisplay()->getValue(), 3.0);
    QTRY_COMPARE(z->getCalculusDisplay()->getValue(), 4.0);
}

namespace
{
QStringList workerWarnings;
void collectWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        workerWarnings << message;
}
} // namespace

void TestProblem::headlessCopyWorksOnWorkerThread()
{
    Graph g(QStringLiteral("g"), true);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem board(&g, QStringLiteral("problem"), true);
    BuildCalculus catalogue;
    Calculus *size = catalogue.makeCalculus(QStringLiteral("SIZE"), true);
    if (!size)
        QSKIP("SIZE is not made by the factory yet");
    board.addInvariantItem(size);
    auto *z = new Z(true);
    board.addZItem(z);
    board.link1(size, z);
    auto *pz = new Z(true);
    board.addZItem(pz);
    board.link1(board.getParam1(), pz);
    const QString text = board.saveString();

    Graph own(QStringLiteral("own"), false);
    own.copy(&g);
    Problem *copy = board.clone();
    copy->setGraph(&own);

    Eval result;
    workerWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    QThread *worker = QThread::create([&]() {
        copy->openString(text); // a job start re-reads the user's problem
        copy->setP1(6);
        copy->best_backup();
        for (int i = 0; i < 20; ++i) {
            own.addEdge(i % 4, (i + 1) % 4);
            copy->eval(&result);
        }
    });
    worker->start();
    QVERIFY(worker->wait(10000));
    delete worker;
    qInstallMessageHandler(previous);
    QVERIFY2(workerWarnings.isEmpty(), qPrintable(workerWarnings.join(QLatin1Char('\n'))));
    QCOMPARE(result.sizeZ(), 2);
    QCOMPARE(result.zvalue(1), 6.0);
    QCOMPARE(result.zvalue(0), double(own.getNbEdges()));
    delete copy;
}

void TestProblem::displayItemsPublishToGraph()
{
    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(pathP4));
    Problem p(&g, QStringLiteral("t"), false);
    p.setNbNod(6);
    Calculus *column = headlessConstant({2, 0, 1, 5});
    p.addOperatorItem(column);
    p.link1(column, p.getColors());
    p.best_backup();
    QVERIFY(g.isViolated()); // order 4 where 6 is asked
    QCOMPARE(p.getColors()->getFirstCol(), (Values{2, 0, 1, 5}));
    QVERIFY(!p.getColors()->getError());
    // E_Labels refuses a 4 x 1 argument on a graph of order 4.
    p.link1(column, p.getELabels());
    QVERIFY(p.getELabels()->getError());
    QCOMPARE(p.getELabels()->getTooltip(), QStringLiteral("Argument should be a matrix n x n"));
    p.setNbNod(4);
    p.best_backup();
    QVERIFY(!g.isViolated());
}

void TestProblem::dumpListsRecords()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("board"), false);
    QSignalSpy spy(&p, &Problem::signal_console);
    p.display(true);
    QCOMPARE(spy.count(), 1);
    const QString text = spy.at(0).at(0).toString();
    const QString expected = QStringLiteral("===================\n"
                                            "Name     = board\n"
                                            "FileName = \n"
                                            "BaseName = \n"
                                            "PARAM 2\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL\n\n"
                                            "PARAM 1\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL\n\n"
                                            "===================\n");
    QCOMPARE(text, expected);
    QCOMPARE(spy.at(0).at(1).toBool(), true);
    QCOMPARE(spy.at(0).at(2).toInt(), 0);
}

QTEST_MAIN(TestProblem)
#include "tst_problem.moc"
