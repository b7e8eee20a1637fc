#include "operators/ConstraintGE.h"

ConstraintGE::ConstraintGE(bool withDisplay)
{
    setUp(QStringLiteral(">="), withDisplay,
          QStringLiteral("The first  argument should be greater than or equal to the second."));
}

void ConstraintGE::recompute()
{
    computePenalty<ConstraintGE>(QStringLiteral(">="));
}
