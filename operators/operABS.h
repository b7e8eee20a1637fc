#pragma once

#include "operators/OperatorFrame.h"

// "ABS": the absolute value of every entry of a value, vector or matrix.
class operABS : public OperatorFrame
{
public:
    explicit operABS(bool withDisplay);
    void recompute() override;
};
