#pragma once

// Helpers for the tests of the degree-keeping and edge-count-keeping local searches: graphs with
// known degrees, and a worker whose private board minimises a probe that watches every
// evaluated candidate.

#include "graph/Graph.h"
#include "graph/Random.h"
#include "invariants/InvariantKit.h"
#include "optimisation/OptimalSolutions.h"
#include "optimisation/VNS.h"
#include "problem/BuildCalculus.h"
#include "problem/Invariant.h"
#include "problem/Problem.h"

#include <QPair>
#include <QString>
#include <QVector>

#include <memory>
#include <utility>

typedef QVector<QPair<int, int>> EdgeList;

inline int orderOf(const QString &graph)
{
    return graph.section(QLatin1Char(' '), 0, 0).toInt();
}

// Graph string ("n", blank, one bit per pair (1,0), (2,0), (2,1), ...) and back.
inline QString graphString(int n, const EdgeList &edges)
{
    QString bits(n * (n - 1) / 2, QLatin1Char('0'));
    for (const auto &p : edges) {
        const int i = qMax(p.first, p.second), j = qMin(p.first, p.second);
        bits[i * (i - 1) / 2 + j] = QLatin1Char('1');
    }
    return QString::number(n) + QLatin1Char(' ') + bits;
}

inline EdgeList edgesOf(const QString &graph)
{
    const QString bits = graph.section(QLatin1Char(' '), 1);
    EdgeList e;
    for (int i = 1, k = 0; i < orderOf(graph); ++i)
        for (int j = 0; j < i; ++j, ++k)
            if (k < bits.size() && bits[k] == QLatin1Char('1'))
                e.append({i, j});
    return e;
}

inline QVector<int> degreesOf(const QString &graph)
{
    QVector<int> d(orderOf(graph), 0);
    for (const auto &p : edgesOf(graph)) {
        ++d[p.first];
        ++d[p.second];
    }
    return d;
}

// Vertex i joined to i + s (mod n) for every step s below n / 2: regular of degree 2 |steps|.
inline EdgeList circulant(int n, const QVector<int> &steps)
{
    EdgeList e;
    for (int i = 0; i < n; ++i)
        for (int s : steps)
            e.append({i, (i + s) % n});
    return e;
}

// The tests' own random choices, independent of the generators the search draws from.
class TestRandom
{
public:
    explicit TestRandom(quint32 seed) : state(seed * 2654435761u + 12345u) {}
    int below(int k)
    {
        state = state * 1664525u + 1013904223u;
        return int((quint64(state >> 8) * quint64(k)) >> 24);
    }

private:
    quint32 state;
};

// Random double edge switches (u-v, w-x -> u-x, w-v) keep every degree.
inline EdgeList switched(int n, EdgeList e, int rounds, quint32 seed)
{
    TestRandom r(seed);
    QVector<QVector<bool>> a(n, QVector<bool>(n, false));
    for (const auto &p : e)
        a[p.first][p.second] = a[p.second][p.first] = true;
    for (int k = 0; k < rounds; ++k) {
        const int p = r.below(e.size()), q = r.below(e.size());
        const int u = e[p].first, v = e[p].second, w = e[q].first, x = e[q].second;
        if (u == w || u == x || v == w || v == x || a[u][x] || a[w][v])
            continue;
        a[u][v] = a[v][u] = a[w][x] = a[x][w] = false;
        a[u][x] = a[x][u] = a[w][v] = a[v][w] = true;
        e[p] = {u, x};
        e[q] = {w, v};
    }
    return e;
}

inline EdgeList relabelled(int n, const EdgeList &e, quint32 seed)
{
    TestRandom r(seed);
    QVector<int> p(n);
    for (int i = 0; i < n; ++i)
        p[i] = i;
    for (int i = n - 1; i > 0; --i)
        std::swap(p[i], p[r.below(i + 1)]);
    EdgeList out;
    for (const auto &q : e)
        out.append({p[q.first], p[q.second]});
    return out;
}

inline EdgeList randomWithEdges(int n, int m, quint32 seed)
{
    TestRandom r(seed);
    EdgeList all;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            all.append({i, j});
    for (int i = all.size() - 1; i > 0; --i)
        std::swap(all[i], all[r.below(i + 1)]);
    return all.mid(0, m);
}

// Objective that counts the evaluated candidates whose degrees or edge count differ from the
// expected ones; its value is a hash of the adjacency, so the archive takes some moves and
// refuses others. The start graph gets the worst value, so a descent from it has room.
class ProbeItem : public Invariant
{
public:
    ProbeItem()
    {
        InvariantKit::describe(this, false, QStringLiteral("PROBE"), QStringLiteral("probe"),
                               QStringLiteral("1"), QStringLiteral("1"));
    }

    void recompute() override
    {
        quint32 adj[32];
        const int n = InvariantKit::readRows(graph, adj);
        int twice = 0;
        bool kept = true;
        for (int i = 0; i < n; ++i) {
            twice += InvariantKit::degree(adj, i);
            kept &= degree < 0 || InvariantKit::degree(adj, i) == degree;
        }
        faults += !kept || (edges >= 0 && twice != 2 * edges);
        error = false;
        rows = cols = 1;
        M[0][0] = double((hash(adj, n) + 1009u - offset) % 1009u);
    }

    static quint32 hash(const quint32 *adj, int n)
    {
        quint32 h = 2166136261u;
        for (int i = 0; i < n; ++i)
            h = (h ^ adj[i]) * 16777619u;
        return (h ^ (h >> 15)) % 1009u;
    }

    int degree = -1; // every vertex's expected degree, -1: not checked
    int edges = -1;  // expected edge count, -1: not checked
    int faults = 0;
    quint32 offset = 0;
};

// A worker whose private board minimises the probe; order and edge count are not required.
class ProbeWorker
{
public:
    explicit ProbeWorker(int degree = 0)
        : graph(QStringLiteral("user"), false), problem(&graph, QStringLiteral("p"), false)
    {
        problem.setConnected(false);
        problem.setRegular(degree > 0);
        problem.setRegDegree(degree);
        worker.reset(new VNS(&problem, &graph, 0, nullptr, &best));
        Problem *own = worker->getOwnProblem();
        own->setFixNbArcs(false);
        probe = new ProbeItem;
        own->addInvariantItem(probe);
        Calculus *z = catalogue.makeCalculus(QStringLiteral("Z"), false);
        z->setMin(true);
        own->addZItem(z);
        own->link1(probe, z);
    }

    // Loads the start graph and archives it, evaluated, in the worker's own archive. With
    // relabel, every publication replaces the worker's graph by a relabelled copy, as a shared
    // archive does when another worker's graph is the latest.
    bool start(const QString &g, bool relabel = false)
    {
        Graph *own = worker->getOwnGraph();
        if (!own->loadCurrentGraph(g))
            return false;
        quint32 adj[32];
        const int n = own->adjacencyRows(adj);
        worker->getOwnProblem()->setNbNod(n);
        probe->offset = (ProbeItem::hash(adj, n) + 1) % 1009u;
        worker->perturb(0);
        probe->faults = 0;
        if (relabel)
            QObject::connect(
                worker.get(), &VNS::signal_publish_graph, worker.get(),
                [this, n](const QString &published, qint64) {
                    worker->getOwnGraph()->loadCurrentGraph(
                        graphString(n, relabelled(n, edgesOf(published), ++relabels)));
                },
                Qt::DirectConnection);
        return worker->getLocal()->size() == 1;
    }

    BuildCalculus catalogue;
    Graph graph;
    Problem problem;
    OptimalSolutions best;
    std::unique_ptr<VNS> worker;
    ProbeItem *probe = nullptr;
    quint32 relabels = 0;
};
