#include "operators/operSUBSTRACT.h"

operSUBSTRACT::operSUBSTRACT(bool withDisplay)
{
    setUp(QStringLiteral("-"), withDisplay,
          QStringLiteral("Term by term substraction of values, vectors or matrices. A value may also be "
                         "substracted from a matrix or vector."),
          QStringLiteral("Term by term substraction of values, vectors or matrices.\n A value may also be "
                         "substracted from a matrix or vector."));
}

void operSUBSTRACT::recompute()
{
    // A success keeps the error flag that an argument in error gave the item, as in every operator:
    // clearing it would report an upstream failure as a valid result.
    combineArguments<operSUBSTRACT>(QStringLiteral("-"), true);
}
