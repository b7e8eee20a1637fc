#pragma once

#include "operators/DistanceOperator.h"

// "MANHATTANDIST": the sum of the absolute differences of two arguments of one shape.
class operMANHATTANDIST : public DistanceOperator
{
public:
    explicit operMANHATTANDIST(bool withDisplay);
    void recompute() override;
};
