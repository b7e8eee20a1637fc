#pragma once

#include "problem/Invariant.h"

// Sum of the inverse distances from every vertex to the other ones. On a disconnected graph
// each vertex of another component adds 1e-12 and the error flag is set.
class invDTRANSMISSION : public Invariant
{
public:
    explicit invDTRANSMISSION(bool withDisplay);
    ~invDTRANSMISSION() override;

    void recompute() override;
};
