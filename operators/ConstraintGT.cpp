#include "operators/ConstraintGT.h"

ConstraintGT::ConstraintGT(bool withDisplay)
{
    setUp(QStringLiteral(">"), withDisplay,
          QStringLiteral("The first  argument should be greater than the second."));
}

void ConstraintGT::recompute()
{
    computePenalty<ConstraintGT>(QStringLiteral(">"));
}
