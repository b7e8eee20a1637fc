#include "operators/operADDCOLS.h"

operADDCOLS::operADDCOLS(bool withDisplay) : OperatorFrame(4)
{
    const QString text =
        QStringLiteral("Concatenation of matrices by columns (adding the columns of the second "
                       "after the columns of the first).");
    setUp(QStringLiteral("ADDCOLS"), withDisplay, text, text);
}

void operADDCOLS::recompute()
{
    // The size labels are never written by this operator, and a success keeps the status text.
    const Calculus *a = arg1;
    if (!a) {
        fail(QStringLiteral("Missing arguments"), false);
        return;
    }
    const Calculus *parts[3] = {arg2, arg3, arg4};
    int width = a->cols;
    for (const Calculus *p : parts) {
        if (!p)
            continue;
        if (p->rows != a->rows) {
            fail(QStringLiteral("Unmatching dimension"), false);
            return;
        }
        width += p->cols;
    }
    // The result grid holds 32 columns; a wider result cannot be stored.
    if (width > 32) {
        fail(QStringLiteral("More than 32 columns"), false);
        return;
    }

    rows = a->rows;
    cols = width;
    int c0 = 0;
    for (const Calculus *p : {a, parts[0], parts[1], parts[2]}) {
        if (!p)
            continue;
        for (int i = 0; i < rows; ++i)
            for (int k = 0; k < p->cols; ++k)
                M[i][c0 + k] = p->M[i][k];
        c0 += p->cols;
    }
}
