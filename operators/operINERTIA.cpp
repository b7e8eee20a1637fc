#include "operators/operINERTIA.h"

operINERTIA::operINERTIA(bool withDisplay)
{
    setUp(QStringLiteral("INERTIA"), withDisplay,
          QStringLiteral(
              "Inertia of a square symmetric matrix, [number of negative eigenvalues, number of zero "
              "eigenvalues, number of positive eigenvalues]."),
          QStringLiteral(
              "Inertia of a square symmetric matrix.\n Number of negative eigenvalues, number of zero "
              "eigenvalues, number of positive eigenvalues."));
}

void operINERTIA::recompute()
{
    const QString prefix = QStringLiteral("INERTIA");
    const int n = symmetricOrder(prefix, QStringLiteral("symetric"), true);
    const double *values = n == 0 ? nullptr : eigenvalues(n, prefix);
    if (!values)
        return;
    int negative = 0, zero = 0, positive = 0;
    for (int k = 0; k < n; ++k) {
        const double lambda = values[k];
        if (lambda > 1e-6)
            ++positive;
        else if (lambda < -1e-6)
            ++negative;
        else
            ++zero;
    }
    succeed(QStringLiteral("Inertia"), 1, 3, QStringLiteral("1"), QStringLiteral("3"));
    M[0][0] = negative;
    M[0][1] = zero;
    M[0][2] = positive;
}
