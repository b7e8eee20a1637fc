// Per-candidate cost of the problem board in the search: copying an evaluation record, and
// evaluating a small problem (one objective over a value item) on a graph that has just changed,
// before any invariant work.

#include "graph/Graph.h"
#include "graph/Random.h"
#include "problem/Eval.h"
#include "problem/Problem.h"
#include "problem/Z.h"
#include "problem/invConstant.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace
{
Graph *makeGraph(int n)
{
    tsy_srand(12345);
    auto *g = new Graph(QStringLiteral("bench"), false);
    g->randomGraph(n);
    return g;
}

// One objective minimising a constant value; the board's default requirement (connected) only,
// or every structural requirement switched on.
Problem *makeProblem(Graph *g, bool allPenalties)
{
    auto *p = new Problem(g, QStringLiteral("bench"), false);
    auto *value = new invConstant(false);
    value->loadData(1, 1, {3.5});
    p->addOperatorItem(value);
    auto *z = new Z(false);
    p->addZItem(z);
    p->link1(value, z);
    p->setNbNod(g->getNbNodes());
    if (allPenalties) {
        p->setConnectedBar(true);
        p->setChemical(true);
        p->setRegular(true);
        p->setRegDegree(3);
        p->setDegmax(true);
        p->setDegmaxValue(5);
        p->setDiameter(true);
        p->setDiameterValue(2);
    }
    return p;
}

void evaluate(benchmark::State &state, bool allPenalties)
{
    const int n = static_cast<int>(state.range(0));
    Graph *g = makeGraph(n);
    Problem *p = makeProblem(g, allPenalties);
    Eval e;
    bool add = true;
    for (auto _ : state) {
        // A move of the search: the graph changes, then the candidate is evaluated.
        if (add)
            g->addEdge(0, n - 1);
        else
            g->remEdge(0, n - 1);
        add = !add;
        p->eval(&e);
        benchmark::DoNotOptimize(e.value(0));
    }
    delete p;
    delete g;
}

void BM_EvalDefaultRequirements(benchmark::State &state)
{
    evaluate(state, false);
}

void BM_EvalAllRequirements(benchmark::State &state)
{
    evaluate(state, true);
}

// The search keeps a copy of the record of every candidate it archives.
void BM_EvalCopy(benchmark::State &state)
{
    Graph *g = makeGraph(20);
    Problem *p = makeProblem(g, true);
    Eval e;
    p->eval(&e);
    for (auto _ : state) {
        Eval copy(e);
        benchmark::DoNotOptimize(copy.size());
    }
    delete p;
    delete g;
}

// Evaluating into a record while a copy of its previous content is kept (the archive's case).
void BM_EvalWhileCopiesAreKept(benchmark::State &state)
{
    Graph *g = makeGraph(20);
    Problem *p = makeProblem(g, false);
    Eval e;
    Eval kept;
    for (auto _ : state) {
        g->addEdge(1, 2);
        p->eval(&e);
        kept = e;
        benchmark::DoNotOptimize(kept.size());
    }
    delete p;
    delete g;
}
} // namespace

BENCHMARK(BM_EvalDefaultRequirements)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_EvalAllRequirements)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_EvalCopy);
BENCHMARK(BM_EvalWhileCopiesAreKept);

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
