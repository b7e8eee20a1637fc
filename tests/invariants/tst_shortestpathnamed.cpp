// The shortest-path invariants on paths, stars, cycles, complete graphs and the Petersen graph,
// against values worked out by hand (closed forms), plus the empty graph, the missing graph, the
// complement option and how the catalogue offers the keywords.

#include "InvariantTestGraphs.h"
#include "invariants/InvariantFactory.h"
#include "invariants/invSUURBALLE.h"
#include "problem/BuildCalculus.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace testgraphs;

namespace
{

const QStringList madeKeys = {"BETWEENNESS",   "CENTRALITY",  "CUTCENTRALITY", "DBETWEENNESS",
                              "DBETWEENNESS2", "DCENTRALITY", "DCENTRALITY2",  "NBETWEENNESS",
                              "IINDEX",        "PELORAND",    "PELORAND2"};

Calculus *makeItem(const QString &key)
{
    return key == QLatin1String("SUURBALLE") ? new invSUURBALLE(false) : InvariantFactory::make(key, false);
}

// A symmetric matrix with value(i, j) on the edges of the graph and 0 elsewhere, row by row.
QVector<double> onEdges(const EdgeList &edges, int n, const std::function<double(int, int)> &value)
{
    QVector<double> m(n * n, 0.0);
    for (const auto &e : edges) {
        m[e.first * n + e.second] = value(e.first, e.second);
        m[e.second * n + e.first] = value(e.first, e.second);
    }
    return m;
}

QVector<double> rowSums(const QVector<double> &m, int n)
{
    QVector<double> s(n, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            s[i] += m[i * n + j];
    return s;
}

QVector<double> normalised(const QVector<double> &b, int n)
{
    const QVector<double> s = rowSums(b, n);
    QVector<double> out(b);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            out[i * n + j] = b[i * n + j] / std::sqrt(s[i] * s[j]);
    return out;
}

EdgeList pathEdges(int n)
{
    EdgeList e;
    for (int i = 0; i + 1 < n; ++i)
        e.append({i, i + 1});
    return e;
}

EdgeList cycleEdges(int n)
{
    EdgeList e = pathEdges(n);
    e.append({n - 1, 0});
    return e;
}

EdgeList starEdges(int n)
{
    EdgeList e;
    for (int i = 1; i < n; ++i)
        e.append({0, i});
    return e;
}

EdgeList completeEdges(int n)
{
    EdgeList e;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            e.append({i, j});
    return e;
}

double harmonic(int k)
{
    double h = 0.0;
    for (int d = 1; d <= k; ++d)
        h += 1.0 / d;
    return h;
}

QVector<double> filled(int n, double x)
{
    return QVector<double>(n, x);
}

} // namespace

class TestShortestPathNamed : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void closedForms_data();
    void closedForms();
    void emptyGraph_data();
    void emptyGraph();
    void withoutGraph_data();
    void withoutGraph();
    void complement_data();
    void complement();
    void catalogue();
    void unevenSplit();

private:
    std::unique_ptr<Graph> graph;
};

void TestShortestPathNamed::initTestCase()
{
    graph.reset(new Graph(QStringLiteral("named"), false));
}

void TestShortestPathNamed::closedForms_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("graphText");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QVector<double>>("values");

    const auto add = [](const char *key, const QString &name, const QString &g, bool matrix,
                        const QVector<double> &v) {
        const int cols = matrix ? int(std::lround(std::sqrt(double(v.size())))) : 1;
        QTest::addRow("%s %s", key, qPrintable(name)) << QString::fromLatin1(key) << g << cols << v;
    };

    // Paths 0-1-...-(n-1): the edge (k, k+1) joins k + 1 vertices to n - k - 1. Every pair has one
    // shortest path, so its flow is 1 on each of its edges.
    for (int n = 2; n <= 7; ++n) {
        const QString g = path(n), name = QStringLiteral("P%1").arg(n);
        const EdgeList e = pathEdges(n);
        const auto pairsAcross = [n](int i, int j) { return double(qMin(i, j) + 1) * (n - qMax(i, j)); };
        const auto weighted = [n](int i, int j, int power) {
            double s = 0.0;
            for (int a = 0; a <= qMin(i, j); ++a)
                for (int b = qMax(i, j); b < n; ++b)
                    s += 1.0 / std::pow(double(b - a), power);
            return s;
        };
        const QVector<double> b = onEdges(e, n, pairsAcross);
        add("BETWEENNESS", name, g, true, b);
        add("CENTRALITY", name, g, false, rowSums(b, n));
        add("NBETWEENNESS", name, g, true, normalised(b, n));
        const QVector<double> db = onEdges(e, n, [&](int i, int j) { return weighted(i, j, 1); });
        const QVector<double> db2 = onEdges(e, n, [&](int i, int j) { return weighted(i, j, 2); });
        add("DBETWEENNESS", name, g, true, db);
        add("DBETWEENNESS2", name, g, true, db2);
        add("DCENTRALITY", name, g, false, rowSums(db, n));
        add("DCENTRALITY2", name, g, false, rowSums(db2, n));
        // density 2/n, sides k + 1 and n - k - 1, only the edge itself between them: c = 2
        add("CUTCENTRALITY", name, g, false,
            rowSums(onEdges(e, n, [&](int i, int j) { return pairsAcross(i, j) * (2.0 / n) / 2.0; }), n));
        // v's neighbours v - 1 and v + 1 split the rest into v and n - 1 - v vertices; v is tied
        // and its two edges count half: C = 2
        QVector<double> ii, pk;
        for (int v = 0; v < n; ++v) {
            ii.append(v == 0 || v == n - 1 ? 0.0 : v * (n - 1.0 - v) / 2.0);
            pk.append(n == 2 ? 4.0 : (v == 0 || v == n - 1 ? 4.0 : 2.0));
        }
        add("IINDEX", name, g, false, ii);
        add("PELORAND", name, g, false, pk);
        add("PELORAND2", name, g, false, filled(n, 0.0));
        add("SUURBALLE", name, g, false, {0.0});
    }

    // Stars: centre 0 and n - 1 leaves.
    for (int n = 3; n <= 7; ++n) {
        const QString g = star(n), name = QStringLiteral("S%1").arg(n);
        const EdgeList e = starEdges(n);
        const QVector<double> b = onEdges(e, n, [n](int, int) { return n - 1.0; });
        add("BETWEENNESS", name, g, true, b);
        add("CENTRALITY", name, g, false, rowSums(b, n));
        add("NBETWEENNESS", name, g, true, normalised(b, n));
        // its own pair, and every other leaf at distance 2 both ways, a quarter each
        add("DBETWEENNESS", name, g, true, onEdges(e, n, [n](int, int) { return 1.0 + (n - 2) / 2.0; }));
        add("DBETWEENNESS2", name, g, true, onEdges(e, n, [n](int, int) { return 1.0 + (n - 2) / 4.0; }));
        QVector<double> cut{(n - 1.0) * (n - 1.0) / n}, ii{(n - 1.0) * (n - 2.0) / 4.0}, pk{n - 1.0};
        for (int v = 1; v < n; ++v) {
            cut.append((n - 1.0) / n);
            ii.append(0.0);
            pk.append((n - 1.0) * (n - 1.0));
        }
        add("CUTCENTRALITY", name, g, false, cut);
        add("IINDEX", name, g, false, ii);
        add("PELORAND", name, g, false, pk);
        add("PELORAND2", name, g, false, filled(n, 0.0));
        add("SUURBALLE", name, g, false, {0.0});
    }

    // Cycles: n = 2k + 1 has one shortest path per pair; n = 2k has two for the opposite pairs.
    for (int n = 4; n <= 9; ++n) {
        const QString g = cycle(n), name = QStringLiteral("C%1").arg(n);
        const EdgeList e = cycleEdges(n);
        const bool odd = n % 2 == 1;
        const int k = n / 2;
        const double edgeB = odd ? k * (k + 1) / 2.0 : k * k / 2.0;
        const double edgeDB = odd ? k : k - 0.5;
        const double edgeDB2 = odd ? harmonic(k) : harmonic(k - 1) + 1.0 / (2.0 * k);
        add("BETWEENNESS", name, g, true, onEdges(e, n, [&](int, int) { return edgeB; }));
        add("CENTRALITY", name, g, false, filled(n, 2 * edgeB));
        add("NBETWEENNESS", name, g, true, onEdges(e, n, [](int, int) { return 0.5; }));
        add("DBETWEENNESS", name, g, true, onEdges(e, n, [&](int, int) { return edgeDB; }));
        add("DBETWEENNESS2", name, g, true, onEdges(e, n, [&](int, int) { return edgeDB2; }));
        add("DCENTRALITY", name, g, false, filled(n, 2 * edgeDB));
        add("DCENTRALITY2", name, g, false, filled(n, 2 * edgeDB2));
        // sides of k vertices; c = 3 (the edge and the opposite edge, or the opposite tied vertex)
        const double cut = k * k * (2.0 / (n - 1)) / 3.0;
        add("CUTCENTRALITY", name, g, false, filled(n, 2 * cut));
        add("IINDEX", name, g, false, filled(n, (odd ? k * k : (k - 1) * (k - 1)) / 3.0));
        add("PELORAND", name, g, false, filled(n, 0.0));
        add("PELORAND2", name, g, false, filled(n, 0.0));
        add("SUURBALLE", name, g, false, {n * n * (n - 1) / 2.0});
    }

    // Complete graphs: every pair is an edge; the other n - 2 vertices are tied.
    for (int n = 2; n <= 7; ++n) {
        const QString g = complete(n), name = QStringLiteral("K%1").arg(n);
        const EdgeList e = completeEdges(n);
        const QVector<double> one = onEdges(e, n, [](int, int) { return 1.0; });
        add("BETWEENNESS", name, g, true, one);
        add("CENTRALITY", name, g, false, filled(n, n - 1.0));
        add("DBETWEENNESS", name, g, true, one);
        add("DBETWEENNESS2", name, g, true, one);
        add("DCENTRALITY", name, g, false, filled(n, n - 1.0));
        add("DCENTRALITY2", name, g, false, filled(n, n - 1.0));
        add("NBETWEENNESS", name, g, true, onEdges(e, n, [n](int, int) { return 1.0 / (n - 1); }));
        add("CUTCENTRALITY", name, g, false, filled(n, (n - 1.0) / n));
        add("IINDEX", name, g, false, filled(n, (n - 1.0) * (n - 2.0) / (2.0 * n)));
        add("PELORAND", name, g, false, filled(n, n == 2 ? 4.0 : 0.0));
        add("PELORAND2", name, g, false, filled(n, 0.0));
        add("SUURBALLE", name, g, false, {n == 2 ? 0.0 : 3.0 * n * (n - 1) / 2.0});
    }

    // Petersen graph: 15 pairs at distance 1, 30 at distance 2 with one shortest path each (girth
    // 5), spread evenly over the 15 edges; every pair lies on a 5-cycle. For an edge, each end and
    // its two other neighbours form a side, the other four vertices are tied, and eight edges join
    // a tied vertex to a side: c = 1 + 1 + 4 with density 1/3.
    {
        const QString g = petersen();
        EdgeList e;
        for (int i = 0; i < 5; ++i)
            e << qMakePair(i, (i + 1) % 5) << qMakePair(i, i + 5) << qMakePair(5 + i, 5 + (i + 2) % 5);
        add("BETWEENNESS", "Petersen", g, true, onEdges(e, 10, [](int, int) { return 5.0; }));
        add("CENTRALITY", "Petersen", g, false, filled(10, 15.0));
        add("NBETWEENNESS", "Petersen", g, true, onEdges(e, 10, [](int, int) { return 1.0 / 3.0; }));
        add("DBETWEENNESS", "Petersen", g, true, onEdges(e, 10, [](int, int) { return 3.0; }));
        add("DBETWEENNESS2", "Petersen", g, true, onEdges(e, 10, [](int, int) { return 2.0; }));
        add("DCENTRALITY", "Petersen", g, false, filled(10, 9.0));
        add("DCENTRALITY2", "Petersen", g, false, filled(10, 6.0));
        add("CUTCENTRALITY", "Petersen", g, false, filled(10, 1.5));
        add("PELORAND", "Petersen", g, false, filled(10, 0.0));
        add("SUURBALLE", "Petersen", g, false, {225.0});
    }

    // Triangle 0-1-2 with leaves 3 and 4 on vertex 1: rooted at 0, neighbour 1 takes both leaves
    // and 2 none; rooted at 1, the counts are 0, 0, 1, 1.
    {
        const QString g = graphString(5, {{0, 1}, {1, 2}, {0, 2}, {1, 3}, {1, 4}});
        add("PELORAND", "triangle with two leaves", g, false, {4, 2, 4, 4, 4});
        add("PELORAND2", "triangle with two leaves", g, false, {1, 1, 1, 0, 0});
    }
}

void TestShortestPathNamed::closedForms()
{
    QFETCH(QString, key);
    QFETCH(QString, graphText);
    QFETCH(int, cols);
    QFETCH(QVector<double>, values);

    std::unique_ptr<Calculus> item(makeItem(key));
    QVERIFY(item);
    const Outcome o = computeOn(item.get(), graph.get(), graphText);
    QVERIFY(!o.error);
    QCOMPARE(o.cols, cols);
    QCOMPARE(o.rows * o.cols, values.size());
    for (int k = 0; k < values.size(); ++k)
        QVERIFY2(std::fabs(o.values[k] - values[k]) <= 1e-12 * std::max(1.0, std::fabs(values[k])),
                 qPrintable(QStringLiteral("entry %1: %2, expected %3")
                                .arg(k)
                                .arg(o.values[k], 0, 'g', 17)
                                .arg(values[k], 0, 'g', 17)));
}

void TestShortestPathNamed::emptyGraph_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("cols");
    const QStringList vectors = {"CENTRALITY", "CUTCENTRALITY", "DCENTRALITY", "DCENTRALITY2",
                                 "IINDEX",     "PELORAND",      "PELORAND2"};
    for (const QString &key : madeKeys)
        QTest::newRow(qPrintable(key)) << key << (vectors.contains(key) ? 1 : 0);
}

// Order 0 is no error: matrices are 0 x 0, vectors 0 x 1.
void TestShortestPathNamed::emptyGraph()
{
    QFETCH(QString, key);
    QFETCH(int, cols);
    std::unique_ptr<Calculus> item(makeItem(key));
    const Outcome o = computeOn(item.get(), graph.get(), QStringLiteral("0 "));
    QVERIFY(!o.error);
    QCOMPARE(o.rows, 0);
    QCOMPARE(o.cols, cols);
}

void TestShortestPathNamed::withoutGraph_data()
{
    QTest::addColumn<QString>("key");
    for (const QString &key : madeKeys + QStringList{"SUURBALLE"})
        QTest::newRow(qPrintable(key)) << key;
}

// No graph: error, 0 x 0, and the result matrix untouched.
void TestShortestPathNamed::withoutGraph()
{
    QFETCH(QString, key);
    std::unique_ptr<Calculus> item(makeItem(key));
    item->M[0][0] = 7.0;
    item->M[3][1] = 8.0;
    item->recompute();
    QVERIFY(item->error);
    QCOMPARE(item->rows, 0);
    QCOMPARE(item->cols, 0);
    QCOMPARE(item->M[0][0], 7.0);
    QCOMPARE(item->M[3][1], 8.0);
}

void TestShortestPathNamed::complement_data()
{
    QTest::addColumn<QString>("key");
    for (const QString &key : madeKeys)
        QTest::newRow(qPrintable(key)) << key;
}

// With "Complement" the item sees the complement; both the house-like complement of P6 with a
// pendant vertex and the graph itself are connected and have leaves.
void TestShortestPathNamed::complement()
{
    QFETCH(QString, key);
    const QString g = graphString(6, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {1, 4}, {4, 5}});
    std::unique_ptr<Calculus> a(makeItem(key)), b(makeItem(key));
    const Outcome inverted = computeOn(a.get(), graph.get(), g, true);
    std::unique_ptr<Graph> other(new Graph(QStringLiteral("complement"), false));
    const Outcome direct = computeOn(b.get(), other.get(), complementString(g));
    QCOMPARE(inverted.error, direct.error);
    QCOMPARE(inverted.rows, direct.rows);
    QCOMPARE(inverted.cols, direct.cols);
    QCOMPARE(inverted.values, direct.values);
    QCOMPARE(graph->currentGraphData(), g); // the graph is restored
}

// Palette lists offer BETWEENNESS, CENTRALITY, CUTCENTRALITY and IINDEX; the distance-weighted
// and normalised betweenness and the leaf items load by keyword only; SUURBALLE is never made.
void TestShortestPathNamed::catalogue()
{
    BuildCalculus catalogue;
    const QStringList listed = catalogue.invariantsVal + catalogue.invariantsVec + catalogue.invariantsMat;
    for (const QString &key : madeKeys) {
        std::unique_ptr<Calculus> c(catalogue.makeCalculus(key, false));
        QVERIFY2(c, qPrintable(key));
        QCOMPARE(c->name, key);
        const bool offered = key == QLatin1String("BETWEENNESS") || key == QLatin1String("CENTRALITY") ||
                             key == QLatin1String("CUTCENTRALITY") || key == QLatin1String("IINDEX");
        QCOMPARE(listed.contains(key), offered);
    }
    QVERIFY(!catalogue.makeCalculus(QStringLiteral("SUURBALLE"), false));
    QVERIFY(!listed.contains(QStringLiteral("SUURBALLE")));
}

// The pair (0, 6) has three shortest paths, two through vertex 1. From 0 the flow splits in halves
// at 0; from 6 in thirds at 6, two of which meet at 1: 1/2 and 2/3 on the edge {0, 1}, not the
// share of shortest paths (2/3 both ways). Summed over all ordered pairs, DB(0, 1) = 19/6.
void TestShortestPathNamed::unevenSplit()
{
    const QString g = graphString(7, {{0, 1}, {0, 2}, {1, 3}, {1, 4}, {2, 5}, {3, 6}, {4, 6}, {5, 6}});
    std::unique_ptr<Calculus> db(makeItem(QStringLiteral("DBETWEENNESS")));
    const Outcome o = computeOn(db.get(), graph.get(), g);
    QVERIFY(!o.error);
    QVERIFY(std::fabs(o.values[0 * 7 + 1] - 19.0 / 6.0) < 1e-12);
    QCOMPARE(o.values[1 * 7 + 0], o.values[0 * 7 + 1]);
}

QTEST_MAIN(TestShortestPathNamed)
#include "tst_shortestpathnamed.moc"
