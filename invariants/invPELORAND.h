#pragma once

#include "invariants/ShortestPathInvariant.h"

// Rooted at each vertex v, every leaf of the graph goes to the neighbour of v nearest to it (the
// lowest index among equals); the value of v is the sum of the squared counts p_k.
class invPELORAND : public ShortestPathInvariant
{
public:
    explicit invPELORAND(bool withDisplay);
    ~invPELORAND() override;

    void recompute() override;
};
