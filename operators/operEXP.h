#pragma once

#include "operators/OperatorFrame.h"

// "EXP": the exponential of every entry; an overflow gives infinity, a NaN passes through.
class operEXP : public OperatorFrame
{
public:
    explicit operEXP(bool withDisplay);
    void recompute() override;
};
