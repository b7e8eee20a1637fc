#pragma once

#include "operators/OperatorFrame.h"

// "CORR": the uncentred correlation (cosine of the angle) of two vectors of one shape,
// snapped to -1 or 1 within 1e-6. Failures keep the size labels "1" and "1".
class operCORR : public OperatorFrame
{
public:
    explicit operCORR(bool withDisplay);
    void recompute() override;
};
