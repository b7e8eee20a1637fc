#pragma once

#include "operators/OperatorFrame.h"

// "DIAG": the L x L diagonal matrix of a vector of length L >= 2.
class operDIAG : public OperatorFrame
{
public:
    explicit operDIAG(bool withDisplay);
    void recompute() override;
};
