// recompute() of every invariant at orders 10, 20 and 32, on a sparse connected graph (a random
// tree with n/4 more edges) and on a dense one (each pair an edge with probability 0.8).
//
//   bench_invariants --benchmark_filter=WIENER

#include "graph/Graph.h"
#include "invariants/InvariantFactory.h"
#include "problem/Calculus.h"

#include <benchmark/benchmark.h>

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

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    graphs.clear();
    return 0;
}
