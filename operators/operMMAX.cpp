#include "operators/operMMAX.h"

operMMAX::operMMAX(bool withDisplay)
{
    setUp(QStringLiteral("MMAX"), withDisplay,
          QStringLiteral("Term by term maximum valuea over different vectors or matrices, or between a value "
                         "and a vector or a matrix."),
          QStringLiteral("Term by term maximum valuea over different vectors or matrices,\n or between a "
                         "value and a vector or a matrix."));
}

void operMMAX::recompute()
{
    combineArguments<operMMAX>(QStringLiteral("MMAX"), true);
}
