#pragma once

#include "operators/OperatorFrame.h"

// "SUMGE": the sum of the entries of argument 1 that are at least a threshold (argument 2,
// default 0) less 1e-6.
class operSUMGE : public OperatorFrame
{
public:
    explicit operSUMGE(bool withDisplay);
    void recompute() override;
};
