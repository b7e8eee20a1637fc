#include "operators/ConstraintLE.h"

ConstraintLE::ConstraintLE(bool withDisplay)
{
    setUp(QStringLiteral("<="), withDisplay,
          QStringLiteral("The first  argument should be less than or equal to the second."));
}

void ConstraintLE::recompute()
{
    computePenalty<ConstraintLE>(QStringLiteral("<="));
}
