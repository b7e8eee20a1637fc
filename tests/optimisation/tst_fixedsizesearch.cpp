#include "optimisation/RegularSearchSupport.h"
#include "optimisation/SearchFixtures.h"
#include "optimisation/Solution.h"
#include "support/TestData.h"

#include <QtTest>

#include <cmath>

// The searches that repair or keep the number of edges: the repair takes pairs in lexicographic
// order; every quad or quint rewrite keeps the count (also when a publication replaces the
// graph); on 4 or 5 vertices the rewrite descent ends on the exhaustive optimum of its edge
// count; the pair toggles both add and remove edges.
class TestFixedSizeSearch : public QObject
{
    Q_OBJECT

private slots:
    void edgeCountRepair_data();
    void edgeCountRepair();
    void movesKeepEdgeCount_data();
    void movesKeepEdgeCount();
    void descentEndsOnExhaustiveOptimum_data();
    void descentEndsOnExhaustiveOptimum();
    void pairToggles_data();
    void pairToggles();
};

static QString complete(int n)
{
    return graphString(n, randomWithEdges(n, n * (n - 1) / 2, 1));
}

void TestFixedSizeSearch::edgeCountRepair_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("degree");
    QTest::addColumn<bool>("fixEdges");
    QTest::addColumn<int>("edges");
    QTest::addColumn<int>("expectedEdges");
    QTest::addColumn<QString>("expected"); // empty: the toggled pairs come first in pair order
    // Pairs are taken as 0-1, 0-2, ..., 0-(n-1), 1-2, ...; a present pair is removed while there
    // are too many edges, a missing one added while there are too few.
    const QString four = graphString(4, {{0, 1}, {0, 2}, {0, 3}, {1, 2}});
    QTest::newRow("count already met") << four << 0 << true << 4 << 4 << four;
    QTest::newRow("too many") << four << 0 << true << 2 << 2 << graphString(4, {{0, 3}, {1, 2}});
    // Edges 1-0, 2-0, 3-2: 0-1 goes first (the degree sum of 0-2 is the largest).
    QTest::newRow("too many, first present pair") << "4 110001" << 0 << true << 2 << 2 << "4 010001";
    QTest::newRow("too few, first missing pairs") << "4 000000" << 0 << true << 2 << 2 << "4 110000";
    // 0-3, 1-2, 1-4 go; 0-1, 0-2, 0-4, 1-3 are passed over.
    QTest::newRow("too many, missing pairs passed over")
        << graphString(5, {{0, 3}, {1, 2}, {1, 4}, {2, 3}, {3, 4}}) << 0 << true << 2 << 2
        << graphString(5, {{2, 3}, {3, 4}});
    // 0-1, 0-3, 0-4 come; 0-2 is there already.
    QTest::newRow("too few, present pairs passed over")
        << graphString(5, {{0, 2}, {1, 3}}) << 2 << false << 9 << 5
        << graphString(5, {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 3}});
    QTest::newRow("above the complete graph") << graphString(4, {}) << 0 << true << 9 << 6 << complete(4);
    QTest::newRow("below zero") << four << 0 << true << -2 << 0 << graphString(4, {});
    // Regularity alone fixes the count while the edge-count requirement is off: 15 edges, the 9
    // pairs of vertex 0, then 1-2 to 1-7.
    EdgeList fifteen;
    for (int j = 1; j < 10; ++j)
        fifteen.append({0, j});
    for (int j = 2; j < 8; ++j)
        fifteen.append({1, j});
    QTest::newRow("cubic on 10 from none, count free")
        << graphString(10, {}) << 3 << false << 4 << 15 << graphString(10, fifteen);
    QTest::newRow("cubic on 10 from none, count required")
        << graphString(10, {}) << 3 << true << 4 << 4 << graphString(10, {{0, 1}, {0, 2}, {0, 3}, {0, 4}});
    // 80 of 496 edges stay: rows 0 to 17 (405 pairs) and 18-19 to 18-29 go; 18-30, 18-31 and
    // the 78 pairs among 19..31 stay.
    EdgeList eighty{{18, 30}, {18, 31}};
    for (int i = 19; i < 32; ++i)
        for (int j = i + 1; j < 32; ++j)
            eighty.append({i, j});
    QTest::newRow("degree 5 on 32 from complete")
        << complete(32) << 5 << false << 0 << 80 << graphString(32, eighty);
    for (int n : {14, 32})
        QTest::addRow("cubic on %d from a dense random graph", n)
            << graphString(n, randomWithEdges(n, n * (n - 1) / 4, quint32(n))) << 3 << false << 0 << n * 3 / 2
            << "";
}

// The pairs of g in lexicographic order (0-1, 0-2, ..., 1-2, ...), each with its presence.
static QVector<bool> pairsInOrder(const QString &g)
{
    const int n = orderOf(g);
    QVector<QVector<bool>> a(n, QVector<bool>(n, false));
    for (const auto &e : edgesOf(g))
        a[e.first][e.second] = a[e.second][e.first] = true;
    QVector<bool> pairs;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            pairs.append(a[i][j]);
    return pairs;
}

// The repair is the start of the search for a regular graph: it evaluates nothing and moves the
// edge count with the first pairs in lexicographic order.
void TestFixedSizeSearch::edgeCountRepair()
{
    QFETCH(QString, graph);
    QFETCH(int, degree);
    QFETCH(bool, fixEdges);
    QFETCH(int, edges);
    QFETCH(int, expectedEdges);
    QFETCH(QString, expected);
    ProbeWorker pw(degree);
    VNS *w = pw.worker.get();
    w->getOwnProblem()->setFixNbArcs(fixEdges);
    w->getOwnProblem()->setNbArcs(edges);
    QVERIFY(w->getOwnGraph()->loadCurrentGraph(graph));
    const int evaluations = w->getOwnProblem()->nbEvals();
    QCOMPARE(w->ls_search_nbarcs(), edgesOf(graph).size() != expectedEdges);
    const QString now = w->getOwnGraph()->currentGraphData();
    QCOMPARE(edgesOf(now).size(), expectedEdges);
    if (!expected.isEmpty())
        QCOMPARE(now, expected);
    // Only pairs of one kind (all present, or all missing) changed, and none of that kind that
    // stayed comes before the last one that changed.
    const QVector<bool> before = pairsInOrder(graph), after = pairsInOrder(now);
    const bool removing = edgesOf(graph).size() > expectedEdges;
    int lastChanged = -1;
    for (int k = 0; k < before.size(); ++k)
        if (before[k] != after[k]) {
            QCOMPARE(before[k], removing);
            lastChanged = k;
        }
    for (int k = 0; k < lastChanged; ++k)
        QVERIFY(before[k] != removing || after[k] != removing);
    QCOMPARE(w->getOwnProblem()->nbEvals(), evaluations);
    QCOMPARE(pw.best.size(), 0);
}

void TestFixedSizeSearch::movesKeepEdgeCount_data()
{
    QTest::addColumn<bool>("quints");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<bool>("relabel");
    for (bool quints : {false, true})
        for (int n : {6, 13, 32})
            for (bool relabel : {false, true})
                QTest::addRow("%s, %d vertices%s", quints ? "quints" : "quads", n,
                              relabel ? ", graph replaced at publication" : "")
                    << quints << graphString(n, randomWithEdges(n, n * (n - 1) / 5, quint32(n))) << relabel;
}

void TestFixedSizeSearch::movesKeepEdgeCount()
{
    QFETCH(bool, quints);
    QFETCH(QString, graph);
    QFETCH(bool, relabel);
    const int m = edgesOf(graph).size();
    const int limit = 2500;
    ProbeWorker pw;
    VNS *w = pw.worker.get();
    QVERIFY(pw.start(graph, relabel));
    pw.probe->edges = m;
    w->slot_set_max_evals(limit);
    quints ? w->ls_quintfixnbarcs(false) : w->ls_quadfixnbarcs(false);
    QCOMPARE(pw.probe->faults, 0);
    QVERIFY(w->getOwnGraph()->currentGraphData() != graph);
    QVERIFY(!relabel || pw.relabels > 0);
    for (const QString &g : pw.best.graphs() + w->getLocal()->graphs())
        QCOMPARE(edgesOf(g).size(), m);
    QCOMPARE(w->getOwnGraph()->getNbEdges(), m);
    QVERIFY(w->getOwnProblem()->nbEvals() <= limit + 1);
}

void TestFixedSizeSearch::descentEndsOnExhaustiveOptimum_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("objective");
    QTest::addColumn<int>("edges");
    for (int n : {4, 5}) {
        for (int m = 0; m <= n * (n - 1) / 2; ++m)
            QTest::addRow("%d vertices, %d edges, largest eigenvalue", n, m) << n << "max_lambda1_size" << m;
        for (int m = n - 1; m <= n * (n - 1) / 2; ++m) {
            QTest::addRow("%d vertices, %d edges, largest Wiener", n, m)
                << n << "max_wiener_size_connected" << m;
            QTest::addRow("%d vertices, %d edges, smallest Wiener", n, m)
                << n << "min_wiener_size_connected" << m;
        }
    }
}

// On 4 (5) vertices one quad (quint) is the whole graph and its table entry lists every other
// labelled graph with its number of edges: a descent that ends with a pass without accepted move
// has compared its graph with all of them. Optima: brute force over nauty-geng's output.
void TestFixedSizeSearch::descentEndsOnExhaustiveOptimum()
{
    QFETCH(int, order);
    QFETCH(QString, objective);
    QFETCH(int, edges);
    double optimum = std::nan("");
    for (const QString &line : readDataLines(QStringLiteral("regular_fixedsize_optima.txt")))
        if (line.startsWith(objective + QStringLiteral("\t%1\t%2\t").arg(order).arg(edges)))
            optimum = line.section(QLatin1Char('\t'), 3).toDouble();
    QVERIFY(!std::isnan(optimum));
    const bool eigenvalue = objective == QLatin1String("max_lambda1_size");
    const bool minimise = objective.startsWith(QLatin1String("min"));

    SearchFixture f(QStringLiteral("WIENER"), minimise, order, !eigenvalue);
    if (eigenvalue) {
        // MAX(EIGENVALUES(ADJACENCY)), maximised.
        f.problem.clear();
        Calculus *chain[4] = {f.catalogue.makeCalculus(QStringLiteral("ADJACENCY"), false),
                              f.catalogue.makeCalculus(QStringLiteral("EIGENVALUES"), false),
                              f.catalogue.makeCalculus(QStringLiteral("MAX"), false),
                              f.catalogue.makeCalculus(QStringLiteral("Z"), false)};
        f.problem.addInvariantItem(chain[0]);
        f.problem.addOperatorItem(chain[1]);
        f.problem.addOperatorItem(chain[2]);
        chain[3]->setMin(false);
        f.problem.addZItem(chain[3]);
        for (int k = 0; k < 3; ++k)
            QVERIFY(f.problem.link1(chain[k], chain[k + 1]));
    }
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    for (quint32 seed = 1; seed <= 3; ++seed) {
        QVERIFY(w.getOwnGraph()->loadCurrentGraph(graphString(order, randomWithEdges(order, edges, seed))));
        w.perturb(0);
        order == 4 ? w.ls_quadfixnbarcs(false) : w.ls_quintfixnbarcs(false);
        QCOMPARE(w.getOwnGraph()->getNbEdges(), edges);
        const Solution *s = w.getLocal()->lastSolution();
        QCOMPARE(s->getGraph(), w.getOwnGraph()->currentGraphData());
        QVERIFY(!s->getValue()->violated());
        const double value = minimise ? s->getValue()->z(0).at(0) : -s->getValue()->z(0).at(0);
        QVERIFY2(std::fabs(value - optimum) < 1e-6,
                 qPrintable(QStringLiteral("%1 / %2").arg(value).arg(optimum)));
    }
}

void TestFixedSizeSearch::pairToggles_data()
{
    QTest::addColumn<bool>("minimise");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("edges");
    QTest::newRow("fewest edges from the complete graph") << true << 6 << 15 << 0;
    QTest::newRow("fewest edges from a sparse graph") << true << 8 << 5 << 0;
    QTest::newRow("most edges from no edge") << false << 6 << 0 << 15;
}

// SIZE over every graph of an order: the toggles reach the empty or the complete graph, and the
// value archived with the graph is its own (a toggle that kept the change stamp would leave the
// items' cached values in place).
void TestFixedSizeSearch::pairToggles()
{
    QFETCH(bool, minimise);
    QFETCH(int, order);
    QFETCH(int, start);
    QFETCH(int, edges);
    SearchFixture f(QStringLiteral("SIZE"), minimise, order, false);
    OptimalSolutions best;
    VNS w(&f.problem, &f.graph, 0, nullptr, &best);
    QVERIFY(w.getOwnGraph()->loadCurrentGraph(graphString(order, randomWithEdges(order, start, 2))));
    tsy_srand(4);
    QVERIFY(w.ls_add_rem());
    QCOMPARE(w.getOwnGraph()->getNbEdges(), edges);
    const Solution *s = best.lastSolution();
    QCOMPARE(s->getGraph(), w.getOwnGraph()->currentGraphData());
    QCOMPARE(s->getValue()->z(0).at(0), minimise ? double(edges) : -double(edges));
    QVERIFY(!w.ls_add_rem());
}

QTEST_MAIN(TestFixedSizeSearch)
#include "tst_fixedsizesearch.moc"
