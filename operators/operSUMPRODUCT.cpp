#include "operators/operSUMPRODUCT.h"

operSUMPRODUCT::operSUMPRODUCT(bool withDisplay) : OperatorFrame(2)
{
    const QString text = QStringLiteral("Sum of the products of matching terms of 2 vectors or matrices.");
    setUp(QStringLiteral("SUMPRODUCT"), withDisplay, text, text);
}

void operSUMPRODUCT::recompute()
{
    if (!requireOneShapePair())
        return;
    double s = 0.0;
    for (int i = 0; i < arg1->rows; ++i)
        for (int j = 0; j < arg1->cols; ++j)
            s += arg1->M[i][j] * arg2->M[i][j];
    succeed(QStringLiteral("SUMPRODUCT"), 1, 1, QStringLiteral("1"), QStringLiteral("1"));
    M[0][0] = s;
}
