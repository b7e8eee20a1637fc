#pragma once

#include "invariants/ShortestPathFrame.h"
#include "problem/Invariant.h"

// Base of the invariants read from the searches of a ShortestPathFrame (BETWEENNESS, CENTRALITY,
// CUTCENTRALITY, IINDEX, PELORAND, PELORAND2, SUURBALLE): the frame and the first steps they share.
class ShortestPathInvariant : public Invariant
{
protected:
    // Without a graph the item fails (0 x 0) and false is returned. Otherwise the frame reads the
    // graph and searches from every vertex, the error flag is cleared, and true is returned.
    bool loadFrame();

    // M := the edge betweenness, shape n x n; true. Without a graph, or when the graph is
    // disconnected, the item fails (0 x 0; a disconnected graph leaves M's n x n block at 0) and
    // false is returned.
    bool loadEdgeBetweenness();

    // For the items built from the two sides of vertex pairs (ShortestPathFrame::split): shape
    // n x n with M's n x n block at 0; true when the graph is connected. A disconnected graph is
    // an error with that result of zeros, and without a graph the item fails: both return false.
    bool loadForSplits();

    // Rooted at each vertex v, every leaf of the graph goes to a neighbour of v
    // (ShortestPathFrame::assignLeaves), and rootValue(v, count) turns the counts into the value
    // of v: M := those values, shape n x 1. The item fails without a graph, and when a leaf finds
    // no neighbour of a root.
    template <typename RootValue> void rootedLeafValues(RootValue rootValue);

    ShortestPathFrame frame;
};

template <typename RootValue> void ShortestPathInvariant::rootedLeafValues(RootValue rootValue)
{
    if (!loadFrame())
        return;
    const int n = frame.order();
    // A disconnected graph is an error, but the values are still given when every leaf finds a
    // neighbour of each root.
    error = !frame.connected();
    double value[32];
    for (int v = 0; v < n; ++v) {
        int count[32];
        if (!frame.assignLeaves(v, count)) {
            setFailed();
            return;
        }
        value[v] = rootValue(v, count);
    }
    for (int v = 0; v < n; ++v)
        M[v][0] = value[v];
    rows = n;
    cols = 1;
}
