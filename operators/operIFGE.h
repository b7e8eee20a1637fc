#pragma once

#include "operators/OperatorFrame.h"

// "IFGE": entry by entry, argument 3 where argument 1 >= argument 2 - 1e-6, else argument 4.
class operIFGE : public OperatorFrame
{
public:
    explicit operIFGE(bool withDisplay);
    void recompute() override;
};
