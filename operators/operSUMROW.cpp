#include "operators/operSUMROW.h"

operSUMROW::operSUMROW(bool withDisplay)
{
    setUp(QStringLiteral("SUMROW"), withDisplay,
          QStringLiteral("Sum of the terms of each row of a matrix, providing a column vector."),
          QStringLiteral("Sum of the terms of each row of a matrix,\n providing a column vector."));
}

void operSUMROW::recompute()
{
    reduceLines(QStringLiteral("SUMROW"), Line::Row, Reduce::Sum);
}
