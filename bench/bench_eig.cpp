#include "graph/Eig.h"
#include "graph/Random.h"

#include <benchmark/benchmark.h>

namespace
{

// Adjacency matrix of a random graph with edge probability 1/2, the typical argument of the
// spectral items during a search.
QVector<QVector<double>> randomAdjacency(int n)
{
    tsy_srand(quint32(n));
    QVector<QVector<double>> a(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            a[i][j] = a[j][i] = tsy_rand(2);
    return a;
}

void BM_EigAdjacency(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QVector<QVector<double>> a = randomAdjacency(n);
    for (auto _ : state) {
        Eig eig(a, n);
        benchmark::DoNotOptimize(eig.eigval(0));
    }
}

void BM_EigLaplacian(benchmark::State &state)
{
    const int n = int(state.range(0));
    QVector<QVector<double>> l = randomAdjacency(n);
    for (int i = 0; i < n; ++i) {
        double degree = 0.0;
        for (int j = 0; j < n; ++j) {
            degree += l[i][j];
            l[i][j] = -l[i][j];
        }
        l[i][i] = degree;
    }
    for (auto _ : state) {
        Eig eig(l, n);
        benchmark::DoNotOptimize(eig.eigval(0));
    }
}

} // namespace

BENCHMARK(BM_EigAdjacency)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_EigLaplacian)->Arg(10)->Arg(20)->Arg(32);

BENCHMARK_MAIN();
