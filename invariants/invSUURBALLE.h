#pragma once

#include "invariants/ShortestPathInvariant.h"

// Sum over the unordered vertex pairs of the length of the shortest cycle through both, found as
// the cheapest pair of internally disjoint paths (a minimum-cost flow of two units through
// vertices of capacity one). A pair on no common cycle adds 0. A disconnected graph is an error
// (shape 0 x 0). The item factory does not make this item.
class invSUURBALLE : public ShortestPathInvariant
{
public:
    explicit invSUURBALLE(bool withDisplay);
    ~invSUURBALLE() override;

    void recompute() override;

private:
    // Length of the shortest cycle through s and t, 0 when there is none.
    int shortestCycle(int s, int t) const;
};
