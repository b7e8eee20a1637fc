// Per-candidate overhead of the item framework in the search: the gate of a cached item, and a
// tiny chain of items recomputed after each change of the graph.

#include "graph/Graph.h"
#include "problem/Invariant.h"
#include "problem/Link.h"
#include "problem/Operator.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace
{

// Number of edges, read once through the row masks as the real invariants do.
class EdgeCount : public Invariant
{
public:
    EdgeCount()
    {
        name = QStringLiteral("EDGES");
        sRows = sCols = QStringLiteral("1");
    }
    void recompute() override
    {
        quint32 adj[32];
        const int n = graph->adjacencyRows(adj);
        int twice = 0;
        for (int i = 0; i < n; ++i)
            twice += __builtin_popcount(adj[i]);
        M[0][0] = twice / 2;
        rows = cols = 1;
    }
};

class Sum : public Operator
{
public:
    Sum() { name = QStringLiteral("+"); }
    void recompute() override
    {
        double s = 0;
        for (int k = 1; k <= 4; ++k) {
            if (argument(k))
                s += argument(k)->getValue(1);
        }
        M[0][0] = s;
        rows = cols = 1;
    }
};

void link(Calculus *source, Calculus *target, int k)
{
    auto *l = new Link(source, target, false);
    const bool in = k == 1 ? target->setLink1(l) : target->setLink2(l);
    if (!in || !source->setLinkTo(l)) {
        delete l;
        return;
    }
    if (k == 1)
        target->setArg1(source);
    else
        target->setArg2(source);
}

void BM_ComputeCached(benchmark::State &state)
{
    Graph g(QStringLiteral("bench"), false);
    g.randomGraph(20);
    EdgeCount item;
    item.setGraph(&g);
    item.crucial = true;
    item.compute(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(item.compute(false));
}
BENCHMARK(BM_ComputeCached);

// Two invariants (one on the complement), a sum of them and a sum of the sum: four items evaluated
// in stack order after one edge flip, as one candidate of the search.
void BM_ChainAfterGraphChange(benchmark::State &state)
{
    Graph g(QStringLiteral("bench"), false);
    g.randomGraph(static_cast<int>(state.range(0)));
    EdgeCount a, b;
    Sum sum, top;
    Calculus *stack[] = {&a, &b, &sum, &top};
    for (Calculus *c : stack) {
        c->setGraph(&g);
        c->crucial = true;
    }
    b.setInvertGraph(true);
    link(&a, &sum, 1);
    link(&b, &sum, 2);
    link(&sum, &top, 1);
    bool add = true;
    for (auto _ : state) {
        if (add)
            g.addEdge(0, 1);
        else
            g.remEdge(0, 1);
        add = !add;
        for (Calculus *c : stack)
            c->compute(false);
        benchmark::DoNotOptimize(top.getValue(1));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChainAfterGraphChange)->Arg(10)->Arg(32);

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
