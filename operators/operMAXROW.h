#pragma once

#include "operators/LineReductionOperator.h"

// "MAXROW": the column vector of the largest entry of each row of argument 1.
class operMAXROW : public LineReductionOperator
{
public:
    explicit operMAXROW(bool withDisplay);
    void recompute() override;
};
