#pragma once

#include "invariants/PathFlowInvariant.h"

// For each vertex, the sum of the distance-weighted betweenness (weight 1 / 2L) of its edges. A
// disconnected graph is an error with an n x n result of zeros.
class invDCENTRALITY : public PathFlowInvariant
{
public:
    explicit invDCENTRALITY(bool withDisplay);
    ~invDCENTRALITY() override;

    void recompute() override;
};
