#include "operators/ConstraintEQ.h"

ConstraintEQ::ConstraintEQ(bool withDisplay)
{
    setUp(QStringLiteral("=="), withDisplay,
          QStringLiteral("The first and second arguments should be equal."));
}

void ConstraintEQ::recompute()
{
    computePenalty<ConstraintEQ>(QStringLiteral("=="));
}
