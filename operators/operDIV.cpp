#include "operators/operDIV.h"

#include <cmath>

operDIV::operDIV(bool withDisplay) : OperatorFrame(4)
{
    const QString text = QStringLiteral("Division of a value, vector or matrix by a value, or the reverse.");
    setUp(QStringLiteral("/"), withDisplay, text, text);
}

void operDIV::divisionByZero(int i, int j)
{
    M[i][j] = 1e12;
    fail(QStringLiteral("NUMERICAL ERROR: DIV by 0"), false);
}

void operDIV::recompute()
{
    const Calculus *a = arg1;
    const Calculus *b = arg2;
    if (!a || !b) {
        fail(QStringLiteral("Missing arguments"), true);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), true);
        return;
    }
    const QString keyword = QStringLiteral("/");
    // 0: divided by the value of argument 2; 1: the value of argument 1 divided by each entry;
    // 2: entry by entry.
    int path;
    if (isValue(b)) {
        path = 0;
        succeed(keyword, a->rows, a->cols, a->sRows, a->sCols);
    } else if (isValue(a)) {
        path = 1;
        succeed(keyword, b->rows, b->cols, b->sRows, b->sCols);
    } else if (sameShape(a, b)) {
        // On this path the labels come from the divisor.
        path = 2;
        succeed(keyword, a->rows, a->cols, b->sRows, b->sCols);
    } else {
        fail(QStringLiteral("ARG SIZE DIFFER"), true);
        return;
    }
    for (int i = 0; i < rows; ++i) {
        double *out = M[i].data();
        const double *x = path == 1 ? nullptr : a->M[i].constData();
        const double *y = path == 0 ? nullptr : b->M[i].constData();
        for (int j = 0; j < cols; ++j) {
            const double divisor = path == 0 ? b->M[0][0] : y[j];
            if (std::fabs(divisor) < 1e-6) {
                divisionByZero(i, j);
                return;
            }
            out[j] = (path == 1 ? a->M[0][0] : x[j]) / divisor;
        }
    }
}
