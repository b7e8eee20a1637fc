// recompute() of the shortest-path invariants at orders 10, 20 and 32, on a sparse connected
// graph (a random tree with n/4 more edges) and on a connected graph of density 0.5.
//
//   bench_centrality --benchmark_filter=BETWEENNESS

#include "graph/Graph.h"
#include "invariants/InvariantFactory.h"
#include "invariants/invSUURBALLE.h"
#include "problem/Calculus.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace
{

const char *const keywords[] = {"BETWEENNESS",   "CENTRALITY",  "CUTCENTRALITY", "DBETWEENNESS",
                                "DBETWEENNESS2", "DCENTRALITY", "DCENTRALITY2",  "NBETWEENNESS",
                                "IINDEX",        "PELORAND",    "PELORAND2",     "SUURBALLE"};

using Matrix = std::vector<std::vector<bool>>;

bool connected(const Matrix &a)
{
    const int n = int(a.size());
    std::vector<bool> seen(n, false);
    std::vector<int> stack{0};
    seen[0] = true;
    int count = 1;
    while (!stack.empty()) {
        const int u = stack.back();
        stack.pop_back();
        for (int v = 0; v < n; ++v)
            if (a[u][v] && !seen[v]) {
                seen[v] = true;
                ++count;
                stack.push_back(v);
            }
    }
    return count == n;
}

QString randomGraph(int n, bool dense, unsigned seed)
{
    std::mt19937 rng(seed);
    Matrix a;
    // A graph of density 0.5 on 10 or more vertices is almost always connected; draw again
    // otherwise (bounded).
    for (int attempt = 0; attempt < 100; ++attempt) {
        a.assign(n, std::vector<bool>(n, false));
        const auto link = [&](int i, int j) { a[i][j] = a[j][i] = true; };
        if (dense) {
            std::bernoulli_distribution coin(0.5);
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
        if (connected(a))
            break;
    }
    QString s = QString::number(n) + QLatin1Char(' ');
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            s += a[i][j] ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

std::vector<std::unique_ptr<Graph>> graphs;

void runRecompute(benchmark::State &state, QString keyword, Graph *g)
{
    std::unique_ptr<Calculus> item(keyword == QLatin1String("SUURBALLE")
                                       ? new invSUURBALLE(false)
                                       : InvariantFactory::make(keyword, false));
    item->setGraph(g);
    for (auto _ : state) {
        item->recompute();
        benchmark::DoNotOptimize(item->M[0][0]);
    }
    state.counters["failed"] = item->error ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    unsigned seed = 7;
    for (int n : {10, 20, 32}) {
        for (bool dense : {false, true}) {
            graphs.emplace_back(new Graph(QStringLiteral("bench"), false));
            Graph *g = graphs.back().get();
            g->loadtsy(randomGraph(n, dense, seed++), false);
            for (const char *k : keywords) {
                const std::string name =
                    std::string(k) + "/" + (dense ? "density0.5" : "sparse") + "/" + std::to_string(n);
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
