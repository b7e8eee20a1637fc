#include "graph/Graph.h"
#include "graph/Random.h"

#include <QApplication>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

std::unique_ptr<Graph> randomGraph(int n)
{
    auto g = std::make_unique<Graph>(QStringLiteral("VNS"), false);
    tsy_srand(17);
    g->randomGraph(n);
    return g;
}

// edge() over every ordered pair: the way an invariant reads the graph pair by pair.
void BM_EdgeAllPairs(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    auto g = randomGraph(n);
    for (auto _ : state) {
        int count = 0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                count += g->edge(i, j) ? 1 : 0;
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}
BENCHMARK(BM_EdgeAllPairs)->Arg(10)->Arg(20)->Arg(32);

// The row-mask copy that invariants take once per computation.
void BM_AdjacencyRows(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    auto g = randomGraph(n);
    quint32 rows[32];
    for (auto _ : state) {
        benchmark::DoNotOptimize(g->adjacencyRows(rows));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AdjacencyRows)->Arg(10)->Arg(20)->Arg(32);

// Reading 10,000 graph6 lines of random graphs on 2..32 vertices.
void BM_ReadGraph6Lines(benchmark::State &state)
{
    QStringList lines;
    tsy_srand(23);
    for (int k = 0; k < 10000; ++k) {
        const int n = 2 + tsy_rand(31);
        QString line(1, QChar(63 + n));
        const int need = (n * (n - 1) / 2 + 5) / 6;
        for (int c = 0; c < need; ++c)
            line += QChar(63 + tsy_rand(64));
        lines << line;
    }
    Graph g(QStringLiteral("loader"), false);
    for (auto _ : state) {
        int read = 0;
        for (const QString &line : qAsConst(lines))
            read += g.loadg6(line, false) ? 1 : 0;
        benchmark::DoNotOptimize(read);
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_ReadGraph6Lines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Graph is a view: it needs an application object, which needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
