#pragma once

#include "invariants/ShortestPathFrame.h"
#include "problem/Invariant.h"

// Edge betweenness: entry (x, y) sums, over the unordered vertex pairs, the share of the pair's
// shortest paths that use the edge xy. A disconnected graph is an error (shape 0 x 0).
class invBETWEENNESS : public Invariant
{
public:
    explicit invBETWEENNESS(bool withDisplay);
    ~invBETWEENNESS() override;

    void recompute() override;

private:
    ShortestPathFrame frame;
};
