#include "operators/SpectralOperator.h"

#include "graph/SymmetricEigenvalues.h"

#include <cmath>

SpectralOperator::SpectralOperator() : OperatorFrame(1) {}

SpectralOperator::~SpectralOperator() = default;

int SpectralOperator::symmetricOrder(const QString &prefix, const QString &symmetricWord, bool finiteEntries)
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), true);
        return 0;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return 0;
    }
    if (a->rows != a->cols) {
        fail(prefix + QStringLiteral(" needs a square matrix"), true);
        return 0;
    }
    const int n = a->rows;
    if (n < 2) {
        fail(prefix + QStringLiteral(" needs a matrix as argument"), true);
        return 0;
    }
    // A NaN passes any tolerance test, and neither the rotations nor a factorisation can work on
    // one; an infinite entry makes both meaningless.
    if (finiteEntries)
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (!std::isfinite(a->M[i][j])) {
                    fail(prefix + QStringLiteral(" needs finite entries"), true);
                    return 0;
                }
    for (int i = 0; i < n - 1; ++i)
        for (int j = i + 1; j < n; ++j)
            if (std::fabs(a->M[i][j] - a->M[j][i]) > 1e-6) {
                fail(prefix + QStringLiteral(" needs a ") + symmetricWord + QStringLiteral(" matrix"), true);
                return 0;
            }
    return n;
}

const double *SpectralOperator::eigenvalues(int n, const QString &prefix)
{
    if (!spectrum)
        spectrum.reset(new SymmetricEigenvalues);
    if (!spectrum->compute(arg1->M, n)) {
        fail(prefix + QStringLiteral(" did not converge"), true);
        return nullptr;
    }
    return spectrum->data();
}
