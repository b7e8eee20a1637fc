#include "operators/operVAR.h"

operVAR::operVAR(bool withDisplay)
{
    const QString text = QStringLiteral("Variance of a vector or matrix.");
    setUp(QStringLiteral("VAR"), withDisplay, text, text);
}

void operVAR::recompute()
{
    const Calculus *a = prepare(QStringLiteral("VAR"));
    if (!a)
        return;
    const double n = double(a->rows * a->cols);
    double mean = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j)
            mean += a->M[i][j] / n;
    double spread = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j) {
            const double dev = a->M[i][j] - mean;
            spread += dev * dev;
        }
    M[0][0] = spread / n;
}
