#pragma once

#include "operators/ConstraintFrame.h"

// "<=": a pair with a above b adds a - b; a pair that holds adds nothing, so it never cancels a
// violation elsewhere.
class ConstraintLE : public ConstraintFrame
{
public:
    explicit ConstraintLE(bool withDisplay);
    void recompute() override;

    static double contribution(double a, double b) { return a > b ? a - b : 0.0; }
};
