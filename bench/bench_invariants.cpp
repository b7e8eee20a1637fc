// recompute() of every invariant at orders 10, 20 and 32, on a sparse connected graph (a random
// tree with n/4 more edges) and on a dense one (each pair an edge with probability 0.8).
//
// The exact searches and the family recognisers also run over 200 graphs per kind ("spread/":
// sparse, p = 0.5, p = 0.8, p drawn per graph, random cubic and quintic graphs) and on hard named
// graphs ("named/"); the counters median_us and worst_us give one computation in microseconds.
//
//   bench_invariants --benchmark_filter=WIENER
//   bench_invariants --benchmark_filter='spread/CHROMATIC/'

#include "graph/Graph.h"
#include "invariants/InvariantFactory.h"
#include "problem/Calculus.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace
{

const char *const keywords[] = {
    "ADJACENCY",   "BALABAN",   "CLAWS",           "COMNEIGH",      "DEGMAX",       "DEGMIN",   "DEGREES",
    "DIAMETER",    "DISTANCES", "DISTCLOSESTLEAF", "DTRANSMISSION", "ECCENTRICITY", "HARARY",   "IDENTITY",
    "KCHERRIES",   "KIRCHHOFF", "LAPLACIAN",       "MODULARITY",    "NLAPLACIAN",   "NUMERO",   "ONEMAT",
    "ONEVEC",      "ORDER",     "PENDING",         "PLATT",         "RADIUS",       "RANDIC",   "SIZE",
    "SLLAPLACIAN", "SUMDISTP",  "TRANSMISSION",    "TRIANGLES",     "WIENER",       "ZAGREBM1", "ZAGREBM2"};

QString graphString(int n, const std::vector<std::vector<bool>> &a)
{
    QString s = QString::number(n) + QLatin1Char(' ');
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            s += a[i][j] ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

QString randomGraph(int n, bool dense, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<std::vector<bool>> a(n, std::vector<bool>(n, false));
    const auto link = [&](int i, int j) { a[i][j] = a[j][i] = true; };
    if (dense) {
        std::bernoulli_distribution coin(0.8);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (coin(rng))
                    link(i, j);
    } else {
        for (int v = 1; v < n; ++v)
            link(v, std::uniform_int_distribution<int>(0, v - 1)(rng));
        for (int k = 0; k < n / 4; ++k) {
            const int i = std::uniform_int_distribution<int>(0, n - 1)(rng);
            const int j = std::uniform_int_distribution<int>(0, n - 1)(rng);
            if (i != j)
                link(i, j);
        }
    }
    return graphString(n, a);
}

std::vector<std::unique_ptr<Graph>> graphs;

void runRecompute(benchmark::State &state, QString keyword, Graph *g)
{
    std::unique_ptr<Calculus> item(InvariantFactory::make(keyword, false));
    item->setGraph(g);
    for (auto _ : state) {
        item->recompute();
        benchmark::DoNotOptimize(item->M[0][0]);
    }
    // 1 where the invariant is undefined on the graph (no leaf for DISTCLOSESTLEAF, say)
    state.counters["failed"] = item->error ? 1 : 0;
}

// ---- The exact searches and the family recognisers over many graphs: median and worst ----------

const char *const exactKeywords[] = {"CHROMATIC", "CHROMATICVAL", "DOMINATION", "NCONN", "STABLEMAX",
                                     "TREE",      "CATERPILLAR",  "LOBSTER",    "COMET"};

// Each pair an edge with probability p (p < 0: uniform in [0.05, 0.95] per graph).
QString gnp(int n, double p, std::mt19937 &rng)
{
    std::vector<std::vector<bool>> a(n, std::vector<bool>(n, false));
    if (p < 0)
        p = std::uniform_real_distribution<double>(0.05, 0.95)(rng);
    std::bernoulli_distribution coin(p);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (coin(rng))
                a[i][j] = a[j][i] = true;
    return graphString(n, a);
}

// A random d-regular graph (pairing model, redrawn until simple); n * d must be even.
QString randomRegular(int n, int d, std::mt19937 &rng)
{
    for (;;) {
        std::vector<int> points;
        for (int v = 0; v < n; ++v)
            for (int k = 0; k < d; ++k)
                points.push_back(v);
        std::shuffle(points.begin(), points.end(), rng);
        std::vector<std::vector<bool>> a(n, std::vector<bool>(n, false));
        bool simple = true;
        for (size_t k = 0; k + 1 < points.size() && simple; k += 2) {
            const int u = points[k], v = points[k + 1];
            simple = u != v && !a[u][v];
            if (simple)
                a[u][v] = a[v][u] = true;
        }
        if (simple)
            return graphString(n, a);
    }
}

QString fromEdges(int n, const std::vector<std::pair<int, int>> &edges)
{
    std::vector<std::vector<bool>> a(n, std::vector<bool>(n, false));
    for (const auto &e : edges)
        a[e.first][e.second] = a[e.second][e.first] = true;
    return graphString(n, a);
}

// Mycielski's construction applied to the cycle C_c, `times` times (from C5: 11 vertices, then 23;
// from C7: 15, then 31, triangle-free with chromatic number 5).
QString mycielskiOfCycle(int c, int times)
{
    int n = c;
    std::vector<std::pair<int, int>> e;
    for (int i = 0; i < c; ++i)
        e.push_back({i, (i + 1) % c});
    for (int t = 0; t < times; ++t) {
        const auto old = e;
        for (const auto &p : old) {
            e.push_back({n + p.first, p.second});
            e.push_back({n + p.second, p.first});
        }
        for (int v = 0; v < n; ++v)
            e.push_back({n + v, 2 * n});
        n = 2 * n + 1;
    }
    return fromEdges(n, e);
}

QString complementOf(const QString &s)
{
    QString out = s;
    for (int k = s.indexOf(QLatin1Char(' ')) + 1; k < s.size(); ++k)
        out[k] = s[k] == QLatin1Char('1') ? QLatin1Char('0') : QLatin1Char('1');
    return out;
}

// recompute() of one item on every graph of a set, each timed alone; the counters give the
// median and the worst single computation in microseconds.
void runSpread(benchmark::State &state, QString keyword, std::vector<QString> set)
{
    Graph g(QStringLiteral("bench"), false);
    std::unique_ptr<Calculus> item(InvariantFactory::make(keyword, false));
    item->setGraph(&g);
    std::vector<double> times;
    for (auto _ : state) {
        double total = 0.0;
        for (const QString &s : set) {
            g.loadCurrentGraph(s);
            const auto t0 = std::chrono::steady_clock::now();
            item->recompute();
            const auto t1 = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(item->M[0][0]);
            const double t = std::chrono::duration<double>(t1 - t0).count();
            times.push_back(t);
            total += t;
        }
        state.SetIterationTime(total);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_us"] = times[times.size() / 2] * 1e6;
    state.counters["worst_us"] = times.back() * 1e6;
}

void registerExactSearches()
{
    std::mt19937 rng(20261207);
    const std::pair<const char *, double> kinds[] = {{"sparse", -2.0}, {"medium", 0.5}, {"dense", 0.8},
                                                     {"anyp", -1.0},   {"cubic", -3.0}, {"quintic", -5.0}};
    for (int n : {10, 20, 32}) {
        for (const auto &kind : kinds) {
            std::vector<QString> set;
            for (int k = 0; k < 200; ++k) {
                if (kind.second <= -3.0)
                    set.push_back(randomRegular(n, int(-kind.second), rng));
                else if (kind.second == -2.0)
                    set.push_back(randomGraph(n, false, rng()));
                else
                    set.push_back(gnp(n, kind.second, rng));
            }
            for (const char *key : exactKeywords) {
                const std::string name =
                    std::string("spread/") + key + "/" + kind.first + "/" + std::to_string(n);
                benchmark::RegisterBenchmark(name.c_str(), runSpread, QString::fromLatin1(key), set)
                    ->UseManualTime()
                    ->Iterations(3);
            }
        }
    }
    std::vector<std::pair<int, int>> cycle32,
        chvatal = {{0, 1},  {0, 4},  {0, 6},  {0, 9}, {1, 2},  {1, 5},  {1, 7},  {2, 3},
                   {2, 6},  {2, 8},  {3, 4},  {3, 7}, {3, 9},  {4, 5},  {4, 8},  {5, 10},
                   {5, 11}, {6, 10}, {6, 11}, {7, 8}, {7, 11}, {8, 10}, {9, 10}, {9, 11}};
    for (int i = 0; i < 31; ++i)
        cycle32.push_back({i, (i + 1) % 31});
    std::vector<std::pair<int, int>> cube, multipartite;
    for (int v = 0; v < 32; ++v)
        for (int b = 0; b < 5; ++b)
            if (v < (v ^ (1 << b)))
                cube.push_back({v, v ^ (1 << b)});
    for (int i = 0; i < 32; ++i)
        for (int j = i + 1; j < 32; ++j)
            if (i / 4 != j / 4)
                multipartite.push_back({i, j});
    // The Kneser graph KG(7, 2): the 2-subsets of 7 elements, adjacent when disjoint (21 vertices,
    // chromatic number 5, largest clique 3).
    std::vector<std::pair<int, int>> kneser;
    std::vector<int> subsets;
    for (int m = 0; m < 128; ++m)
        if (__builtin_popcount(m) == 2)
            subsets.push_back(m);
    for (size_t i = 0; i < subsets.size(); ++i)
        for (size_t j = i + 1; j < subsets.size(); ++j)
            if (!(subsets[i] & subsets[j]))
                kneser.push_back({int(i), int(j)});
    const std::pair<const char *, QString> named[] = {
        {"Mycielski31", mycielskiOfCycle(7, 2)},
        {"Kneser72", fromEdges(21, kneser)},
        {"Groetzsch", mycielskiOfCycle(5, 1)},
        {"Mycielski23", mycielskiOfCycle(5, 2)},
        {"Chvatal", fromEdges(12, chvatal)},
        {"C31", fromEdges(31, cycle32)},
        {"cubeQ5", fromEdges(32, cube)},
        {"K8x4", fromEdges(32, multipartite)},
        {"coMycielski23", complementOf(mycielskiOfCycle(5, 2))},
        {"coCubeQ5", complementOf(fromEdges(32, cube))},
    };
    for (const auto &g : named)
        for (const char *key : exactKeywords) {
            const std::string name = std::string("named/") + key + "/" + g.first;
            benchmark::RegisterBenchmark(name.c_str(), runSpread, QString::fromLatin1(key),
                                         std::vector<QString>{g.second})
                ->UseManualTime();
        }
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    unsigned seed = 1;
    for (int n : {10, 20, 32}) {
        for (bool dense : {false, true}) {
            graphs.emplace_back(new Graph(QStringLiteral("bench"), false));
            Graph *g = graphs.back().get();
            g->loadtsy(randomGraph(n, dense, seed++), false);
            for (const char *k : keywords) {
                const std::string name =
                    std::string(k) + "/" + (dense ? "dense" : "sparse") + "/" + std::to_string(n);
                benchmark::RegisterBenchmark(name.c_str(), runRecompute, QString::fromLatin1(k), g);
            }
        }
    }

    registerExactSearches();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    graphs.clear();
    return 0;
}
