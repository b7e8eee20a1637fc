#pragma once

#include "operators/DistanceOperator.h"

// "EUCLIDIANDIST": the Euclidean distance of two arguments of one shape.
class operEUCLIDIANDIST : public DistanceOperator
{
public:
    explicit operEUCLIDIANDIST(bool withDisplay);
    void recompute() override;
};
