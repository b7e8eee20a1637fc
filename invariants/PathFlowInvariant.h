#pragma once

#include "invariants/PathFlow.h"
#include "problem/Invariant.h"

// Base of the betweenness invariants built from path flows (DBETWEENNESS, DBETWEENNESS2,
// DCENTRALITY, DCENTRALITY2, NBETWEENNESS): the flow and the first step they all take with it.
class PathFlowInvariant : public Invariant
{
protected:
    // Without a graph the item fails (0 x 0). Otherwise M := the sum over all ordered pairs of the
    // weighted flow on each edge, shape n x n; a disconnected graph is an error with an n x n
    // result of zeros. True when the graph is connected: the item then goes on from the flow.
    bool loadFlow(PathFlow::Weight weight);

    PathFlow flow;
};
