#pragma once

#include "operators/ConstraintFrame.h"

// "==": every pair adds |a - b| (no tolerance); equal infinities add nothing.
class ConstraintEQ : public ConstraintFrame
{
public:
    explicit ConstraintEQ(bool withDisplay);
    void recompute() override;

    static double contribution(double a, double b) { return a == b ? 0.0 : std::fabs(a - b); }
};
