#pragma once

#include "operators/ElementwiseOperator.h"

// "-": ((a1 - a2) - a3) - a4 entry by entry; a value as argument 1 or 2 is broadcast.
class operSUBSTRACT : public ElementwiseOperator
{
public:
    explicit operSUBSTRACT(bool withDisplay);
    void recompute() override;

    static double combine(double x, double y) { return x - y; }
    static double leftValue(double v, double y) { return v - y; }
};
