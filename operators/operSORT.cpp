#include "operators/operSORT.h"

operSORT::operSORT(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("Sort a vector in decreasing order.");
    setUp(QStringLiteral("SORT"), withDisplay, text, text);
}

void operSORT::recompute()
{
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), true);
        return;
    }
    if (isEmpty(a) || !isVector(a)) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    const bool column = a->cols == 1;
    const QString text = !column        ? QStringLiteral("Row vector")
                         : a->rows == 1 ? QStringLiteral("single element")
                                        : QStringLiteral("Column vector");
    succeed(text, a->rows, a->cols, a->sRows, a->sCols);
    const int n = column ? a->rows : a->cols;
    double e[32];
    for (int k = 0; k < n; ++k)
        e[k] = column ? a->M[k][0] : a->M[0][k];
    // Adjacent exchanges while a pair is strictly out of order: stable, and since no comparison with
    // a NaN holds, nothing moves across one. Each pass settles one more entry, so at most n passes.
    for (int pass = 0; pass < n; ++pass) {
        bool exchanged = false;
        for (int k = 1; k < n - pass; ++k)
            if (e[k - 1] < e[k]) {
                const double t = e[k - 1];
                e[k - 1] = e[k];
                e[k] = t;
                exchanged = true;
            }
        if (!exchanged)
            break;
    }
    for (int k = 0; k < n; ++k) {
        if (column)
            M[k][0] = e[k];
        else
            M[0][k] = e[k];
    }
}
