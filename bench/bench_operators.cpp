// Cost of one recomputation of the operators that objectives use most, on results of the largest
// size (32 vertices). Items are headless and read their arguments in place, as in a search worker.

#include "operators/ConstraintLE.h"
#include "operators/operADD.h"
#include "operators/operDIV.h"
#include "operators/operEIG.h"
#include "operators/operSUM.h"
#include "operators/operVAR.h"
#include "problem/Operator.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

// An argument with a fixed 32 x 32 (or n x 1) result.
class Preset : public Operator
{
public:
    Preset(int r, int c, bool symmetric)
    {
        rows = r;
        cols = c;
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j)
                M[i][j] = symmetric ? double((i * 7 + j * 7 + i * j) % 5) - 2.0 : 1.0 + (i * 31 + j) % 13;
        sRows = sCols = QStringLiteral("n");
    }
    void recompute() override {}
};

template <class Item> void run(benchmark::State &state, Calculus *a, Calculus *b)
{
    Item item(false);
    item.arg1 = a;
    item.arg2 = b;
    for (auto _ : state) {
        item.recompute();
        benchmark::DoNotOptimize(item.M[0][0]);
    }
}

void BM_AddMatrices(benchmark::State &state)
{
    Preset a(32, 32, false), b(32, 32, false);
    run<operADD>(state, &a, &b);
}
BENCHMARK(BM_AddMatrices);

void BM_DivideByValue(benchmark::State &state)
{
    Preset a(32, 32, false), b(1, 1, false);
    run<operDIV>(state, &a, &b);
}
BENCHMARK(BM_DivideByValue);

void BM_SumMatrix(benchmark::State &state)
{
    Preset a(32, 32, false);
    run<operSUM>(state, &a, nullptr);
}
BENCHMARK(BM_SumMatrix);

void BM_VarianceVector(benchmark::State &state)
{
    Preset a(32, 1, false);
    run<operVAR>(state, &a, nullptr);
}
BENCHMARK(BM_VarianceVector);

void BM_EigenvaluesOfOrder(benchmark::State &state)
{
    const int n = int(state.range(0));
    Preset a(n, n, true);
    run<operEIG>(state, &a, nullptr);
}
BENCHMARK(BM_EigenvaluesOfOrder)->Arg(8)->Arg(16)->Arg(32);

void BM_ConstraintLessOrEqual(benchmark::State &state)
{
    Preset a(32, 1, false), b(32, 1, false);
    run<ConstraintLE>(state, &a, &b);
}
BENCHMARK(BM_ConstraintLessOrEqual);

} // namespace

BENCHMARK_MAIN();
