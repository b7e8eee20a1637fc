#pragma once

#include "operators/OperatorFrame.h"

// "DPALINDROMIC": the sum of |v[i] - v[n-1-i]| over the mirrored pairs of a vector, each pair
// counted once whatever the orientation. Failures keep the size labels "1" and "1".
class operDPALINDROMIC : public OperatorFrame
{
public:
    explicit operDPALINDROMIC(bool withDisplay);
    void recompute() override;
};
