#include "optimisation/ProblemSnapshot.h"
#include "optimisation/RegularSearchSupport.h"
#include "optimisation/SearchFixtures.h"
#include "optimisation/Solution.h"
#include "support/TestData.h"

#include <QtTest>

#include <cmath>

// The local searches for regular graphs: every move keeps every degree, also when a publication
// replaces the graph under the scan; the evaluation limit ends even a 32-vertex scan; the repair
// reaches a regular graph; a whole job under the regular requirement finds known optima.
class TestRegularSearch : public QObject
{
    Q_OBJECT

private slots:
    void movesKeepEveryDegree_data();
    void movesKeepEveryDegree();
    void repairReachesRegular_data();
    void repairReachesRegular();
    void jobFindsRegularOptimum_data();
    void jobFindsRegularOptimum();
};

void TestRegularSearch::movesKeepEveryDegree_data()
{
    QTest::addColumn<bool>("sixCycles");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("degree");
    QTest::addColumn<bool>("relabel");
    const QVector<QVector<int>> steps = {{1, 2}, {1, 4, 6}, {1, 5, 11}};
    for (bool sixCycles : {false, true})
        for (int n : {7, 16, 32})
            for (bool relabel : {false, true}) {
                const QVector<int> &s = steps[n == 7 ? 0 : n == 16 ? 1 : 2];
                QTest::addRow("%s, %d vertices%s", sixCycles ? "6-cycle swaps" : "quint rewrites", n,
                              relabel ? ", graph replaced at publication" : "")
                    << sixCycles << graphString(n, switched(n, circulant(n, s), 40 * n, quint32(n)))
                    << 2 * s.size() << relabel;
            }
}

void TestRegularSearch::movesKeepEveryDegree()
{
    QFETCH(bool, sixCycles);
    QFETCH(QString, graph);
    QFETCH(int, degree);
    QFETCH(bool, relabel);
    const int n = orderOf(graph);
    const int limit = 2500;
    ProbeWorker pw(degree);
    VNS *w = pw.worker.get();
    QVERIFY(pw.start(graph, relabel));
    pw.probe->degree = degree;
    w->slot_set_max_evals(limit);
    w->slot_set_agressivity(60);
    tsy_srand(7);
    if (sixCycles)
        QVERIFY(!w->ls_c6());
    else
        w->ls_regular();

    QCOMPARE(pw.probe->faults, 0);
    const QString now = w->getOwnGraph()->currentGraphData();
    QVERIFY(now != graph);
    QVERIFY(!relabel || pw.relabels > 0);
    for (const QString &g : pw.best.graphs() + w->getLocal()->graphs() + QStringList{now})
        QCOMPARE(degreesOf(g), QVector<int>(n, degree));
    // A pass at 32 vertices is millions of candidates: the limit ends it inside the scan.
    QVERIFY(w->getOwnProblem()->nbEvals() <= limit + 1);
}

void TestRegularSearch::repairReachesRegular_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("degree");
    QTest::addColumn<bool>("relabel");
    // One end of some edges of a regular graph moved elsewhere: same count, degrees off by one.
    auto nearRegular = [](int n, const QVector<int> &steps, const QVector<QPair<int, int>> &moves) {
        EdgeList e = circulant(n, steps);
        for (const auto &m : moves)
            e[m.first].second = m.second;
        return graphString(n, e);
    };
    QTest::newRow("7 vertices, one end moved") << nearRegular(7, {1, 2}, {{0, 4}}) << 4 << false;
    QTest::newRow("13 vertices, two ends moved") << nearRegular(13, {1, 5}, {{0, 7}, {9, 2}}) << 4 << true;
    QTest::newRow("32 vertices, three ends moved")
        << nearRegular(32, {3, 7, 13}, {{0, 20}, {40, 2}, {70, 5}}) << 6 << true;
}

void TestRegularSearch::repairReachesRegular()
{
    QFETCH(QString, graph);
    QFETCH(int, degree);
    QFETCH(bool, relabel);
    const int n = orderOf(graph);
    QVERIFY(degreesOf(graph) != QVector<int>(n, degree));
    ProbeWorker pw(degree);
    VNS *w = pw.worker.get();
    QVERIFY(pw.start(graph, relabel));
    pw.probe->edges = edgesOf(graph).size();
    w->slot_set_max_evals(20000);
    QVERIFY(w->ls_search_regular());
    QCOMPARE(pw.probe->faults, 0);
    QCOMPARE(degreesOf(w->getOwnGraph()->currentGraphData()), QVector<int>(n, degree));
    QCOMPARE(degreesOf(pw.best.lastSolution()->getGraph()), QVector<int>(n, degree));
    QVERIFY(!pw.best.lastSolution()->getValue()->violated());
}

void TestRegularSearch::jobFindsRegularOptimum_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("degree");
    QTest::addColumn<int>("edges");
    QTest::addColumn<bool>("fixEdges");
    QTest::addColumn<bool>("sixCycles");
    QTest::newRow("cubic, 8 vertices") << 8 << 3 << 12 << true << false;
    // Without the edge-count requirement a regular graph's count (n d / 2) is the aim, whatever
    // the edge-count box says.
    QTest::newRow("cubic, 8 vertices, edge count free") << 8 << 3 << 5 << false << false;
    QTest::newRow("quartic, 9 vertices, edge count free") << 9 << 4 << 30 << false << false;
    QTest::newRow("cubic, 10 vertices (petersen)") << 10 << 3 << 15 << true << false;
    QTest::newRow("cubic, 14 vertices (heawood)") << 14 << 3 << 21 << true << false;
    QTest::newRow("cubic, 8 vertices, 6-cycle swaps") << 8 << 3 << 12 << true << true;
}

// Smallest Wiener index over the connected d-regular graphs on n vertices, from a brute force
// over nauty-geng's output (tests/generators/regular_fixedsize_reference.py).
void TestRegularSearch::jobFindsRegularOptimum()
{
    QFETCH(int, order);
    QFETCH(int, degree);
    QFETCH(int, edges);
    QFETCH(bool, fixEdges);
    QFETCH(bool, sixCycles);
    double optimum = std::nan("");
    for (const QString &line : readDataLines(QStringLiteral("regular_fixedsize_optima.txt")))
        if (line.startsWith(QStringLiteral("min_wiener_regular_connected\t%1\t%2\t").arg(order).arg(degree)))
            optimum = line.section(QLatin1Char('\t'), 3).toDouble();
    QVERIFY(!std::isnan(optimum));

    SearchFixture f(QStringLiteral("WIENER"), true, order, true);
    f.problem.setRegular(true);
    f.problem.setRegDegree(degree);
    OptimalSolutions archive;
    VNS w(&f.problem, &f.graph, 0, nullptr, &archive);
    w.setSeed(quint32(order * 10 + edges));
    w.slot_use_c6_regular(sixCycles);
    w.slot_set_max_evals(60000);
    w.init(order, edges, 0, 0, 0, fixEdges, &archive, ProblemSnapshot::take(&f.problem, &f.graph));
    w.start();
    QVERIFY(w.wait(120000));

    QVERIFY(archive.size() >= 1);
    const Solution *s = archive.lastSolution();
    QVERIFY(!s->getValue()->violated());
    QCOMPARE(degreesOf(s->getGraph()), QVector<int>(order, degree));
    QCOMPARE(s->getValue()->z(0).at(0), optimum);
}

QTEST_MAIN(TestRegularSearch)
#include "tst_regularsearch.moc"
