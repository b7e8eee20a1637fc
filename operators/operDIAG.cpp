#include "operators/operDIAG.h"

operDIAG::operDIAG(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("Construction of a diagonal matrix from a vector.");
    setUp(QStringLiteral("DIAG"), withDisplay, text, text);
}

void operDIAG::recompute()
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing argument"), true);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    if (!isVector(a)) {
        fail(QStringLiteral("The argument should be a vector"), true);
        return;
    }
    if (isValue(a)) {
        fail(QStringLiteral("Argument 1 should be a vector"), true);
        return;
    }
    const bool row = a->rows == 1;
    const int n = row ? a->cols : a->rows;
    const QString label = row ? a->sCols : a->sRows;
    succeed(QStringLiteral("DIAG"), n, n, label, label);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            M[i][j] = i == j ? (row ? a->M[0][i] : a->M[i][0]) : 0.0;
}
