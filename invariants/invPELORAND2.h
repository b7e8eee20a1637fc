#pragma once

#include "invariants/ShortestPathInvariant.h"

// Rooted at each vertex v, every leaf of the graph goes to the neighbour of v nearest to it (the
// lowest index among equals); the value of v is 1 when the counts p_k spread unevenly (the
// largest exceeds the smallest by 2 or more, or two neighbours are at the smallest and two
// above it), else 0.
class invPELORAND2 : public ShortestPathInvariant
{
public:
    explicit invPELORAND2(bool withDisplay);
    ~invPELORAND2() override;

    void recompute() override;
};
