#pragma once

#include "operators/OperatorFrame.h"

// "FLOOR": the largest integer value not above each entry.
class operFLOOR : public OperatorFrame
{
public:
    explicit operFLOOR(bool withDisplay);
    void recompute() override;
};
