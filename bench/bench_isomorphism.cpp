#include "graph/Graph.h"
#include "graph/Isomorphic.h"
#include "graph/Random.h"

#include <QApplication>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace
{

// 32-vertex graphs: a random one, the 5-cube (vertex-transitive: colour refinement alone
// separates nothing), and the 16-cycle twice over (two components, many automorphisms).
QString graph32(int which)
{
    Graph g(QStringLiteral("g"), false);
    g.clear();
    for (int k = 0; k < 32; ++k)
        g.addNode();
    if (which == 0) {
        tsy_srand(29);
        g.randomGraph(32);
    } else if (which == 1) {
        for (int i = 0; i < 32; ++i)
            for (int b = 0; b < 5; ++b)
                g.addEdge(i, i ^ (1 << b));
    } else {
        for (int k = 0; k < 16; ++k) {
            g.addEdge(k, (k + 1) % 16);
            g.addEdge(16 + k, 16 + (k + 1) % 16);
        }
    }
    return g.currentGraphData();
}

// The shuffle command: 100 relabellings of a 32-vertex graph, each tested against the original.
void BM_ShuffleCommand32(benchmark::State &state)
{
    const QString original = graph32(static_cast<int>(state.range(0)));
    Graph g(QStringLiteral("g"), false);
    g.loadtsy(original, false);
    QStringList relabelled;
    tsy_srand(31);
    for (int r = 0; r < 100; ++r) {
        g.shuffle();
        relabelled << g.currentGraphData();
    }
    Isomorphic iso;
    iso.setTrace(false);
    iso.setG1(original);
    long long found = 0;
    long long nodes = 0;
    long long evaluations = 0;
    for (auto _ : state) {
        for (const QString &s : relabelled) {
            iso.setG2(s);
            found += iso.isIsomorphic() == 1;
            nodes += iso.getNodes();
            evaluations += iso.getEvaluations();
        }
    }
    state.counters["isomorphic_per_100"] = benchmark::Counter(double(found) / state.iterations());
    state.counters["refinements_per_100"] = benchmark::Counter(double(nodes) / state.iterations());
    state.counters["evaluations_per_100"] = benchmark::Counter(double(evaluations) / state.iterations());
}
BENCHMARK(BM_ShuffleCommand32)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The bound of one test at 32 vertices: the exact search spends its whole node limit, then the
// spectral search its whole evaluation budget (a relabelled random graph that the spectral
// search does not settle). range(0): evaluation budget (the default is 100000).
void BM_WorstCaseOneTest32(benchmark::State &state)
{
    const QString original = graph32(0);
    Graph g(QStringLiteral("g"), false);
    g.loadtsy(original, false);
    tsy_srand(37);
    g.shuffle();
    const QString copy = g.currentGraphData();
    Isomorphic iso;
    iso.setTrace(false);
    iso.setNodeLimit(0);
    iso.setBudget(static_cast<int>(state.range(0)));
    iso.setG1(original);
    iso.setG2(copy);
    for (auto _ : state)
        benchmark::DoNotOptimize(iso.isIsomorphic());
    state.counters["evaluations"] = iso.getEvaluations();
    state.counters["ms_per_evaluation"] =
        benchmark::Counter(double(iso.getEvaluations()) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WorstCaseOneTest32)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Two copies of the 4 x 4 rook's graph against two copies of the Shrikhande graph: 32 vertices,
// 6-regular, cospectral and not isomorphic, and no colour refinement tells them apart, so the
// exact search must branch. range(0): its node limit (the default is 20000); budget 0, so the
// spectral search does not follow.
QString rooksOrShrikhande(bool shrikhande)
{
    Graph g(QStringLiteral("g"), false);
    g.clear();
    for (int k = 0; k < 32; ++k)
        g.addNode();
    for (int copy = 0; copy < 2; ++copy) {
        for (int u = 0; u < 16; ++u) {
            for (int v = u + 1; v < 16; ++v) {
                const int da = (v / 4 - u / 4 + 4) % 4;
                const int db = (v % 4 - u % 4 + 4) % 4;
                const bool adjacent = shrikhande ? (da == 0 && (db == 1 || db == 3)) ||
                                                       (db == 0 && (da == 1 || da == 3)) ||
                                                       (da == db && (da == 1 || da == 3))
                                                 : (da == 0 || db == 0);
                if (adjacent)
                    g.addEdge(16 * copy + u, 16 * copy + v);
            }
        }
    }
    return g.currentGraphData();
}

void BM_ExactSearchHardPair32(benchmark::State &state)
{
    Isomorphic iso;
    iso.setTrace(false);
    iso.setBudget(0);
    iso.setNodeLimit(static_cast<int>(state.range(0)));
    iso.setG1(rooksOrShrikhande(false));
    iso.setG2(rooksOrShrikhande(true));
    int answer = -2;
    for (auto _ : state)
        answer = iso.isIsomorphic();
    state.counters["answer"] = answer;
    state.counters["refinements"] = iso.getNodes();
}
BENCHMARK(BM_ExactSearchHardPair32)->Arg(20000)->Unit(benchmark::kMillisecond);

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
