#include "operators/operTRANSPOSE.h"

operTRANSPOSE::operTRANSPOSE(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("Transposition of a vector or matrix.");
    setUp(QStringLiteral("TRANSPOSE"), withDisplay, text, text);
}

void operTRANSPOSE::recompute()
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
    succeed(QStringLiteral("TRANSPOSE"), a->cols, a->rows, a->sCols, a->sRows);
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j)
            M[j][i] = a->M[i][j];
}
