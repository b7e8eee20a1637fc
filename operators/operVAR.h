#pragma once

#include "operators/ReductionOperator.h"

// "VAR": the population variance (divisor N, the number of entries) of a value, vector or matrix.
class operVAR : public ReductionOperator
{
public:
    explicit operVAR(bool withDisplay);
    void recompute() override;
};
