#include "operators/operCHOLESKY.h"

#include "graph/Cholesky.h"

operCHOLESKY::operCHOLESKY(bool withDisplay)
{
    const QString text =
        QStringLiteral("Cholesky decomposition (of a square matrix with non negative entries).");
    setUp(QStringLiteral("CHOLESKY"), withDisplay, text, text);
}

void operCHOLESKY::recompute()
{
    const QString prefix = QStringLiteral("CHOLESKY");
    // Entries that are not finite are left to the kernel: a pivot that is not a finite positive
    // number (a NaN or an infinity in the diagonal or the lower triangle) fails the factorisation.
    const int n = symmetricOrder(prefix, QStringLiteral("simmetric"), false);
    if (n == 0)
        return;
    // The kernel reads the diagonal and the lower triangle only.
    const Cholesky cholesky(arg1->M, n);
    if (!cholesky.succeeded()) {
        fail(QStringLiteral("CHOLESKY matrix not positive definite"), true);
        return;
    }
    const QVector<QVector<double>> factor = cholesky.q();
    succeed(QStringLiteral("Cholesky"), n, n, arg1->sRows, arg1->sCols);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            M[i][j] = factor[i][j];
}
