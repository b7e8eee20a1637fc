#pragma once

#include "operators/LineReductionOperator.h"

// "MAXCOL": the row vector of the largest entry of each column of argument 1.
class operMAXCOL : public LineReductionOperator
{
public:
    explicit operMAXCOL(bool withDisplay);
    void recompute() override;
};
