#pragma once

#include "operators/ConstraintFrame.h"

// "<": a must lie below b by at least the tolerance; a violating pair adds 1 + (a - b) (exactly 1 for a
// tie).
class ConstraintLT : public ConstraintFrame
{
public:
    explicit ConstraintLT(bool withDisplay);
    void recompute() override;

    static double contribution(double a, double b) { return b < a + Tolerance ? (a + 1.0) - b : 0.0; }
};
