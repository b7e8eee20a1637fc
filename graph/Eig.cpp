#include "graph/Eig.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <numeric>
#include <vector>

namespace
{

// An off-diagonal entry below this counts as zero; a candidate pivot is replaced only by an
// entry larger by more than this, so among near-equal entries the first one stays the pivot.
constexpr double tolerance = 1e-6;

} // namespace

long Eig::maxRotations(int n)
{
    const long m = n < 0 ? 0 : n;
    return 100 * m * m + 1000;
}

Eig::Eig(const QVector<QVector<double>> &A, int n) : order(n < 0 ? 0 : n)
{
    const int N = order;
    if (n < 0) {
        fail(QStringLiteral("The order %1 of the matrix is negative.").arg(n));
        return;
    }
    // Only the leading N x N block is read, but it must be there, and every entry of it must be
    // finite: an infinite or NaN entry would keep the rotations from ever meeting the tolerance.
    if (A.size() < N) {
        fail(QStringLiteral("The matrix has %1 rows, fewer than its order %2.").arg(A.size()).arg(N));
        return;
    }
    for (int i = 0; i < N; ++i) {
        if (A[i].size() < N) {
            fail(QStringLiteral("Row %1 of the matrix has %2 entries, fewer than its order %3.")
                     .arg(i)
                     .arg(A[i].size())
                     .arg(N));
            return;
        }
        for (int j = 0; j < N; ++j) {
            if (!std::isfinite(A[i][j])) {
                fail(QStringLiteral("The matrix has an infinite or undefined entry."));
                return;
            }
        }
    }
    if (N == 0)
        return;
    if (N == 1) {
        values = {A[0][0]};
        vectors = {{1.0}};
        return;
    }

    // Working copy W of the matrix and the accumulated rotations V, both row-major.
    std::vector<double> W(static_cast<size_t>(N) * N);
    std::vector<double> V(static_cast<size_t>(N) * N, 0.0);
    for (int i = 0; i < N; ++i) {
        std::copy(A[i].constBegin(), A[i].constBegin() + N, W.begin() + static_cast<long>(i) * N);
        V[static_cast<size_t>(i) * N + i] = 1.0;
    }
    auto w = [&W, N](int r, int c) -> double & { return W[static_cast<size_t>(r) * N + c]; };
    auto v = [&V, N](int r, int c) -> double & { return V[static_cast<size_t>(r) * N + c]; };

    // rowMax[i] is the largest magnitude in row i right of the diagonal, at column rowArg[i]. A
    // row whose maximum does not exceed the running candidate by more than the tolerance cannot
    // supply the pivot and is skipped, so the pivot is that of a full row-major scan at a
    // fraction of its cost: only the few rows that raise the candidate are scanned.
    std::vector<double> rowMax(static_cast<size_t>(N), 0.0);
    std::vector<int> rowArg(static_cast<size_t>(N), -1);
    auto measureRow = [&](int i) {
        const double *row = &W[static_cast<size_t>(i) * N];
        double m = 0.0;
        int arg = -1;
        for (int j = i + 1; j < N; ++j) {
            const double a = std::fabs(row[j]);
            if (a > m) {
                m = a;
                arg = j;
            }
        }
        rowMax[static_cast<size_t>(i)] = m;
        rowArg[static_cast<size_t>(i)] = arg;
    };
    // Entry (r, c) of the upper triangle has the new magnitude a: keep row r's maximum exact.
    auto updateRow = [&](int r, int c, double a) {
        if (a > rowMax[static_cast<size_t>(r)]) {
            rowMax[static_cast<size_t>(r)] = a;
            rowArg[static_cast<size_t>(r)] = c;
        }
    };
    for (int i = 0; i < N - 1; ++i)
        measureRow(i);

    const long cap = maxRotations(N);
    for (long rotations = 0;; ++rotations) {
        double candidate = std::fabs(w(0, 1));
        int p = 0;
        int q = 1;
        for (int i = 0; i < N - 1; ++i) {
            if (rowMax[static_cast<size_t>(i)] <= candidate + tolerance)
                continue;
            const double *row = &W[static_cast<size_t>(i) * N];
            for (int j = i + 1; j < N; ++j) {
                const double a = std::fabs(row[j]);
                if (a > candidate + tolerance) {
                    candidate = a;
                    p = i;
                    q = j;
                }
            }
        }
        if (candidate < tolerance)
            break;
        if (!std::isfinite(candidate)) {
            fail(QStringLiteral("The eigen-decomposition overflowed: the matrix entries are too large."));
            return;
        }
        if (rotations >= cap) {
            fail(QStringLiteral("The eigen-decomposition did not converge within %1 rotations.").arg(cap));
            return;
        }

        // Rotation in the plane (p, q): W := R^T W R, V := V R, with the angle that zeroes W[p][q].
        const double theta = std::atan2(2.0 * w(p, q), w(p, p) - w(q, q));
        const double s = std::sin(theta * 0.5);
        const double c = std::cos(theta * 0.5);
        for (int r = 0; r < N; ++r) {
            const double wp = w(r, p);
            const double wq = w(r, q);
            w(r, p) = c * wp + s * wq;
            w(r, q) = -s * wp + c * wq;
            const double vp = v(r, p);
            const double vq = v(r, q);
            v(r, p) = c * vp + s * vq;
            v(r, q) = -s * vp + c * vq;
        }
        w(p, p) = c * w(p, p) + s * w(q, p);
        w(q, q) = c * w(q, q) - s * w(p, q);
        w(p, q) = 0.0;
        // Rows p and q become copies of the rotated columns, which keeps W symmetric.
        for (int r = 0; r < N; ++r) {
            w(p, r) = w(r, p);
            w(q, r) = w(r, q);
        }

        // Rows p and q changed entirely; the rows above them only in columns p and q. A row whose
        // maximum sat in one of those columns may have lost it and is measured again.
        for (int r = 0; r < q; ++r) {
            const int arg = rowArg[static_cast<size_t>(r)];
            if (r == p || arg == p || arg == q) {
                measureRow(r);
                continue;
            }
            updateRow(r, q, std::fabs(w(r, q)));
            if (r < p)
                updateRow(r, p, std::fabs(w(r, p)));
        }
        if (q < N - 1)
            measureRow(q);
    }

    // Overflow can leave an undefined entry that was never a pivot candidate.
    for (const double x : W) {
        if (!std::isfinite(x)) {
            fail(QStringLiteral("The eigen-decomposition overflowed: the matrix entries are too large."));
            return;
        }
    }

    // Descending order; a stable sort never exchanges equal eigenvalues.
    std::vector<int> index(static_cast<size_t>(N));
    std::iota(index.begin(), index.end(), 0);
    std::stable_sort(index.begin(), index.end(), [&w](int a, int b) { return w(b, b) < w(a, a); });

    values.resize(N);
    vectors = QVector<QVector<double>>(N, QVector<double>(N));
    for (int k = 0; k < N; ++k) {
        const int from = index[static_cast<size_t>(k)];
        values[k] = w(from, from);
        for (int r = 0; r < N; ++r)
            vectors[r][k] = v(r, from);
    }
}

Eig::~Eig()
{
    values.clear();
    vectors.clear();
}

void Eig::fail(const QString &why)
{
    ok = false;
    error = why;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    values = QVector<double>(order, nan);
    vectors = QVector<QVector<double>>(order, QVector<double>(order, nan));
}

double Eig::eigval(int i) const
{
    if (i < 0 || i >= order) {
        std::cerr << "Error index out of range for Eig::value(index)" << std::endl;
        return 0.0;
    }
    return values[i];
}

QVector<double> Eig::eigvec(int i) const
{
    if (i < 0 || i >= order) {
        std::cerr << "Error index out of range for Eig::vector(index)" << std::endl;
        return QVector<double>();
    }
    QVector<double> column(order);
    for (int r = 0; r < order; ++r)
        column[r] = vectors[r][i];
    return column;
}
