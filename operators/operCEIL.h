#pragma once

#include "operators/OperatorFrame.h"

// "CEIL": the ceiling of every entry of a value, vector or matrix.
class operCEIL : public OperatorFrame
{
public:
    explicit operCEIL(bool withDisplay);
    void recompute() override;
};
