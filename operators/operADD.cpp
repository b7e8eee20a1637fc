#include "operators/operADD.h"

operADD::operADD(bool withDisplay)
{
    setUp(QStringLiteral("+"), withDisplay,
          QStringLiteral("Term by term addition of values, vectors or matrices (may handle up to 4 "
                         "arguments). A value may also be added to a vector or matrix."),
          QStringLiteral("Term by term addition of values, vectors or matrices (may handle up to 4 "
                         "arguments). A value may also be added to a vector or matrix."));
}

void operADD::recompute()
{
    combineArguments<operADD>(QStringLiteral("+"), false, true);
}
