#include "operators/operSUMCOL.h"

operSUMCOL::operSUMCOL(bool withDisplay)
{
    setUp(QStringLiteral("SUMCOL"), withDisplay,
          QStringLiteral("Sum of the terms of each column of a matrix, providing a row vector."),
          QStringLiteral("Sum of the terms of each column of a matrix, providing a row vector."));
}

void operSUMCOL::recompute()
{
    reduceLines(QStringLiteral("SUMCOL"), Line::Column, Reduce::Sum);
}
