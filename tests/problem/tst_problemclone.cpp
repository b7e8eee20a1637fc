#include "graph/Graph.h"
#include "graph/Random.h"
#include "problem/BuildCalculus.h"
#include "problem/Eval.h"
#include "problem/Problem.h"
#include "problem/infoNODE.h"
#include "problem/invConstant.h"
#include "problem/invPARAM.h"

#include <QtTest>

#include <memory>

#include <algorithm>

namespace
{
struct Board {
    Calculus *order = nullptr, *size = nullptr, *limit = nullptr;
};

// min ORDER, max SIZE, SIZE <= 5, ORDER >= PARAM 1: every value of the evaluation follows from the
// graph string alone.
bool buildBoard(Problem &p, Board &b)
{
    BuildCalculus catalogue;
    b.order = catalogue.makeCalculus(QStringLiteral("ORDER"), false);
    b.size = catalogue.makeCalculus(QStringLiteral("SIZE"), false);
    Calculus *le = catalogue.makeCalculus(QStringLiteral("<="), false);
    Calculus *ge = catalogue.makeCalculus(QStringLiteral(">="), false);
    if (!b.order || !b.size || !le || !ge) {
        delete b.order;
        delete b.size;
        delete le;
        delete ge;
        return false;
    }
    p.addInvariantItem(b.order);
    p.addInvariantItem(b.size);
    b.limit = catalogue.makeConstant(false);
    static_cast<invConstant *>(b.limit)->loadData(1, 1, {5.0});
    p.addOperatorItem(b.limit);
    Calculus *zMin = catalogue.makeCalculus(QStringLiteral("Z"), false);
    Calculus *zMax = catalogue.makeCalculus(QStringLiteral("OBJECTIVE"), false);
    zMax->setMin(false);
    p.addZItem(zMin);
    p.addZItem(zMax);
    p.addConstraintItem(le);
    p.addConstraintItem(ge);
    p.link1(b.order, zMin);
    p.link1(b.size, zMax);
    p.link1(b.size, le);
    p.link2(b.limit, le);
    p.link1(b.order, ge);
    p.link2(p.getParam1(), ge);
    return true;
}

int edgesOf(const QString &graphString)
{
    return graphString.section(QLatin1Char(' '), 1).count(QLatin1Char('1'));
}
} // namespace

class TestProblemClone : public QObject
{
    Q_OBJECT

private slots:
    void endToEnd_data();
    void endToEnd();
    void cloneEvaluatesLikeOriginal();
    void cloneLeavesTheGraphAlone();
};

void TestProblemClone::endToEnd_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("p1");
    QTest::newRow("path on 4 vertices") << "4 101001" << 3;
    QTest::newRow("triangle and isolated vertex") << "4 110000" << 6;
    QTest::newRow("complete graph on 5 vertices") << "5 1111111111" << 5;
    QTest::newRow("single vertex") << "1" << 1;
    QTest::newRow("empty graph") << "0" << 2;
}

void TestProblemClone::endToEnd()
{
    QFETCH(QString, graph);
    QFETCH(int, p1);

    Graph g(QStringLiteral("g"), false);
    QVERIFY(g.loadCurrentGraph(graph));
    Problem p(&g, QStringLiteral("t"), false);
    Board b;
    if (!buildBoard(p, b))
        QSKIP("ORDER, SIZE, <= or >= are not made by the factory yet");
    p.setNbNod(4);
    p.setP1(p1);

    const int n = graph.section(QLatin1Char(' '), 0, 0).toInt();
    const int m = edgesOf(graph);
    Eval e;
    p.eval(&e);
    QCOMPARE(e.sizeZ(), 2);
    QCOMPARE(e.zvalue(0), double(n));
    QCOMPARE(e.zvalue(1), -double(m));
    QCOMPARE(e.size(), 5);
    QCOMPARE(e.value(0), 0.0);
    QCOMPARE(e.value(1), double(std::abs(n - 4)));
    // The last constraint (ORDER >= p1) comes first.
    QCOMPARE(e.value(3), double(std::max(0, p1 - n)));
    QCOMPARE(e.value(4), double(std::max(0, m - 5)));
}

void TestProblemClone::cloneEvaluatesLikeOriginal()
{
    tsy_srand(2026);
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("problem"), true);
    Board b;
    if (!buildBoard(p, b))
        QSKIP("ORDER, SIZE, <= or >= are not made by the factory yet");
    BuildCalculus catalogue;
    for (const QString &keyword :
         {QStringLiteral("WIENER"), QStringLiteral("DEGMAX"), QStringLiteral("RANDIC")}) {
        Calculus *c = catalogue.makeCalculus(keyword, true);
        if (!c)
            continue;
        p.addInvariantItem(c);
        Calculus *z = catalogue.makeCalculus(QStringLiteral("Z"), true);
        z->setMin(keyword != QLatin1String("WIENER"));
        p.addZItem(z);
        p.link1(c, z);
    }
    p.setConnectedBar(true);
    p.setDiameter(true);
    p.setDiameterValue(3);
    p.setDegmax(true);
    p.setDegmaxIntType(0);
    p.setDegmaxValue(4);
    p.setChemical(true);
    p.setRegular(true);
    p.setRegDegree(3);
    p.setNbNod(9);

    Graph own(QStringLiteral("own"), false);
    Problem *copy = p.clone();
    copy->setGraph(&own);
    for (int round = 0; round < 300; ++round) {
        g.randomGraph(1 + tsy_rand(14));
        own.copy(&g);
        if (round % 50 == 0) {
            p.setP1(round % 7);
            copy->setP1(round % 7);
        }
        Eval a, c;
        p.eval(&a);
        copy->eval(&c);
        QCOMPARE(c.display(), a.display());
        QCOMPARE(c.violated(), a.violated());
    }
    delete copy;
}

// The search and the loader clone the user's board at every start: the clone must not touch the
// user's graph, whose best graph is what the user sees and saves.
void TestProblemClone::cloneLeavesTheGraphAlone()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("problem"), true);
    Board b;
    if (!buildBoard(p, b))
        QSKIP("ORDER, SIZE, <= or >= are not made by the factory yet");
    // A display item with an argument: the clone links it again while reading the text.
    QVERIFY(p.link1(b.size, p.getColors()));
    QVERIFY(g.loadtsy(QStringLiteral("4 111000"), false));
    QVERIFY(g.loadCurrentGraph(QStringLiteral("4 111001")));
    const qint64 stamp = g.getID();
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);
    std::unique_ptr<Problem> copy(p.clone());
    QCOMPARE(g.graphData(), QStringLiteral("4 111000"));
    QCOMPARE(g.currentGraphData(), QStringLiteral("4 111001"));
    QCOMPARE(g.getID(), stamp);
    QCOMPARE(changed.count(), 0);
    // The copy is bound to the graph afterwards and evaluates its current graph.
    QCOMPARE(copy->saveString(), p.saveString());
    Eval e;
    copy->eval(&e);
    QCOMPARE(e.z(0).value(0), 4.0);  // ORDER, minimised
    QCOMPARE(e.z(1).value(0), -4.0); // SIZE of "4 111001", maximised
}

QTEST_MAIN(TestProblemClone)
#include "tst_problemclone.moc"
