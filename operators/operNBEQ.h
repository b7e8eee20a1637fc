#pragma once

#include "operators/OperatorFrame.h"

// "NBEQ": how many entries of argument 1 lie strictly within a tolerance (argument 3, default
// 1e-6) of a value (argument 2, default 0). An optional argument counts when it has a result; its
// first entry is read.
class operNBEQ : public OperatorFrame
{
public:
    explicit operNBEQ(bool withDisplay);
    void recompute() override;
};
