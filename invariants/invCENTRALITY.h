#pragma once

#include "invariants/ShortestPathInvariant.h"

// Betweenness centrality of the edges: for each vertex, the sum of the edge betweenness of the
// edges at it. A disconnected graph is an error (shape 0 x 0).
class invCENTRALITY : public ShortestPathInvariant
{
public:
    explicit invCENTRALITY(bool withDisplay);
    ~invCENTRALITY() override;

    void recompute() override;
};
