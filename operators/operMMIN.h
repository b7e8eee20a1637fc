#pragma once

#include "operators/ElementwiseOperator.h"

// "MMIN": the entry-by-entry smaller value. The first operand is the entry of the argument that gives the
// result its shape (or the running result); on a tie or a NaN the second operand wins.
class operMMIN : public ElementwiseOperator
{
public:
    explicit operMMIN(bool withDisplay);
    void recompute() override;

    static double combine(double x, double y) { return x < y ? x : y; }
    static double leftValue(double v, double y) { return y < v ? y : v; }
};
