#include "operators/operEIGVEC.h"

#include "graph/Eig.h"

operEIGVEC::operEIGVEC(bool withDisplay)
{
    setUp(QStringLiteral("EIGENVECTORS"), withDisplay,
          QStringLiteral(
              "Eigenvectors (normalized) of the square matrix. Vectors are aranged as column vectors "
              "in the decreasing order of the corresponding eigenvalues."),
          QStringLiteral("Eigenvectors (normalized) of the square matrix.\n Vectors are aranged as column "
                         "vectors in the decreasing order of the corresponding eigenvalues."));
}

void operEIGVEC::recompute()
{
    const QString prefix = QStringLiteral("EIGENVECTORS");
    const int n = symmetricOrder(prefix, QStringLiteral("symetric"), true);
    if (n == 0)
        return;
    const Eig eig(arg1->M, n);
    if (!eig.converged()) {
        fail(prefix + QStringLiteral(" did not converge"), true);
        return;
    }
    const QVector<QVector<double>> vectors = eig.eigvecs();
    succeed(QStringLiteral("Eigenvectors"), n, n, arg1->sRows, arg1->sCols);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            M[i][j] = vectors[i][j];
}
