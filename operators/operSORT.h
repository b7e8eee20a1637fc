#pragma once

#include "operators/OperatorFrame.h"

// "SORT": the entries of a vector in non-increasing order, in the vector's orientation; equal
// entries keep their order and no entry moves across a NaN.
class operSORT : public OperatorFrame
{
public:
    explicit operSORT(bool withDisplay);
    void recompute() override;
};
