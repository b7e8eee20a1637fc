#include "operators/operABS.h"

#include <cmath>

operABS::operABS(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("Absolute values of the entries of the value, vector or matrix.");
    setUp(QStringLiteral("ABS"), withDisplay, text, text);
}

void operABS::recompute()
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing argument"), true);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), false);
        return;
    }
    succeed(QStringLiteral("ABS"), a->rows, a->cols, a->sRows, a->sCols);
    for (int i = 0; i < rows; ++i) {
        double *out = M[i].data();
        const double *in = a->M[i].constData();
        for (int j = 0; j < cols; ++j)
            out[j] = std::fabs(in[j]);
    }
}
