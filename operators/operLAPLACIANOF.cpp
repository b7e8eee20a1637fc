#include "operators/operLAPLACIANOF.h"

operLAPLACIANOF::operLAPLACIANOF(bool withDisplay)
{
    setUp(QStringLiteral("LAPLACIANOF"), withDisplay,
          QStringLiteral("Laplacian matrix from a symmetric matrix $M$. $L=D-M$ where $D$ is a matrix whose "
                         "diagonal term $d_i=\\sum_{j=1}^n m_{ij}$."),
          QStringLiteral(
              "Laplacian matrix from a symmetric matrix M.\n L=D-M where D is a matrix whose diagonal "
              "term di is the sum of the elements of its row."));
}

void operLAPLACIANOF::recompute()
{
    // No kernel is involved: a NaN or infinite entry simply propagates into its row.
    const int n = symmetricOrder(QStringLiteral("LAPLACIANOF"), QStringLiteral("symetric"), false);
    if (n == 0)
        return;
    const Calculus *a = arg1;
    // Both labels are the row label: the result is square by construction.
    succeed(QStringLiteral("LaplacianOf"), n, n, a->sRows, a->sRows);
    for (int i = 0; i < n; ++i) {
        const double *in = a->M[i].constData();
        double *out = M[i].data();
        for (int j = 0; j < n; ++j)
            out[j] = -in[j];
        // -m_ii + (m_i0 + ... + m_i,n-1): the row sum without its diagonal entry.
        for (int j = 0; j < n; ++j)
            out[i] += in[j];
    }
}
