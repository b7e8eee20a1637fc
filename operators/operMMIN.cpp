#include "operators/operMMIN.h"

operMMIN::operMMIN(bool withDisplay)
{
    setUp(QStringLiteral("MMIN"), withDisplay,
          QStringLiteral("Term by term minimum valuea over different vectors or matrices, or between a value "
                         "and a vector or a matrix."),
          QStringLiteral("Term by term minimum valuea over different vectors or matrices, or between a value "
                         "and a vector or a matrix."));
}

void operMMIN::recompute()
{
    combineArguments<operMMIN>(QStringLiteral("MMIN"), true);
}
