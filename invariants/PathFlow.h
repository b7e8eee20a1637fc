#pragma once

#include "invariants/ShortestPathFrame.h"

#include <QVector>

class Graph;

// The shortest-path flow shared by the distance-weighted and the normalised betweenness.
//
// For an ordered pair (s, t) one unit of flow leaves s and moves to t along shortest paths only;
// at every vertex what has arrived is split equally among the edges that lead one step nearer to
// t. The flow of the pair on an edge is what that edge receives. Where a pair has several
// shortest paths this differs from the share of paths through the edge, and it may differ
// between (s, t) and (t, s).
class PathFlow
{
public:
    // How the flow of a pair at distance L counts: 1 / 2L, 1 / 2L^2, or 1 / 2.
    enum class Weight { InverseDistance, InverseSquaredDistance, Half };

    // Loads the graph (not null) and, when it is connected, sets the leading n x n block of out
    // to the sum over all ordered pairs of the weighted flow on each edge (symmetric, 0 off the
    // edges) and returns true. A disconnected graph leaves the block at 0 and returns false.
    bool compute(Graph *g, Weight weight, QVector<QVector<double>> &out);

    int order() const { return frame.order(); }

private:
    ShortestPathFrame frame;
    double weights[32] = {};
    double carried[32] = {};
};
