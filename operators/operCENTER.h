#pragma once

#include "operators/OperatorFrame.h"

// "CENTER": the argument minus the mean of all its entries (the diagonal of a matrix included).
class operCENTER : public OperatorFrame
{
public:
    explicit operCENTER(bool withDisplay);
    void recompute() override;
};
