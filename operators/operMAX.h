#pragma once

#include "operators/ReductionOperator.h"

// "MAX": the largest entry of a value, vector or matrix; entries that are not numbers are passed
// over, and an argument of NaN entries only gives NaN.
class operMAX : public ReductionOperator
{
public:
    explicit operMAX(bool withDisplay);
    void recompute() override;
};
