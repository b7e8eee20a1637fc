#pragma once

#include "operators/OperatorFrame.h"

// "TRANSPOSE": the transpose of a value, vector or matrix.
class operTRANSPOSE : public OperatorFrame
{
public:
    explicit operTRANSPOSE(bool withDisplay);
    void recompute() override;
};
