#include "operators/operMAXROW.h"

operMAXROW::operMAXROW(bool withDisplay)
{
    setUp(QStringLiteral("MAXROW"), withDisplay,
          QStringLiteral(
              "Maximum over each row. If a matrix is given as argument, a column vector is obtained."),
          QStringLiteral(
              "Maximum over each row.\n If a matrix is given as argument, a column vector is obtained."));
}

void operMAXROW::recompute()
{
    reduceLines(QStringLiteral("MAXROW"), Line::Row, Reduce::Max);
}
