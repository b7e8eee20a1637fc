#pragma once

#include "operators/ConstraintFrame.h"

// ">": a must exceed b by at least the tolerance; a violating pair adds 1 + (b - a) (exactly 1 for a tie).
class ConstraintGT : public ConstraintFrame
{
public:
    explicit ConstraintGT(bool withDisplay);
    void recompute() override;

    static double contribution(double a, double b) { return a < b + Tolerance ? (b + 1.0) - a : 0.0; }
};
