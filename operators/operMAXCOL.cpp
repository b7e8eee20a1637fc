#include "operators/operMAXCOL.h"

operMAXCOL::operMAXCOL(bool withDisplay)
{
    setUp(
        QStringLiteral("MAXCOL"), withDisplay,
        QStringLiteral("Maximum over each column, if the argument is a matrix, a row vector is obtained."),
        QStringLiteral("Maximum over each column.\n If the argument is a matrix, a row vector is obtained."));
}

void operMAXCOL::recompute()
{
    reduceLines(QStringLiteral("MAXCOL"), Line::Column, Reduce::Max);
}
