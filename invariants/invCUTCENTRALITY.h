#pragma once

#include "invariants/ShortestPathInvariant.h"

// Cut centrality: for each vertex, the sum over its edges ij of a * b * density / c, where a and b
// count the vertices strictly nearer to i and to j and c counts (from 1) the edges between the
// two sides, half for an edge at a tied vertex. A disconnected graph is an error with an n x n
// result of zeros.
class invCUTCENTRALITY : public ShortestPathInvariant
{
public:
    explicit invCUTCENTRALITY(bool withDisplay);
    ~invCUTCENTRALITY() override;

    void recompute() override;
};
