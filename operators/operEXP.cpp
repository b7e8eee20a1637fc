#include "operators/operEXP.h"

#include <cmath>

operEXP::operEXP(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("Exponent of the entries of the value, vector or matrix.");
    setUp(QStringLiteral("EXP"), withDisplay, text, text);
}

void operEXP::recompute()
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
    succeed(QStringLiteral("EXP"), a->rows, a->cols, a->sRows, a->sCols);
    mapEntries(a, [](double x) { return std::exp(x); });
}
