#include "graph/SymmetricEigenvalues.h"

#include <Eigen/Eigenvalues>

#include <cmath>
#include <limits>

namespace
{
// Fixed capacity: the matrix and the solver's own arrays live inside the object, not on the heap.
using Matrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::ColMajor,
                             SymmetricEigenvalues::MaxOrder, SymmetricEigenvalues::MaxOrder>;
} // namespace

struct SymmetricEigenvalues::Work {
    Matrix a;
    Eigen::SelfAdjointEigenSolver<Matrix> solver;
};

SymmetricEigenvalues::SymmetricEigenvalues() : work(new Work)
{
    for (double &v : values)
        v = 0.0;
}

SymmetricEigenvalues::~SymmetricEigenvalues() = default;

bool SymmetricEigenvalues::fail(const QString &why)
{
    success = false;
    error = why;
    for (int k = 0; k < n; ++k)
        values[k] = std::numeric_limits<double>::quiet_NaN();
    return false;
}

bool SymmetricEigenvalues::setOrder(int order)
{
    n = qBound(0, order, int(MaxOrder));
    if (order != n)
        return fail(QStringLiteral("order outside 0..64"));
    work->a.resize(n, n);
    return true;
}

bool SymmetricEigenvalues::compute(const QVector<QVector<double>> &A, int order)
{
    if (!setOrder(order))
        return false;
    if (A.size() < n)
        return fail(QStringLiteral("matrix smaller than its order"));
    for (int i = 0; i < n; ++i) {
        const QVector<double> &row = A[i];
        if (row.size() < n)
            return fail(QStringLiteral("matrix smaller than its order"));
        for (int j = 0; j <= i; ++j)
            work->a(i, j) = row[j];
    }
    return solve();
}

bool SymmetricEigenvalues::compute(const double *a, int order)
{
    if (!setOrder(order))
        return false;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= i; ++j)
            work->a(i, j) = a[i * n + j];
    return solve();
}

bool SymmetricEigenvalues::solve()
{
    // The solver would propagate a NaN silently or spin on an infinity: refuse them first.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= i; ++j)
            if (!std::isfinite(work->a(i, j)))
                return fail(QStringLiteral("a matrix entry is not finite"));
    success = true;
    error.clear();
    if (n == 0)
        return true;
    work->solver.compute(work->a, Eigen::EigenvaluesOnly);
    if (work->solver.info() != Eigen::Success)
        return fail(QStringLiteral("the eigenvalues did not converge"));
    const auto &ev = work->solver.eigenvalues(); // ascending
    for (int k = 0; k < n; ++k)
        values[k] = ev(n - 1 - k);
    for (int k = 0; k < n; ++k)
        if (!std::isfinite(values[k]))
            return fail(QStringLiteral("the eigenvalues did not converge"));
    return true;
}
