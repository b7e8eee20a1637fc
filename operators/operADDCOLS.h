#pragma once

#include "operators/OperatorFrame.h"

// "ADDCOLS": the columns of arguments 1 to 4 side by side, argument 1 first; every linked argument
// must have the row count of argument 1, and the total width may not exceed 32 columns.
class operADDCOLS : public OperatorFrame
{
public:
    explicit operADDCOLS(bool withDisplay);
    void recompute() override;
};
