#pragma once

#include "operators/ConstraintFrame.h"

// ">=": a pair with a below b by more than the tolerance adds b - a.
class ConstraintGE : public ConstraintFrame
{
public:
    explicit ConstraintGE(bool withDisplay);
    void recompute() override;

    static double contribution(double a, double b) { return a < b - Tolerance ? b - a : 0.0; }
};
