#include "operators/operDETERMINANT.h"

#include <cmath>

operDETERMINANT::operDETERMINANT(bool withDisplay)
{
    const QString text = QStringLiteral("Determinant of the square symmetric matrix.");
    setUp(QStringLiteral("DETERMINANT"), withDisplay, text, text);
}

void operDETERMINANT::recompute()
{
    const QString keyword = QStringLiteral("DETERMINANT");
    const int n = symmetricOrder(keyword, QStringLiteral("symetric"), true);
    const double *values = n == 0 ? nullptr : eigenvalues(n, keyword);
    if (!values)
        return;
    // An eigenvalue within 1e-6 of zero is a zero of the rounding: the matrix is singular and the
    // product 0 (its sign follows the eigenvalues after it). A small running product is not snapped:
    // the eigenvalues that follow it may be large, and the true determinant with them.
    double p = 1.0;
    for (int k = 0; k < n; ++k) {
        const double lambda = values[k];
        if (std::fabs(lambda) < 1e-6)
            p = 0.0;
        p *= lambda;
    }
    succeed(keyword, 1, 1, QStringLiteral("1"), QStringLiteral("1"));
    M[0][0] = p;
}
