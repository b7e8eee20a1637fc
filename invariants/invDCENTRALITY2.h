#pragma once

#include "invariants/PathFlowInvariant.h"

// For each vertex, the sum of the distance-weighted betweenness (weight 1 / 2L^2) of its edges.
// A disconnected graph is an error with an n x n result of zeros.
class invDCENTRALITY2 : public PathFlowInvariant
{
public:
    explicit invDCENTRALITY2(bool withDisplay);
    ~invDCENTRALITY2() override;

    void recompute() override;
};
