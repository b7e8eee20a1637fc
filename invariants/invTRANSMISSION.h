#pragma once

#include "problem/Invariant.h"

// Transmission of every vertex: the sum of its distances to the other vertices. On a
// disconnected graph each vertex of another component adds 1e12 and the error flag is set.
class invTRANSMISSION : public Invariant
{
public:
    explicit invTRANSMISSION(bool withDisplay);
    ~invTRANSMISSION() override;

    void recompute() override;
};
