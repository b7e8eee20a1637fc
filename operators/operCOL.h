#pragma once

#include "operators/OperatorFrame.h"

// "COLUMN": column c (counted from 1, argument 2 truncated toward zero) of argument 1 as a
// column vector.
class operCOL : public OperatorFrame
{
public:
    explicit operCOL(bool withDisplay);
    void recompute() override;
};
