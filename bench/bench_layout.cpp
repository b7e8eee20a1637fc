#include "graph/Graph.h"
#include "graph/MDS.h"
#include "graph/Random.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace
{

// One automatic layout of a random graph (each pair an edge with probability 1/2), drawing size
// 500, in the plane and in space; the counters give the stress before and after.
void BM_Layout(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const int dim = static_cast<int>(state.range(1));
    Graph g(QStringLiteral("g"), false);
    tsy_srand(23);
    g.randomGraph(n);
    g.best_backup();
    double start = 0.0;
    double end = 0.0;
    for (auto _ : state) {
        MDS layout(&g, 500.0, dim);
        start = layout.startStress();
        end = layout.finalStress();
    }
    state.counters["start_stress"] = start;
    state.counters["final_stress"] = end;
}
BENCHMARK(BM_Layout)
    ->Args({10, 2})
    ->Args({20, 2})
    ->Args({32, 2})
    ->Args({10, 3})
    ->Args({20, 3})
    ->Args({32, 3})
    ->Unit(benchmark::kMillisecond);

// A sparse graph: a path through all vertices, the longest distances a layout meets.
void BM_LayoutPath(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    Graph g(QStringLiteral("g"), false);
    g.clear();
    for (int k = 0; k < n; ++k)
        g.addNode();
    for (int k = 1; k < n; ++k)
        g.addEdge(k - 1, k);
    g.best_backup();
    tsy_srand(5);
    for (auto _ : state) {
        MDS layout(&g, 500.0, 2);
        benchmark::DoNotOptimize(layout.finalStress());
    }
}
BENCHMARK(BM_LayoutPath)->Arg(10)->Arg(20)->Arg(32)->Unit(benchmark::kMillisecond);

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
