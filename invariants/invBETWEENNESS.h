#pragma once

#include "invariants/ShortestPathInvariant.h"

// Edge betweenness: entry (x, y) sums, over the unordered vertex pairs, the share of the pair's
// shortest paths that use the edge xy. A disconnected graph is an error (shape 0 x 0).
class invBETWEENNESS : public ShortestPathInvariant
{
public:
    explicit invBETWEENNESS(bool withDisplay);
    ~invBETWEENNESS() override;

    void recompute() override;
};
