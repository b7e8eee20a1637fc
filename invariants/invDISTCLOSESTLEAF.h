#pragma once

#include "problem/Invariant.h"

// Distance from every vertex to its closest vertex of degree 1 (0 for a vertex of degree 1).
// An error (shape 0 x 0) when the graph is disconnected or some vertex reaches no such vertex.
class invDISTCLOSESTLEAF : public Invariant
{
public:
    explicit invDISTCLOSESTLEAF(bool withDisplay);
    ~invDISTCLOSESTLEAF() override;

    void recompute() override;
};
