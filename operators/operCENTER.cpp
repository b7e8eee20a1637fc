#include "operators/operCENTER.h"

operCENTER::operCENTER(bool withDisplay) : OperatorFrame(1)
{
    const QString text =
        QStringLiteral("Centering of a vector or matrix by substracting the average value. In a "
                       "matrix, the diagonal elements are considered in the computation of the "
                       "average value.");
    setUp(QStringLiteral("CENTER"), withDisplay, text, text);
}

void operCENTER::recompute()
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
    succeed(QStringLiteral("CENTER"), a->rows, a->cols, a->sRows, a->sCols);
    double sum = 0.0;
    int count = 0;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            sum += a->M[i][j];
            ++count;
        }
    const double mean = sum / count;
    for (int i = 0; i < rows; ++i) {
        double *out = M[i].data();
        const double *in = a->M[i].constData();
        for (int j = 0; j < cols; ++j)
            out[j] = in[j] - mean;
    }
}
