#pragma once

#include "operators/ReductionOperator.h"

// "SUM": the total of the entries of a value, vector or matrix.
class operSUM : public ReductionOperator
{
public:
    explicit operSUM(bool withDisplay);
    void recompute() override;
};
