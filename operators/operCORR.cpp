#include "operators/operCORR.h"

#include <cmath>

operCORR::operCORR(bool withDisplay) : OperatorFrame(2)
{
    const QString text = QStringLiteral("Correlation coefficient between 2 vectors.");
    setUp(QStringLiteral("CORR"), withDisplay, text, text);
    sRows = sCols = QStringLiteral("1");
}

void operCORR::recompute()
{
    const Calculus *a = arg1;
    const Calculus *b = arg2;
    if (!a || !b) {
        fail(QStringLiteral("Missing arguments"), false);
        return;
    }
    if (isEmpty(a)) {
        fail(QStringLiteral("Argument error"), false);
        return;
    }
    if (!isVector(a)) {
        fail(QStringLiteral("VECTORS NEEDED"), false);
        return;
    }
    if (!sameShape(a, b)) {
        fail(QStringLiteral("ARG SIZE DIFFER"), false);
        return;
    }
    double saa = 0.0, sbb = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j) {
            saa += a->M[i][j] * a->M[i][j];
            sbb += b->M[i][j] * b->M[i][j];
        }
    const double d = std::sqrt(sbb * saa);
    saveTooltip(QStringLiteral("CORR"));
    M[0][0] = 0.0;
    if (d < 1e-6) {
        fail(QStringLiteral("NUMERICAL ERROR: DIV by 0"), false);
        return;
    }
    double r = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j)
            r += a->M[i][j] * b->M[i][j] / d;
    if (r < -0.999999)
        r = -1.0;
    if (r > 0.999999)
        r = 1.0;
    rows = cols = 1;
    M[0][0] = r;
}
