#include "operators/operFLOOR.h"

#include <cmath>

operFLOOR::operFLOOR(bool withDisplay) : OperatorFrame(1)
{
    const QString text = QStringLiteral("Floor values of the entries of the value, vector or matrix.");
    setUp(QStringLiteral("FLOOR"), withDisplay, text, text);
}

void operFLOOR::recompute()
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
    succeed(QStringLiteral("FLOOR"), a->rows, a->cols, a->sRows, a->sCols);
    mapEntries(a, [](double x) { return std::floor(x); });
}
