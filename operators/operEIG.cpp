#include "operators/operEIG.h"


#include <cmath>

operEIG::operEIG(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("Eigenvalues of the square symmetric matrix.");
    setUp(QStringLiteral("EIGENVALUES"), withDisplay, text, text);
}

void operEIG::recompute()
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), true);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    if (a->rows != a->cols) {
        fail(QStringLiteral("EIG needs a square matrix"), true);
        return;
    }
    const int n = a->rows;
    if (n < 2) {
        fail(QStringLiteral("EIG needs a matrix as argument"), true);
        return;
    }
    // A NaN would slip through the symmetry test, and the rotations cannot converge on it.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (!std::isfinite(a->M[i][j])) {
                fail(QStringLiteral("EIG needs finite entries"), true);
                return;
            }
    for (int i = 0; i < n - 1; ++i)
        for (int j = i + 1; j < n; ++j)
            if (std::fabs(a->M[i][j] - a->M[j][i]) > 1e-6) {
                fail(QStringLiteral("EIG needs a symetric matrix"), true);
                return;
            }

    if (!spectrum.compute(a->M, n)) {
        fail(QStringLiteral("EIG did not converge"), true);
        return;
    }
    succeed(QStringLiteral("Eigenvalues"), n, 1, a->sRows, QStringLiteral("1"));
    for (int k = 0; k < n; ++k)
        M[k][0] = spectrum.value(k);
}
