#pragma once

#include "operators/OperatorFrame.h"

// "VALUE AT": entry i (counted from 1, argument 2 truncated toward zero) of a vector.
class operVALUEAT : public OperatorFrame
{
public:
    explicit operVALUEAT(bool withDisplay);
    void recompute() override;
};
