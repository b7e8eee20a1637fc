#pragma once

#include "operators/OperatorFrame.h"

// "SQRT": the square root of every entry; entries within 1e-6 of zero give 0, and an entry
// below -1e-6 (or an argument in error) fails the whole item.
class operSQRT : public OperatorFrame
{
public:
    explicit operSQRT(bool withDisplay);
    void recompute() override;
};
