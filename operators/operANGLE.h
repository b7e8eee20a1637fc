#pragma once

#include "operators/OperatorFrame.h"

// "ANGLE": the angle in radians (0 to pi) between two vectors of one shape.
class operANGLE : public OperatorFrame
{
public:
    explicit operANGLE(bool withDisplay);
    void recompute() override;
};
