#include "invariants/invNCONN.h"

#include "invariants/ExactSearch.h"
#include "invariants/InvariantKit.h"

#include <iostream>

invNCONN::invNCONN(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("NCONN"),
        QStringLiteral(
            R"(Node connectivity index, the minimum number of vertices that must be removed from the graph to disconnect it.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invNCONN::~invNCONN() = default;

void invNCONN::recompute()
{
    if (!graph) {
        std::cerr << "invNCONN no graph" << std::endl;
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    // The graph without vertices keeps the item's documented value -1.
    M[0][0] = n == 0 ? -1.0 : ExactSearch::vertexConnectivity(adj, n);
    rows = 1;
    cols = 1;
}
