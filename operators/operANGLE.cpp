#include "operators/operANGLE.h"

#include <cmath>

operANGLE::operANGLE(bool withDisplay) : OperatorFrame(2)
{
    const QString text = QStringLiteral("Angle (Rad) between 2 vectors.");
    setUp(QStringLiteral("ANGLE"), withDisplay, text, text);
    // The result is always a value; its labels never change afterwards.
    sRows = QStringLiteral("1");
    sCols = QStringLiteral("1");
}

void operANGLE::recompute()
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
    if (a->cols != 1 && a->rows != 1) {
        fail(QStringLiteral("VECTORS NEEDED"), false);
        return;
    }
    if (!sameShape(a, b)) {
        fail(QStringLiteral("ARG SIZE DIFFER"), false);
        return;
    }

    double na = 0.0;
    double nb = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j) {
            na += a->M[i][j] * a->M[i][j];
            nb += b->M[i][j] * b->M[i][j];
        }
    const double d = std::sqrt(nb * na);
    if (d < 1e-6) {
        fail(QStringLiteral("NUMERICAL ERROR: DIV by 0"), false);
        return;
    }
    double r = 0.0;
    for (int i = 0; i < a->rows; ++i)
        for (int j = 0; j < a->cols; ++j)
            r += (a->M[i][j] * b->M[i][j]) / d;
    // Rounding can push the cosine just outside [-1, 1], where acos has no value.
    if (r < -0.999999)
        r = -1.0;
    if (r > 0.999999)
        r = 1.0;
    saveTooltip(QStringLiteral("ANGLE"));
    rows = 1;
    cols = 1;
    M[0][0] = std::acos(r);
}
