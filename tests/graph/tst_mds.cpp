#include "graph/Graph.h"
#include "graph/MDS.h"
#include "graph/Node.h"
#include "graph/Random.h"

#include "GraphTestHelpers.h"

#include <QtTest>

#include <cmath>

namespace
{

// Graph distances by Floyd-Warshall on the best graph; -1 for no path.
QVector<QVector<int>> distances(Graph &g)
{
    const int n = g.getNbNodes();
    const int inf = 1000;
    QVector<QVector<int>> d(n, QVector<int>(n, inf));
    for (int i = 0; i < n; ++i) {
        d[i][i] = 0;
        for (int j = 0; j < n; ++j)
            if (g.bestEdge(i, j))
                d[i][j] = 1;
    }
    for (int k = 0; k < n; ++k)
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                d[i][j] = std::min(d[i][j], d[i][k] + d[k][j]);
    for (auto &row : d)
        for (int &v : row)
            if (v == inf)
                v = -1;
    return d;
}

double drawnDistance(Graph &g, int i, int j)
{
    const Node *a = g.getNode(i);
    const Node *b = g.getNode(j);
    const double dx = a->getCoordX() - b->getCoordX();
    const double dy = a->getCoordY() - b->getCoordY();
    const double dz = a->getCoordZ() - b->getCoordZ();
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The stress of the drawn layout: targets are graph distances scaled so the longest one is the
// drawing size; pairs without a path aim at 2n times that unit and count only while drawn within
// the drawing size.
double stressOf(Graph &g, double size)
{
    const auto d = distances(g);
    const int n = g.getNbNodes();
    int diameter = 1;
    for (const auto &row : d)
        for (int v : row)
            diameter = std::max(diameter, v);
    const double unit = size / diameter;
    double s = 0.0;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const double t = d[i][j] < 0 ? 2.0 * n * unit : d[i][j] * unit;
            const double dd = drawnDistance(g, i, j);
            if (t > size && dd > size)
                continue;
            s += (dd - t) * (dd - t);
        }
    }
    return s;
}

void makeGraph(Graph &g, int n, const QString &edges)
{
    buildGraph(g, n, edges);
    g.best_backup();
}

} // namespace

class TestMDS : public QObject
{
    Q_OBJECT

private slots:
    void exactLayouts_data();
    void exactLayouts();
    void properties_data();
    void properties();
    void refusedSizeMovesNothing_data();
    void refusedSizeMovesNothing();
};

// Graphs that can be drawn with zero stress: every pair at its graph distance times size/diameter.
void TestMDS::exactLayouts_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("dim");
    QTest::newRow("path 3, 500") << 3 << "0-1,1-2" << 500.0 << 2;
    QTest::newRow("path 5, 400") << 5 << "0-1,1-2,2-3,3-4" << 400.0 << 2;
    QTest::newRow("triangle, 300") << 3 << "0-1,0-2,1-2" << 300.0 << 2;
    QTest::newRow("K4 in space, 200") << 4 << "0-1,0-2,0-3,1-2,1-3,2-3" << 200.0 << 3;
    QTest::newRow("single edge, 50") << 2 << "0-1" << 50.0 << 2;
}

void TestMDS::exactLayouts()
{
    QFETCH(int, n);
    QFETCH(QString, edges);
    QFETCH(double, size);
    QFETCH(int, dim);
    tsy_srand(7);
    Graph g(QStringLiteral("g"), false);
    makeGraph(g, n, edges);
    const auto d = distances(g);
    int diameter = 0;
    for (const auto &row : d)
        for (int v : row)
            diameter = std::max(diameter, v);
    MDS layout(&g, size, dim);
    QVERIFY(layout.done());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            QVERIFY2(
                qAbs(drawnDistance(g, i, j) - d[i][j] * size / diameter) < 0.01 * size,
                qPrintable(QStringLiteral("pair %1-%2 drawn %3").arg(i).arg(j).arg(drawnDistance(g, i, j))));
}

void TestMDS::properties_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("edges"); // "random" for a seeded random graph
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("dim");
    QTest::newRow("two components") << 4 << "0-1,2-3" << 500.0 << 2;
    QTest::newRow("isolated vertex and a path") << 4 << "0-1,1-2" << 500.0 << 3;
    QTest::newRow("edgeless 5") << 5 << "" << 500.0 << 2;
    QTest::newRow("edgeless 2, small drawing") << 2 << "" << 10.0 << 2;
    QTest::newRow("edgeless 32") << 32 << "" << 100.0 << 2;
    QTest::newRow("single vertex") << 1 << "" << 500.0 << 2;
    QTest::newRow("star 6, large drawing") << 6 << "0-1,0-2,0-3,0-4,0-5" << 2000.0 << 2;
    QTest::newRow("cycle 8, space") << 8 << "0-1,1-2,2-3,3-4,4-5,5-6,6-7,0-7" << 500.0 << 3;
    QTest::newRow("random 12") << 12 << "random" << 500.0 << 2;
    QTest::newRow("random 20, small drawing") << 20 << "random" << 10.0 << 2;
    QTest::newRow("random 32, space") << 32 << "random" << 500.0 << 3;
}

void TestMDS::properties()
{
    QFETCH(int, n);
    QFETCH(QString, edges);
    QFETCH(double, size);
    QFETCH(int, dim);
    tsy_srand(11);
    Graph g(QStringLiteral("g"), false);
    if (edges == QLatin1String("random")) {
        g.randomGraph(n);
        g.best_backup();
    } else {
        makeGraph(g, n, edges);
    }
    const qint64 stamp = g.getID();
    const QString before = g.graphData();

    // A connected graph is drawn within the drawing size of its centre; pieces without a path
    // between them are pushed more than the drawing size apart, so the bound grows with n.
    bool connected = true;
    for (const auto &row : distances(g))
        for (int v : row)
            connected = connected && v >= 0;
    const double bound = connected ? size : n * size;

    MDS layout(&g, size, dim);
    QVERIFY(layout.done());
    double mean[3] = {0, 0, 0};
    for (int i = 0; i < n; ++i) {
        const Node *v = g.getNode(i);
        const double c[3] = {v->getCoordX(), v->getCoordY(), v->getCoordZ()};
        for (int a = 0; a < 3; ++a) {
            QVERIFY(std::isfinite(c[a]));
            QVERIFY2(qAbs(c[a]) <= bound,
                     qPrintable(QStringLiteral("vertex %1 axis %2 at %3").arg(i).arg(a).arg(c[a])));
            mean[a] += c[a] / n;
        }
        if (dim == 2)
            QCOMPARE(v->getCoordZ(), 0.0);
    }
    for (double m : mean)
        QVERIFY(qAbs(m) < 1e-6 * size);

    const double drawn = stressOf(g, size);
    QVERIFY(qAbs(drawn - layout.finalStress()) <= 1e-6 * (1.0 + drawn));
    QVERIFY(drawn <= layout.startStress());
    if (layout.startStress() > 1e-3)
        QVERIFY(drawn < layout.startStress());
    // The layout only places vertices.
    QCOMPARE(g.getID(), stamp);
    QCOMPARE(g.graphData(), before);
}

void TestMDS::refusedSizeMovesNothing_data()
{
    QTest::addColumn<double>("size");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -5.0;
    QTest::newRow("not a number") << std::nan("");
    QTest::newRow("infinite") << HUGE_VAL;
}

void TestMDS::refusedSizeMovesNothing()
{
    QFETCH(double, size);
    Graph g(QStringLiteral("g"), false);
    makeGraph(g, 3, QStringLiteral("0-1,1-2"));
    for (int i = 0; i < 3; ++i)
        g.setPos(i, QPointF(i, 2 * i));
    MDS layout(&g, size, 2);
    QVERIFY(!layout.done());
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(g.getNode(i)->getCoordX(), double(i));
        QCOMPARE(g.getNode(i)->getCoordY(), double(2 * i));
    }
}

QTEST_MAIN(TestMDS)
#include "tst_mds.moc"
