#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/Node.h"
#include "graph/Random.h"

#include "GraphTestHelpers.h"

#include <QAtomicInt>
#include <QSet>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <algorithm>

namespace
{

QVector<int> sortedDegrees(Graph &g)
{
    QVector<int> d(g.getNbNodes(), 0);
    for (int i = 0; i < g.getNbNodes(); ++i)
        for (int j = 0; j < g.getNbNodes(); ++j)
            d[i] += g.edge(i, j) ? 1 : 0;
    std::sort(d.begin(), d.end());
    return d;
}

// A warning while a worker uses a headless graph means a widget or a scene was touched from it.
QAtomicInt warningsSeen;
void countWarnings(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warningsSeen.fetchAndAddRelaxed(1);
}

} // namespace

class TestGraph : public QObject
{
    Q_OBJECT

private slots:
    void construction_data();
    void construction();
    void addEdge_data();
    void addEdge();
    void remEdge_data();
    void remEdge();
    void invert_data();
    void invert();
    void completeGraphRows_data();
    void completeGraphRows();
    void addNodeClearsOldCells_data();
    void addNodeClearsOldCells();
    void remNode_data();
    void remNode();
    void randomGraph_data();
    void randomGraph();
    void shuffle_data();
    void shuffle();
    void stampRules_data();
    void stampRules();
    void backupAndRestore();
    void copy_data();
    void copy();
    void copySelfNullAndClone();
    void adjacencyRowsMatchEdge_data();
    void adjacencyRowsMatchEdge();
    void displayMarks_data();
    void displayMarks();
    void workerThreadUsesHeadlessGraph();
    void stampsUniqueAcrossThreads();
    void concurrentReaderSeesWholeEdges();
};

void TestGraph::construction_data()
{
    QTest::addColumn<bool>("displayed");
    QTest::newRow("headless") << false;
    QTest::newRow("displayed") << true;
}

void TestGraph::construction()
{
    QFETCH(bool, displayed);
    Graph g(QStringLiteral("graph"), displayed);
    QCOMPARE(g.getNbNodes(), 10);
    QCOMPARE(g.graphData(), g.currentGraphData());
    QCOMPARE(g.scene() != nullptr, displayed);
    QSet<Edge *> items;
    for (int k = 0; k < 32; ++k) {
        QCOMPARE(g.getNode(k)->nodeName(), QStringLiteral("Node %1").arg(k + 1));
        QVERIFY(g.getEdge(k, k) == nullptr);
        for (int j = 0; j < k; ++j) {
            QVERIFY(g.getEdge(k, j) != nullptr);
            QCOMPARE(g.getEdge(k, j), g.getEdge(j, k));
            items.insert(g.getEdge(k, j));
        }
    }
    QCOMPARE(items.size(), 496);
    QVERIFY(g.getNode(32) == nullptr && g.getNode(-1) == nullptr && g.getEdge(0, 32) == nullptr);
}

void TestGraph::addEdge_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("j");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("inside") << 0 << 9 << true;
    QTest::newRow("inside, reversed") << 9 << 0 << true;
    QTest::newRow("loop") << 3 << 3 << false;
    QTest::newRow("negative") << -1 << 0 << false;
    QTest::newRow("at the order") << 0 << 10 << false;
    QTest::newRow("beyond the slots") << 0 << 32 << false;
}

void TestGraph::addEdge()
{
    QFETCH(int, i);
    QFETCH(int, j);
    QFETCH(bool, accepted);
    Graph g(QStringLiteral("G"), false);
    buildGraph(g, 10, QString());
    const qint64 before = g.getID();
    QCOMPARE(g.addEdge(i, j), accepted);
    QVERIFY(g.getID() != before); // refusals take a fresh stamp too
    QCOMPARE(g.edge(j, i), accepted);
    QCOMPARE(g.addEdge(j, i), accepted); // an existing edge is still a success
    QCOMPARE(g.getNbEdges(), accepted ? 1 : 0);
}

void TestGraph::remEdge_data()
{
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("j");
    QTest::addColumn<bool>("cellSet");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("stampMoves");
    QTest::newRow("edge") << 2 << 3 << true << true << true;
    QTest::newRow("no edge") << 2 << 3 << false << false << true;
    QTest::newRow("beyond the order, set") << 5 << 20 << true << true << true;
    QTest::newRow("beyond the order, clear") << 20 << 5 << false << false << true;
    QTest::newRow("negative") << -1 << 0 << false << false << false;
    QTest::newRow("slot 32") << 0 << 32 << false << false << false;
}

void TestGraph::remEdge()
{
    QFETCH(int, i);
    QFETCH(int, j);
    QFETCH(bool, cellSet);
    QFETCH(bool, result);
    QFETCH(bool, stampMoves);
    Graph g(QStringLiteral("G"), false);
    buildGraph(g, 10, QStringLiteral("0-1,4-9"));
    if (cellSet)
        g.toggleEdge(i, j);
    const qint64 before = g.getID();
    QCOMPARE(g.remEdge(i, j), result);
    QCOMPARE(g.getID() != before, stampMoves);
    while (g.addNode()) {
    }
    QCOMPARE(edgeList(g), QStringLiteral("0-1,4-9"));
}

void TestGraph::invert_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::addColumn<QString>("complement");
    QTest::newRow("empty order") << 0 << ""
                                 << "";
    QTest::newRow("one vertex") << 1 << ""
                                << "";
    QTest::newRow("path P4") << 4 << "0-1,1-2,2-3"
                             << "0-2,0-3,1-3";
    QTest::newRow("star K1,3") << 4 << "0-1,0-2,0-3"
                               << "1-2,1-3,2-3";
    QTest::newRow("C5") << 5 << "0-1,0-4,1-2,2-3,3-4"
                        << "0-2,0-3,1-3,1-4,2-4";
    // "+i-j" toggles the pair on (the first listing of edges is built, then toggled).
    QTest::newRow("P4 with a toggled pair") << 4 << "0-1,1-2,2-3,+0-3"
                                            << "0-2,1-3";
}

void TestGraph::invert()
{
    QFETCH(int, n);
    QFETCH(QString, edges);
    QFETCH(QString, complement);
    Graph g(QStringLiteral("G"), false);
    const int toggled = edges.indexOf(QStringLiteral(",+"));
    buildGraph(g, n, toggled < 0 ? edges : edges.left(toggled));
    if (toggled >= 0) {
        const QStringList pair = edges.mid(toggled + 2).split(QLatin1Char('-'));
        g.toggleEdge(pair[1].toInt(), pair[0].toInt());
        QStringList all =
            (edges.left(toggled) + QLatin1Char(',') + edges.mid(toggled + 2)).split(QLatin1Char(','));
        all.sort();
        edges = all.join(QLatin1Char(','));
        QVERIFY(g.edge(pair[0].toInt(), pair[1].toInt()));
    }
    const qint64 stamp = g.getID();
    g.invert();
    QCOMPARE(edgeList(g), complement);
    g.invert();
    QCOMPARE(edgeList(g), edges);
    QCOMPARE(g.getID(), stamp);
}

void TestGraph::completeGraphRows_data()
{
    QTest::addColumn<int>("n");
    for (int n : {0, 1, 2, 7, 31, 32})
        QTest::newRow(qPrintable(QStringLiteral("K%1").arg(n))) << n;
}

void TestGraph::completeGraphRows()
{
    QFETCH(int, n);
    Graph g(QStringLiteral("G"), false);
    buildGraph(g, n, QString());
    g.invert(); // K_n, with a set diagonal that no reader may show
    QCOMPARE(g.getNbEdges(), n * (n - 1) / 2);
    quint32 rows[32];
    QCOMPARE(g.adjacencyRows(rows), n);
    for (int i = 0; i < 32; ++i)
        QCOMPARE(rows[i], i < n ? quint32((quint64(1) << n) - 1) & ~(1u << i) : 0u);
}

void TestGraph::addNodeClearsOldCells_data()
{
    // Ways of leaving cells set at or beyond the order; no vertex added later may show them.
    QTest::addColumn<QString>("how");
    QTest::newRow("toggled beyond the order") << "toggle";
    QTest::newRow("complement, then shrunk") << "invert";
    QTest::newRow("copy of a smaller graph") << "copy";
    QTest::newRow("restore of a smaller best graph") << "restore";
}

void TestGraph::addNodeClearsOldCells()
{
    QFETCH(QString, how);
    Graph g(QStringLiteral("G"), false);
    Graph small(QStringLiteral("small"), false);
    buildGraph(small, 3, QStringLiteral("0-1"));
    buildGraph(g, 3, QStringLiteral("0-1"));
    g.best_backup();
    if (how == QLatin1String("toggle")) {
        g.toggleEdge(2, 7);
        g.toggleEdge(9, 0);
    } else {
        buildGraph(g, 12, QString());
        g.invert();
        if (how == QLatin1String("invert"))
            g.loadCurrentGraph(QStringLiteral("3 100"));
        else if (how == QLatin1String("copy"))
            g.copy(&small);
        else
            g.best_restore();
    }
    for (int k = 3; k < 32; ++k)
        QVERIFY(g.addNode());
    QVERIFY(!g.addNode()); // the 33rd
    QCOMPARE(g.getNbNodes(), 32);
    QCOMPARE(edgeList(g), QStringLiteral("0-1"));
}

void TestGraph::remNode_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("k"); // -100: remNode(), the last vertex
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("after");
    // Removing k moves the last vertex into slot k.
    QTest::newRow("path, first vertex") << 3 << "0-1,1-2" << 0 << true << "0-1";
    QTest::newRow("path, middle vertex") << 4 << "0-1,1-2,2-3" << 1 << true << "1-2";
    QTest::newRow("star, centre") << 4 << "0-1,0-2,0-3" << 0 << true << "";
    QTest::newRow("star, last leaf") << 4 << "0-1,0-2,0-3" << 3 << true << "0-1,0-2";
    QTest::newRow("K4, vertex 2") << 4 << "0-1,0-2,0-3,1-2,1-3,2-3" << 2 << true << "0-1,0-2,1-2";
    QTest::newRow("single vertex") << 1 << "" << 0 << true << "";
    QTest::newRow("negative") << 3 << "0-1,1-2" << -1 << false << "0-1,1-2";
    QTest::newRow("at the order") << 3 << "0-1,1-2" << 3 << false << "0-1,1-2";
    QTest::newRow("last of a triangle") << 3 << "0-1,0-2,1-2" << -100 << true << "0-1";
    QTest::newRow("last at order 0") << 0 << "" << -100 << false << "";
}

void TestGraph::remNode()
{
    QFETCH(int, n);
    QFETCH(QString, edges);
    QFETCH(int, k);
    QFETCH(bool, result);
    QFETCH(QString, after);
    Graph g(QStringLiteral("G"), false);
    buildGraph(g, n, edges);
    const qint64 stamp = g.getID();
    QCOMPARE(k == -100 ? g.remNode() : g.remNode(k), result);
    QCOMPARE(g.getNbNodes(), result ? n - 1 : n);
    QCOMPARE(g.getID() != stamp, result);
    QCOMPARE(edgeList(g), after);
    while (g.getNbNodes() < n)
        g.addNode(); // the removed slot's cells are gone for good
    QCOMPARE(edgeList(g), after);
}

void TestGraph::randomGraph_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("order");
    QTest::newRow("negative") << -5 << 0;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("twenty") << 20 << 20;
    QTest::newRow("thirty-two") << 32 << 32;
    QTest::newRow("above the model") << 40 << 32;
}

void TestGraph::randomGraph()
{
    QFETCH(int, n);
    QFETCH(int, order);
    Graph g(QStringLiteral("G"), false);
    tsy_srand(12345);
    g.randomGraph(n);
    QCOMPARE(g.getNbNodes(), order);
    const QString first = g.currentGraphData();
    tsy_srand(12345);
    g.randomGraph(n);
    QCOMPARE(g.currentGraphData(), first); // the thread's seed decides the graph
    // Each pair is an edge with probability 1/2: 496 pairs stay within 6 deviations (11) of 248.
    if (order == 32)
        QVERIFY2(qAbs(g.getNbEdges() - 248) < 67, qPrintable(QString::number(g.getNbEdges())));
}

void TestGraph::shuffle_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::newRow("order 0") << 0 << "";
    QTest::newRow("order 1") << 1 << "";
    QTest::newRow("one edge") << 2 << "0-1";
    QTest::newRow("path P5") << 5 << "0-1,1-2,2-3,3-4";
    QTest::newRow("two triangles") << 7 << "0-1,0-2,1-2,3-4,3-5,4-5";
}

void TestGraph::shuffle()
{
    QFETCH(int, n);
    QFETCH(QString, edges);
    Graph g(QStringLiteral("G"), false);
    buildGraph(g, n, edges);
    g.best_backup();
    const QString best = g.graphData();
    const QVector<int> degrees = sortedDegrees(g);
    const qint64 stamp = g.getID();
    tsy_srand(4242);
    bool moved = false;
    for (int round = 0; round < 20; ++round) {
        g.shuffle();
        QCOMPARE(sortedDegrees(g), degrees);
        moved = moved || edgeList(g) != edges;
    }
    QCOMPARE(g.getNbEdges(), edges.count(QLatin1Char('-')));
    QCOMPARE(g.getID() != stamp, n >= 2); // nothing to relabel below two vertices
    QCOMPARE(g.graphData(), best);
    QCOMPARE(moved, n >= 5); // graphs with a non-trivial relabelling do get relabelled
}

void TestGraph::stampRules_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("moves");
    QTest::newRow("addEdge") << "addEdge" << true;
    QTest::newRow("remEdge") << "remEdge" << true;
    QTest::newRow("remEdge outside") << "remEdgeOutside" << false;
    QTest::newRow("toggleEdge") << "toggleEdge" << false;
    QTest::newRow("invert") << "invert" << false;
    QTest::newRow("shuffle") << "shuffle" << true; // same invariants, other vertex vectors
    QTest::newRow("best_backup") << "best_backup" << false;
    QTest::newRow("update_display") << "update_display" << false;
    QTest::newRow("addNode") << "addNode" << true;
    QTest::newRow("remNode()") << "remNode" << true;
    QTest::newRow("remNode(k)") << "remNodeK" << true;
    QTest::newRow("clear") << "clear" << true;
    QTest::newRow("copy") << "copy" << true;
    QTest::newRow("changeBest") << "changeBest" << true;
}

void TestGraph::stampRules()
{
    QFETCH(QString, operation);
    QFETCH(bool, moves);
    Graph g(QStringLiteral("G"), false);
    Graph other(QStringLiteral("other"), false);
    buildGraph(g, 6, QStringLiteral("0-1,1-2,2-3"));
    const qint64 before = g.getID();
    const QHash<QString, std::function<void()>> run = {{"addEdge", [&] { g.addEdge(4, 5); }},
                                                       {"remEdge", [&] { g.remEdge(0, 1); }},
                                                       {"remEdgeOutside", [&] { g.remEdge(0, 40); }},
                                                       {"toggleEdge", [&] { g.toggleEdge(0, 5); }},
                                                       {"invert", [&] { g.invert(); }},
                                                       {"shuffle", [&] { g.shuffle(); }},
                                                       {"best_backup", [&] { g.best_backup(); }},
                                                       {"update_display", [&] { g.update_display(); }},
                                                       {"addNode", [&] { g.addNode(); }},
                                                       {"remNode", [&] { g.remNode(); }},
                                                       {"remNodeK", [&] { g.remNode(2); }},
                                                       {"clear", [&] { g.clear(); }},
                                                       {"copy", [&] { g.copy(&other); }},
                                                       {"changeBest", [&] { g.changeBest(); }}};
    QVERIFY(run.contains(operation));
    run.value(operation)();
    QCOMPARE(g.getID() != before, moves);
    if (moves)
        QVERIFY(g.getID() != other.getID()); // a fresh stamp, not a copied one
}

void TestGraph::backupAndRestore()
{
    Graph g(QStringLiteral("G"), false);
    buildGraph(g, 5, QStringLiteral("0-1,1-2,3-4"));
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);
    g.changeBest();
    QCOMPARE(changed.count(), 1);
    const qint64 published = g.getID();
    const QString best = g.graphData();
    QCOMPARE(best, g.currentGraphData());

    g.addEdge(0, 4);
    g.addNode();
    g.remEdge(3, 4);
    QCOMPARE(g.graphData(), best); // the best graph is a snapshot
    QVERIFY(g.bestEdge(4, 3) && !g.bestEdge(0, 4) && !g.bestEdge(0, 5) && !g.bestEdge(2, 2));

    g.best_restore();
    QCOMPARE(g.getID(), published);
    QCOMPARE(g.currentGraphData(), best);
    for (int k = 0; k < 32; ++k)
        QCOMPARE(g.getNode(k)->getExists(), k < 5);
}

void TestGraph::copy_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::addColumn<bool>("complement");
    QTest::newRow("empty order") << 0 << "" << false;
    QTest::newRow("larger") << 14 << "0-13,5-6,12-13" << false;
    QTest::newRow("K32 minus one edge") << 32 << "0-31" << true;
}

void TestGraph::copy()
{
    QFETCH(int, n);
    QFETCH(QString, edges);
    QFETCH(bool, complement);
    Graph source(QStringLiteral("source"), false);
    buildGraph(source, n, edges);
    if (complement)
        source.invert();
    Graph target(QStringLiteral("target"), false);
    target.randomGraph(20);
    target.best_backup();
    const QString targetBest = target.graphData();
    target.copy(&source);
    QCOMPARE(target.currentGraphData(), source.currentGraphData());
    QCOMPARE(target.graphData(), targetBest);
    while (target.addNode() && source.addNode()) {
    }
    QCOMPARE(edgeList(target), edgeList(source));
}

void TestGraph::copySelfNullAndClone()
{
    Graph g(QStringLiteral("graph"), true);
    buildGraph(g, 6, QStringLiteral("0-5,2-3"));
    g.copy(&g); // must neither deadlock nor change the graph
    QCOMPARE(edgeList(g), QStringLiteral("0-5,2-3"));
    const GraphState before = stateOf(g);
    g.copy(nullptr);
    QVERIFY(stateOf(g) == before);
    QScopedPointer<Graph> c(g.clone());
    QCOMPARE(c->getName(), QStringLiteral("Clone"));
    QVERIFY(!c->isDisplayed() && c->scene() == nullptr);
    QCOMPARE(c->currentGraphData(), g.currentGraphData());
}

void TestGraph::adjacencyRowsMatchEdge_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("singleCells");
    for (int n : {0, 1, 2, 5, 17, 31, 32}) {
        QTest::newRow(qPrintable(QStringLiteral("n=%1").arg(n))) << n << false;
        QTest::newRow(qPrintable(QStringLiteral("n=%1, single cells").arg(n))) << n << true;
    }
}

void TestGraph::adjacencyRowsMatchEdge()
{
    QFETCH(int, n);
    QFETCH(bool, singleCells);
    Graph g(QStringLiteral("G"), false);
    tsy_srand(777 + n);
    g.randomGraph(n);
    if (singleCells) {
        // Cells set in one half of a pair only, then a complement that sets the diagonal.
        for (int k = 0; k < 40; ++k)
            g.toggleEdge(tsy_rand(32), tsy_rand(32));
        g.invert();
    }
    quint32 rows[32];
    std::fill(rows, rows + 32, 0xdeadbeefu);
    QCOMPARE(g.adjacencyRows(rows), n);
    int twice = 0;
    for (int i = 0; i < 32; ++i) {
        for (int j = 0; j < 32; ++j)
            QCOMPARE(bool((rows[i] >> j) & 1u), g.edge(i, j));
        twice += qPopulationCount(rows[i]);
    }
    QCOMPARE(twice / 2, g.getNbEdges());
}

void TestGraph::displayMarks_data()
{
    QTest::addColumn<bool>("displayed");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::newRow("headless, path") << false << 4 << "0-1,1-2,2-3";
    QTest::newRow("displayed, empty") << true << 0 << "";
    QTest::newRow("displayed, one vertex") << true << 1 << "";
    QTest::newRow("displayed, path") << true << 4 << "0-1,1-2,2-3";
}

void TestGraph::displayMarks()
{
    QFETCH(bool, displayed);
    QFETCH(int, n);
    QFETCH(QString, edges);
    Graph g(QStringLiteral("graph"), displayed);
    buildGraph(g, n, edges);
    g.best_backup();
    g.addNode(); // edits after the backup are not what is shown
    g.addEdge(0, n);
    g.update_display();
    for (int i = 0; i < 32; ++i) {
        QCOMPARE(g.getNode(i)->getVisible(), i < n);
        QCOMPARE(g.getNode(i)->isVisible(), !displayed || i < n);
        for (int j = 0; j < i; ++j) {
            QCOMPARE(g.getEdge(i, j)->getVisible(), g.bestEdge(i, j));
            if (displayed)
                QCOMPARE(g.getEdge(i, j)->isVisible(), g.bestEdge(i, j));
        }
    }
}

void TestGraph::workerThreadUsesHeadlessGraph()
{
    Graph g(QStringLiteral("VNS"), false);
    Graph source(QStringLiteral("source"), false);
    buildGraph(source, 8, QStringLiteral("0-7,3-4"));
    warningsSeen.storeRelaxed(0);
    QtMessageHandler previous = qInstallMessageHandler(countWarnings);
    QString result;
    QScopedPointer<QThread> worker(QThread::create([&]() {
        for (int round = 0; round < 200; ++round) {
            g.randomGraph(12);
            g.addNode();
            g.remNode(3);
            g.shuffle();
            g.changeBest();
            g.setViolated(round % 2 == 0);
            g.loadtsy(QStringLiteral("3 101"), true);
            g.loadg6(QStringLiteral("C~"), true);
            g.copy(&source);
        }
        result = g.currentGraphData();
    }));
    worker->start();
    QVERIFY(worker->wait(60000));
    qInstallMessageHandler(previous);
    QCOMPARE(warningsSeen.loadRelaxed(), 0);
    QCOMPARE(result, source.currentGraphData());
}

// Workers take stamps in blocks of their own; whatever the interleaving, no stamp may name two
// states, on one graph or across graphs (a cached item result would then be reused wrongly).
void TestGraph::stampsUniqueAcrossThreads()
{
    const int threads = 4, edits = 20000;
    QVector<Graph *> graphs;
    for (int t = 0; t < threads + 1; ++t)
        graphs << new Graph(QStringLiteral("worker"), false);
    QVector<QVector<qint64>> seen(threads + 1);
    QVector<QThread *> workers;
    for (int t = 0; t < threads; ++t)
        workers << QThread::create([&, t] {
            Graph *g = graphs[t];
            g->randomGraph(12);
            for (int k = 0; k < edits; ++k) {
                if (k % 2)
                    g->addEdge(k % 12, (k / 12) % 12);
                else
                    g->remEdge(k % 12, (k / 12) % 12);
                seen[t] << g->getID();
            }
        });
    for (QThread *w : workers)
        w->start();
    // The GUI thread edits a graph of its own meanwhile.
    for (int k = 0; k < edits; ++k) {
        graphs[threads]->addEdge(0, 1 + k % 5);
        seen[threads] << graphs[threads]->getID();
    }
    for (QThread *w : workers)
        QVERIFY(w->wait(60000));
    QSet<qint64> all;
    for (const QVector<qint64> &s : seen) {
        for (int k = 1; k < s.size(); ++k)
            QVERIFY(s[k] > s[k - 1]);
        for (qint64 x : s)
            all.insert(x);
    }
    QCOMPARE(all.size(), (threads + 1) * edits);
    qDeleteAll(workers);
    qDeleteAll(graphs);
}

void TestGraph::concurrentReaderSeesWholeEdges()
{
    Graph g(QStringLiteral("VNS"), false);
    buildGraph(g, 32, QString());
    QAtomicInt stop(0);
    QAtomicInt broken(0);
    QScopedPointer<QThread> reader(QThread::create([&]() {
        quint32 rows[32];
        while (!stop.loadRelaxed()) {
            const int n = g.adjacencyRows(rows);
            for (int i = 0; i < 32; ++i)
                for (int j = 0; j < 32; ++j)
                    if (((rows[i] >> j) & 1u) != ((rows[j] >> i) & 1u) || (i >= n && rows[i]))
                        broken.storeRelaxed(1);
        }
    }));
    reader->start();
    tsy_srand(3);
    for (int round = 0; round < 20000; ++round) {
        const int i = tsy_rand(32);
        const int j = tsy_rand(32);
        if (round % 2)
            g.addEdge(i, j);
        else
            g.remEdge(i, j);
        if (round % 1000 == 0)
            g.invert();
    }
    stop.storeRelaxed(1);
    QVERIFY(reader->wait(60000));
    QCOMPARE(broken.loadRelaxed(), 0);
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
