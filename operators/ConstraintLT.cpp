#include "operators/ConstraintLT.h"

ConstraintLT::ConstraintLT(bool withDisplay)
{
    setUp(QStringLiteral("<"), withDisplay,
          QStringLiteral("The first  argument should be less than the second."));
}

void ConstraintLT::recompute()
{
    computePenalty<ConstraintLT>(QStringLiteral("<"));
}
