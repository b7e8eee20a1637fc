// Whole evaluations through Problem::eval of the objectives users pose most, on the graphs of
// bench/data/objective_graphs.txt; bench/objectives_networkx.py times networkx and numpy on the
// same graphs. Each iteration is one search move: an edge flip, then the evaluation.

#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <benchmark/benchmark.h>

namespace
{

QStringList graphsOfOrder(int n)
{
    QStringList out;
    QFile f(QStringLiteral(TESSALY_BENCH_DATA "/objective_graphs.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.startsWith(QLatin1Char('#')) && line.section(QLatin1Char(' '), 0, 0).toInt() == n)
            out << line;
    }
    return out;
}

// A chain of items from an invariant to the objective, each the first argument of the next.
void buildChain(BuildCalculus &catalogue, Problem &problem, const QStringList &keywords)
{
    Calculus *previous = nullptr;
    for (const QString &k : keywords) {
        Calculus *c = catalogue.makeCalculus(k, false);
        if (k == QLatin1String("Z")) {
            c->setMin(false);
            problem.addZItem(c);
        } else if (catalogue.type(k) == 1) {
            problem.addInvariantItem(c);
        } else {
            problem.addOperatorItem(c);
        }
        if (previous)
            problem.link1(previous, c);
        previous = c;
    }
}

void evaluate(benchmark::State &state, const QStringList &chain)
{
    const int n = int(state.range(0));
    const QStringList graphs = graphsOfOrder(n);
    if (graphs.isEmpty()) {
        state.SkipWithError("bench/data/objective_graphs.txt is missing");
        return;
    }
    BuildCalculus catalogue;
    Graph graph(QStringLiteral("bench"), false);
    Problem problem(&graph, QStringLiteral("bench"), false);
    buildChain(catalogue, problem, chain);
    problem.setNbNod(n);
    Eval e;
    long k = 0;
    bool add = true;
    for (auto _ : state) {
        if (k % 1000 == 0) {
            state.PauseTiming();
            graph.loadCurrentGraph(graphs.at(int(k / 1000) % graphs.size()));
            state.ResumeTiming();
        }
        ++k;
        if (add)
            graph.addEdge(0, n - 1);
        else
            graph.remEdge(0, n - 1);
        add = !add;
        problem.eval(&e);
        benchmark::DoNotOptimize(e.value(0));
    }
}

void BM_LargestEigenvalue(benchmark::State &state)
{
    evaluate(state, {"ADJACENCY", "EIGENVALUES", "MAX", "Z"});
}

void BM_Energy(benchmark::State &state)
{
    evaluate(state, {"ADJACENCY", "EIGENVALUES", "ABS", "SUM", "Z"});
}

void BM_Wiener(benchmark::State &state)
{
    evaluate(state, {"WIENER", "Z"});
}

void BM_Randic(benchmark::State &state)
{
    evaluate(state, {"RANDIC", "Z"});
}

} // namespace

BENCHMARK(BM_LargestEigenvalue)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_Energy)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_Wiener)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_Randic)->Arg(10)->Arg(20)->Arg(32);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
