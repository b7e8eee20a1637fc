#pragma once

#include "operators/ReductionOperator.h"

// "MIN": the smallest entry of a value, vector or matrix; entries that are not numbers are passed
// over, and an argument of NaN entries only gives NaN.
class operMIN : public ReductionOperator
{
public:
    explicit operMIN(bool withDisplay);
    void recompute() override;
};
