#pragma once

#include "operators/ElementwiseOperator.h"

// "MMAX": the entry-by-entry larger value. The first operand is the entry of the argument that gives the
// result its shape (or the running result); on a tie or a NaN the first operand wins.
class operMMAX : public ElementwiseOperator
{
public:
    explicit operMMAX(bool withDisplay);
    void recompute() override;

    static double combine(double x, double y) { return x < y ? y : x; }
    static double leftValue(double v, double y) { return y < v ? v : y; }
};
