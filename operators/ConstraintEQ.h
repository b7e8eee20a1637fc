#pragma once

#include "operators/ConstraintFrame.h"

#include <limits>

// "==": every pair adds |a - b| (no tolerance); equal infinities add nothing, and a pair with an entry
// that is not a number makes the penalty not a number (counted as violated by the evaluation).
class ConstraintEQ : public ConstraintFrame
{
public:
    explicit ConstraintEQ(bool withDisplay);
    void recompute() override;

    static double contribution(double a, double b) { return a == b ? 0.0 : std::fabs(a - b); }
    static double nanContribution() { return std::numeric_limits<double>::quiet_NaN(); }
};
