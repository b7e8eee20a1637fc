#pragma once

#include "operators/OperatorFrame.h"

// "SUMPRODUCT": the sum of the products of matching entries of two arguments of one shape.
class operSUMPRODUCT : public OperatorFrame
{
public:
    explicit operSUMPRODUCT(bool withDisplay);
    void recompute() override;
};
