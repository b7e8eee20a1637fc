#pragma once

#include "operators/OperatorFrame.h"

// "/": a value, vector or matrix divided by a value, a value divided by every entry, or two arguments
// of one shape entry by entry. A divisor below 1e-6 in magnitude counts as zero and fails the item.
// Arguments 3 and 4 may be linked but are not read.
class operDIV : public OperatorFrame
{
public:
    explicit operDIV(bool withDisplay);
    void recompute() override;

private:
    // The failure at entry (i, j): the marker 1e12 there, a 0 x 0 result, the labels kept.
    void divisionByZero(int i, int j);
};
