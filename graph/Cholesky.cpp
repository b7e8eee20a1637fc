#include "graph/Cholesky.h"

#include <cmath>
#include <limits>

Cholesky::Cholesky(const QVector<QVector<double>> &A, int n)
{
    const int N = n < 0 ? 0 : n;
    factor = QVector<QVector<double>>(N, QVector<double>(N, 0.0));
    if (A.size() < N) {
        success = false;
        return;
    }
    for (int i = 0; i < N; ++i) {
        if (A[i].size() < N) {
            success = false;
            return;
        }
    }
    // Only the lower triangle takes part; the upper one stays zero.
    for (int i = 0; i < N; ++i)
        for (int j = 0; j <= i; ++j)
            factor[i][j] = A[i][j];

    QVector<QVector<double>> &L = factor;
    for (int j = 0; j < N; ++j) {
        double subtracted = 0.0;
        for (int k = 0; k < j; ++k) {
            const double t = L[j][k] * L[j][k];
            L[j][j] -= t;
            subtracted += t;
        }
        // The pivot carries a rounding error of about (j + 1) ulps of the terms it was built
        // from; a pivot within twice that of zero cannot be told from a singular one.
        const double noise =
            2.0 * (j + 2) * std::numeric_limits<double>::epsilon() * (std::fabs(A[j][j]) + subtracted);
        const double pivot = L[j][j];
        if (!(pivot > noise) || !std::isfinite(pivot)) {
            success = false;
            factor = QVector<QVector<double>>(N, QVector<double>(N, 0.0));
            return;
        }
        L[j][j] = std::sqrt(pivot);
        for (int i = j + 1; i < N; ++i) {
            for (int k = 0; k < j; ++k)
                L[i][j] -= L[i][k] * L[j][k];
            L[i][j] /= L[j][j];
        }
    }
}
