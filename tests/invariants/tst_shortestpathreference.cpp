// The shortest-path invariants against independent values, on every graph of 1 to 7 vertices and
// on fixed connected graphs of 8 to 32 vertices (tests/generators/betweenness_reference.py wrote
// tests/data/betweenness_reference.txt with networkx):
//  - BETWEENNESS is networkx's unnormalised edge betweenness;
//  - CENTRALITY sums the edge betweenness at each vertex. A shortest s-t path through v uses two
//    edges at v, one when v is an end, so it is 2 * (networkx's vertex betweenness) + (n - 1);
//  - the quantities networkx does not have (path flow, cut centrality, I-index, leaf assignment,
//    shortest cycles) against brute forces written here from their definitions: shortest paths
//    and cycles enumerated one by one, distances by Floyd-Warshall, sides by plain loops.
// A disconnected graph is an error: BETWEENNESS, CENTRALITY and SUURBALLE report no value
// (0 x 0); the flow, cut and I-index items keep an n x n block of zeros; the leaf items still give
// their values when every leaf reaches a neighbour of each vertex.

#include "InvariantTestGraphs.h"
#include "invariants/InvariantFactory.h"
#include "invariants/invSUURBALLE.h"
#include "support/TestData.h"

#include <QHash>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numeric>

using namespace testgraphs;

namespace
{

struct Reference {
    QString graph;
    int n = 0;
    bool connected = false;
    QVector<double> edgeValues; // one per edge in pair order
    QVector<double> vertexValues;
};

QVector<Reference> readReference()
{
    QVector<Reference> out;
    for (const QString &line : readDataLines(QStringLiteral("betweenness_reference.txt"))) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 2)
            continue;
        if (f[0] == QLatin1String("G")) {
            Reference r;
            r.n = f[1].toInt();
            r.graph = QString::number(r.n) + QLatin1Char(' ') +
                      (f.value(2) == QLatin1String("-") ? QString() : f[2]);
            out.append(r);
            continue;
        }
        if (out.isEmpty())
            continue;
        Reference &r = out.last();
        if (f[1] == QLatin1String("none"))
            continue;
        r.connected = true;
        QVector<double> v;
        for (int k = 1; k < f.size(); ++k)
            v.append(f[k].toDouble());
        (f[0] == QLatin1String("EB") ? r.edgeValues : r.vertexValues) = v;
    }
    return out;
}

// The adjacency of a graph string.
QVector<QVector<bool>> adjacency(const QString &graph)
{
    const int blank = graph.indexOf(QLatin1Char(' '));
    const int n = graph.left(blank).toInt();
    QVector<QVector<bool>> a(n, QVector<bool>(n, false));
    int k = blank + 1;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j, ++k)
            a[i][j] = a[j][i] = graph.at(k) == QLatin1Char('1');
    return a;
}

struct Expected {
    int rows = 0;
    int cols = 0;
    bool error = false;
    QVector<double> values; // row by row
};

const int Inf = 1000;

// Everything the brute forces share: the adjacency and the Floyd-Warshall distances.
struct Brute {
    int n;
    QVector<QVector<bool>> a;
    QVector<QVector<int>> d;
    bool connected = true;

    explicit Brute(const QString &graph) : a(adjacency(graph))
    {
        n = a.size();
        d = QVector<QVector<int>>(n, QVector<int>(n, Inf));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                d[i][j] = i == j ? 0 : (a[i][j] ? 1 : Inf);
        for (int k = 0; k < n; ++k)
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j)
                    d[i][j] = qMin(d[i][j], d[i][k] + d[k][j]);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (d[i][j] >= Inf)
                    connected = false;
    }

    Expected zeros() const
    {
        Expected e;
        e.rows = n;
        e.cols = n;
        e.error = true;
        e.values.fill(0.0, n * n);
        return e;
    }

    // Every shortest s-t path, as a vertex list, handed to visit.
    void shortestPaths(int s, int t, const std::function<void(const QVector<int> &)> &visit) const
    {
        QVector<int> path{s};
        std::function<void(int)> walk = [&](int u) {
            if (u == t) {
                visit(path);
                return;
            }
            for (int w = 0; w < n; ++w) {
                if (a[u][w] && d[s][w] == d[s][u] + 1 && d[w][t] == d[u][t] - 1) {
                    path.append(w);
                    walk(w);
                    path.removeLast();
                }
            }
        };
        walk(s);
    }

    // Path flow weighted per pair: sum over ordered pairs of weight(L) * flow on each edge. The
    // flow of one path is the product of the equal splits at its vertices.
    QVector<QVector<double>> flow(const std::function<double(int)> &weight) const
    {
        QVector<QVector<double>> f(n, QVector<double>(n, 0.0));
        for (int s = 0; s < n; ++s) {
            for (int t = 0; t < n; ++t) {
                if (s == t)
                    continue;
                shortestPaths(s, t, [&](const QVector<int> &p) {
                    double amount = 1.0;
                    for (int k = 0; k + 1 < p.size(); ++k) {
                        int onward = 0;
                        for (int w = 0; w < n; ++w)
                            if (a[p[k]][w] && d[s][w] == d[s][p[k]] + 1 && d[w][t] == d[p[k]][t] - 1)
                                ++onward;
                        amount /= onward;
                    }
                    for (int k = 0; k + 1 < p.size(); ++k) {
                        f[p[k]][p[k + 1]] += amount * weight(d[s][t]);
                        f[p[k + 1]][p[k]] += amount * weight(d[s][t]);
                    }
                });
            }
        }
        return f;
    }

    // a, b and c of the pair (i, j), by the definition of the sides.
    void split(int i, int j, double &a_, double &b_, double &c_) const
    {
        QVector<int> side(n, 0);
        for (int k = 0; k < n; ++k)
            side[k] = d[i][k] < d[j][k] ? -1 : (d[j][k] < d[i][k] ? 1 : 0);
        a_ = std::count(side.begin(), side.end(), -1);
        b_ = std::count(side.begin(), side.end(), 1);
        c_ = 1.0;
        for (int p = 0; p < n; ++p)
            for (int q = p + 1; q < n; ++q)
                if (a[p][q]) {
                    if (side[p] * side[q] == -1)
                        c_ += 1.0;
                    else if (side[p] != side[q])
                        c_ += 0.5;
                }
    }

    Expected matrix(const QVector<QVector<double>> &m) const
    {
        Expected e;
        e.rows = n;
        e.cols = n;
        for (const auto &row : m)
            e.values += row;
        return e;
    }

    Expected rowSums(const QVector<QVector<double>> &m) const
    {
        Expected e;
        e.rows = n;
        e.cols = 1;
        for (const auto &row : m)
            e.values.append(std::accumulate(row.begin(), row.end(), 0.0));
        return e;
    }

    Expected flowItem(const QString &key) const
    {
        if (!connected)
            return zeros();
        const bool squared = key.endsWith(QLatin1Char('2'));
        const auto weight = [squared](int L) { return squared ? 1.0 / (2.0 * L * L) : 1.0 / (2.0 * L); };
        if (key == QLatin1String("NBETWEENNESS")) {
            const auto b = flow([](int) { return 0.5; });
            QVector<double> s(n, 0.0);
            for (int i = 0; i < n; ++i)
                s[i] = std::accumulate(b[i].begin(), b[i].end(), 0.0);
            auto nb = b;
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j)
                    nb[i][j] = b[i][j] == 0.0 ? 0.0 : b[i][j] / std::sqrt(s[i] * s[j]);
            return matrix(nb);
        }
        const auto f = flow(weight);
        return key.startsWith(QLatin1String("DC")) ? rowSums(f) : matrix(f);
    }

    Expected cutCentrality() const
    {
        if (!connected)
            return zeros();
        int m = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                m += a[i][j];
        QVector<QVector<double>> cut(n, QVector<double>(n, 0.0));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (a[i][j]) {
                    double x, y, c;
                    split(i, j, x, y, c);
                    cut[i][j] = x * y * (m / (n * (n - 1) / 2.0)) / c;
                }
        return rowSums(cut);
    }

    Expected iIndex() const
    {
        if (!connected)
            return zeros();
        Expected e;
        e.rows = n;
        e.cols = 1;
        for (int v = 0; v < n; ++v) {
            double value = 0.0;
            for (int i = 0; i < n; ++i)
                for (int j = i + 1; j < n; ++j)
                    if (a[v][i] && a[v][j]) {
                        double x, y, c;
                        split(i, j, x, y, c);
                        value += x * y / c;
                    }
            e.values.append(value);
        }
        return e;
    }

    Expected leaves(bool spread) const
    {
        Expected e;
        e.error = !connected;
        for (int v = 0; v < n; ++v) {
            QVector<int> nb;
            for (int k = 0; k < n; ++k)
                if (a[v][k])
                    nb.append(k);
            QVector<int> count(nb.size(), 0);
            for (int leaf = 0; leaf < n; ++leaf) {
                if (std::count(a[leaf].begin(), a[leaf].end(), true) != 1)
                    continue;
                int chosen = -1;
                for (int k = 0; k < nb.size(); ++k)
                    if (d[leaf][nb[k]] < Inf && (chosen < 0 || d[leaf][nb[k]] < d[leaf][nb[chosen]]))
                        chosen = k;
                if (chosen < 0) {
                    Expected failed;
                    failed.error = true;
                    return failed;
                }
                ++count[chosen];
            }
            double value = 0.0;
            if (!spread) {
                for (int p : count)
                    value += p * p;
            } else if (!count.isEmpty()) {
                const int lo = *std::min_element(count.begin(), count.end());
                const int hi = *std::max_element(count.begin(), count.end());
                const int atLo = std::count(count.begin(), count.end(), lo);
                const int above = count.size() - atLo;
                value = (hi - lo >= 2 || (atLo >= 2 && above >= 2)) ? 1.0 : 0.0;
            }
            e.values.append(value);
        }
        e.rows = n;
        e.cols = 1;
        return e;
    }

    // Sum over the pairs of the shortest cycle through both (0 when there is none), from a list
    // of every simple cycle.
    Expected cycles() const
    {
        QVector<QVector<int>> shortest(n, QVector<int>(n, 0));
        QVector<int> path;
        std::function<void(int, int)> extend = [&](int root, int u) {
            for (int w = root; w < n; ++w) {
                if (!a[u][w])
                    continue;
                if (w == root && path.size() >= 3) {
                    for (int x : path)
                        for (int y : path)
                            if (x != y && (shortest[x][y] == 0 || path.size() < shortest[x][y]))
                                shortest[x][y] = path.size();
                } else if (w != root && !path.contains(w)) {
                    path.append(w);
                    extend(root, w);
                    path.removeLast();
                }
            }
        };
        for (int r = 0; r < n; ++r) {
            path = {r};
            extend(r, r);
        }
        Expected e;
        if (!connected) {
            e.error = true;
            return e;
        }
        double sum = 0.0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < i; ++j)
                sum += shortest[i][j];
        e.rows = 1;
        e.cols = 1;
        e.values = {sum};
        return e;
    }
};

bool close(double actual, double expected)
{
    return std::fabs(actual - expected) <= 1e-9 * std::max(1.0, std::fabs(expected));
}

// Larger graphs for the brute forces. In "detour" the only cycle through 0 and 4 leaves the
// shortest path 0-1-2-3-4 at 1 and rejoins it at 3 from the other side, so a search for the second
// of two disjoint paths must walk back along two edges of the first.
QVector<QPair<QString, QString>> extraGraphs()
{
    return {{"detour", graphString(11, {{0, 1},
                                        {1, 2},
                                        {2, 3},
                                        {3, 4},
                                        {1, 5},
                                        {5, 6},
                                        {6, 7},
                                        {7, 4},
                                        {0, 8},
                                        {8, 9},
                                        {9, 10},
                                        {10, 3}})},
            {"Petersen", petersen()},
            {"cube", hypercube(3)},
            {"K3,4", completeBipartite(3, 4)},
            {"C9", cycle(9)}};
}

const QStringList bruteKeys = {"DBETWEENNESS", "DBETWEENNESS2", "DCENTRALITY", "DCENTRALITY2",
                               "NBETWEENNESS", "CUTCENTRALITY", "IINDEX",      "PELORAND",
                               "PELORAND2",    "SUURBALLE"};

} // namespace

class TestShortestPathReference : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void networkx_data();
    void networkx();
    void bruteForce_data();
    void bruteForce();

private:
    Calculus *item(const QString &key);
    void check(const QString &key, const QString &graphText, const Expected &e);

    std::unique_ptr<Graph> graph;
    QHash<QString, Calculus *> items;
    QVector<Reference> reference;
};

void TestShortestPathReference::initTestCase()
{
    graph.reset(new Graph(QStringLiteral("reference"), false));
    reference = readReference();
    QVERIFY2(reference.size() > 1300, "reference data missing");
}

void TestShortestPathReference::cleanupTestCase()
{
    qDeleteAll(items);
    items.clear();
}

Calculus *TestShortestPathReference::item(const QString &key)
{
    Calculus *c = items.value(key);
    if (!c) {
        // SUURBALLE is not made by the factory; its class is the only way to it.
        c = key == QLatin1String("SUURBALLE") ? new invSUURBALLE(false) : InvariantFactory::make(key, false);
        if (c) {
            c->setGraph(graph.get());
            items.insert(key, c);
        }
    }
    return c;
}

void TestShortestPathReference::check(const QString &key, const QString &graphText, const Expected &e)
{
    Calculus *c = item(key);
    QVERIFY2(c, qPrintable(QStringLiteral("no item for ") + key));
    QVERIFY(graph->loadtsy(graphText, false));
    QVERIFY(c->compute(true));
    QCOMPARE(c->error, e.error);
    QCOMPARE(c->rows, e.rows);
    QCOMPARE(c->cols, e.cols);
    for (int i = 0; i < e.rows; ++i) {
        for (int j = 0; j < e.cols; ++j) {
            const double want = e.values.at(i * e.cols + j);
            const double got = c->M[i][j];
            QVERIFY2(close(got, want), qPrintable(QStringLiteral("entry (%1, %2): %3, expected %4")
                                                      .arg(i)
                                                      .arg(j)
                                                      .arg(got, 0, 'g', 15)
                                                      .arg(want, 0, 'g', 15)));
        }
    }
}

void TestShortestPathReference::networkx_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("graphText");
    QTest::addColumn<int>("index");

    for (int k = 0; k < reference.size(); ++k) {
        for (const char *key : {"BETWEENNESS", "CENTRALITY"})
            QTest::addRow("%s %d: %s", key, k, qPrintable(reference[k].graph))
                << QString::fromLatin1(key) << reference[k].graph << k;
    }
}

void TestShortestPathReference::networkx()
{
    QFETCH(QString, key);
    QFETCH(QString, graphText);
    QFETCH(int, index);
    const Reference &r = reference.at(index);
    const int n = r.n;

    Expected e;
    if (!r.connected) {
        e.error = true;
    } else if (key == QLatin1String("BETWEENNESS")) {
        const auto a = adjacency(graphText);
        QVector<QVector<double>> b(n, QVector<double>(n, 0.0));
        int k = 0;
        for (int i = 1; i < n; ++i)
            for (int j = 0; j < i; ++j)
                if (a[i][j])
                    b[i][j] = b[j][i] = r.edgeValues.at(k++);
        QCOMPARE(k, r.edgeValues.size());
        e.rows = n;
        e.cols = n;
        for (const auto &row : b)
            e.values += row;
    } else {
        e.rows = n;
        e.cols = n == 0 ? 0 : 1;
        for (double vb : r.vertexValues)
            e.values.append(2.0 * vb + (n - 1));
    }
    check(key, graphText, e);
}

void TestShortestPathReference::bruteForce_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("graphText");

    for (const Reference &r : reference) {
        if (r.n > 7)
            continue;
        for (const QString &key : bruteKeys)
            QTest::addRow("%s %s", qPrintable(key), qPrintable(r.graph)) << key << r.graph;
    }
    for (const auto &g : extraGraphs())
        for (const QString &key : bruteKeys)
            QTest::addRow("%s %s", qPrintable(key), qPrintable(g.first)) << key << g.second;
}

void TestShortestPathReference::bruteForce()
{
    QFETCH(QString, key);
    QFETCH(QString, graphText);
    const Brute b(graphText);
    Expected e;
    if (key == QLatin1String("CUTCENTRALITY"))
        e = b.cutCentrality();
    else if (key == QLatin1String("IINDEX"))
        e = b.iIndex();
    else if (key.startsWith(QLatin1String("PELORAND")))
        e = b.leaves(key.endsWith(QLatin1Char('2')));
    else if (key == QLatin1String("SUURBALLE"))
        e = b.cycles();
    else
        e = b.flowItem(key);
    check(key, graphText, e);
}

QTEST_MAIN(TestShortestPathReference)
#include "tst_shortestpathreference.moc"
