#include "graph/Eig.h"
#include "graph/Random.h"
#include "graph/SymmetricEigenvalues.h"

#include <benchmark/benchmark.h>

#include <vector>

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

// The eigenvalues alone, the path of EIGENVALUES, KIRCHHOFF and the isomorphism test, on the
// same matrices as Eig above, against the reference LAPACK driver.
void BM_FastEigenvaluesAdjacency(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QVector<QVector<double>> a = randomAdjacency(n);
    SymmetricEigenvalues solver;
    for (auto _ : state) {
        solver.compute(a, n);
        benchmark::DoNotOptimize(solver.value(0));
    }
}

#ifdef TESSALY_HAVE_LAPACK
extern "C" void dsyevd_(const char *jobz, const char *uplo, const int *n, double *a, const int *lda,
                        double *w, double *work, const int *lwork, int *iwork, const int *liwork, int *info);

void BM_LapackEigenvaluesAdjacency(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QVector<QVector<double>> a = randomAdjacency(n);
    std::vector<double> m(size_t(n) * size_t(n));
    std::vector<double> w(static_cast<size_t>(n));
    std::vector<double> work(size_t(2 * n + 1));
    std::vector<int> iwork(1);
    const int lwork = int(work.size()), liwork = 1;
    int info = 0;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                m[size_t(i * n + j)] = a[i][j];
        dsyevd_("N", "L", &n, m.data(), &n, w.data(), work.data(), &lwork, iwork.data(), &liwork, &info);
        benchmark::DoNotOptimize(w[0]);
    }
}
BENCHMARK(BM_LapackEigenvaluesAdjacency)->Arg(10)->Arg(20)->Arg(32)->Arg(64);
#endif

} // namespace

BENCHMARK(BM_EigAdjacency)->Arg(10)->Arg(20)->Arg(32)->Arg(64);
BENCHMARK(BM_EigLaplacian)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_FastEigenvaluesAdjacency)->Arg(10)->Arg(20)->Arg(32)->Arg(64);

BENCHMARK_MAIN();
