#pragma once

#include "operators/LineReductionOperator.h"

// "SUMROW": the column vector of the sums of the rows of argument 1.
class operSUMROW : public LineReductionOperator
{
public:
    explicit operSUMROW(bool withDisplay);
    void recompute() override;
};
