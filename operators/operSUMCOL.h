#pragma once

#include "operators/LineReductionOperator.h"

// "SUMCOL": the row vector of the sums of the columns of argument 1.
class operSUMCOL : public LineReductionOperator
{
public:
    explicit operSUMCOL(bool withDisplay);
    void recompute() override;
};
