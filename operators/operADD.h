#pragma once

#include "operators/ElementwiseOperator.h"

// "+": the entry-by-entry sum of two to four arguments; a value as argument 1 or 2 is added to every entry.
class operADD : public ElementwiseOperator
{
public:
    explicit operADD(bool withDisplay);
    void recompute() override;

    static double combine(double x, double y) { return x + y; }
    static double leftValue(double v, double y) { return v + y; }
};
