#include "graph/LinearSolve.h"

#include <cmath>
#include <iostream>
#include <utility>
#include <vector>

namespace
{

constexpr double pivotThreshold = 0.0001;
// Operations between two questions to the interrupt callback.
constexpr qint64 pollWork = qint64(1) << 20;

} // namespace

QVector<double> solve(const QVector<QVector<double>> &A, const QVector<double> &b,
                      const std::function<bool()> &interrupted)
{
    const int n = b.size();
    bool sizesMatch = A.size() == n;
    for (int i = 0; sizesMatch && i < n; ++i)
        sizesMatch = A[i].size() == n;
    if (!sizesMatch) {
        std::cerr << "DIMENSION ERROR IN solve()" << std::endl;
        std::cerr << "VEC :" << n << std::endl;
        std::cerr << "MAT :" << A.size() << " x " << (A.isEmpty() ? 0 : A[0].size()) << std::endl;
        throw 1;
    }

    std::vector<double> colmean(static_cast<size_t>(n), 0.0);
    double bmean = 0.0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            colmean[static_cast<size_t>(j)] += A[i][j] / n;
        bmean += b[i] / n;
    }

    // Centred system M y = r, row-major; perm[k] is the original column now at position k.
    std::vector<double> M(static_cast<size_t>(n) * n);
    std::vector<double> y(static_cast<size_t>(n));
    std::vector<int> perm(static_cast<size_t>(n));
    auto m = [&M, n](int r, int c) -> double & { return M[static_cast<size_t>(r) * n + c]; };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            m(i, j) = A[i][j] - colmean[static_cast<size_t>(j)];
        y[static_cast<size_t>(i)] = b[i] - bmean;
        perm[static_cast<size_t>(i)] = i;
    }

    qint64 work = 0;
    for (int k = 0; k < n; ++k) {
        // One step scans the remaining block and updates the columns after k in every row.
        work += 2 * qint64(n) * (n - k);
        if (interrupted && work >= pollWork) {
            work = 0;
            if (interrupted())
                return {};
        }
        double piv = m(k, k);
        int pr = k;
        int pc = k;
        for (int r = k; r < n; ++r) {
            for (int c = k; c < n; ++c) {
                if (std::fabs(m(r, c)) > std::fabs(piv)) {
                    piv = m(r, c);
                    pr = r;
                    pc = c;
                }
            }
        }
        if (!(std::fabs(piv) > pivotThreshold)) {
            for (int r = k; r < n; ++r)
                y[static_cast<size_t>(r)] = 0.0;
            break;
        }
        if (pr != k) {
            for (int c = 0; c < n; ++c)
                std::swap(m(pr, c), m(k, c));
            std::swap(y[static_cast<size_t>(pr)], y[static_cast<size_t>(k)]);
        }
        if (pc != k) {
            for (int r = 0; r < n; ++r)
                std::swap(m(r, pc), m(r, k));
            std::swap(perm[static_cast<size_t>(k)], perm[static_cast<size_t>(pc)]);
        }
        // Columns 0 .. k - 1 of row k are exact zeros by now (eliminated, and only rows and
        // columns from k on are swapped), and column k is not read again: only the columns
        // after k change.
        for (int c = k + 1; c < n; ++c)
            m(k, c) /= piv;
        y[static_cast<size_t>(k)] /= piv;
        for (int r = 0; r < n; ++r) {
            if (r == k)
                continue;
            const double factor = m(r, k);
            for (int c = k + 1; c < n; ++c)
                m(r, c) -= m(k, c) * factor;
            y[static_cast<size_t>(r)] -= y[static_cast<size_t>(k)] * factor;
            m(r, k) = 0.0;
        }
    }

    QVector<double> result(n + 1);
    for (int idx = 0; idx < n; ++idx)
        result[perm[static_cast<size_t>(idx)]] = y[static_cast<size_t>(idx)];
    double c = bmean;
    for (int t = 0; t < n; ++t)
        c -= result[t] * colmean[static_cast<size_t>(t)];
    result[n] = c;
    return result;
}
