#include "invariants/invCHROMATICVAL.h"

#include "invariants/ExactSearch.h"
#include "invariants/InvariantKit.h"

invCHROMATICVAL::invCHROMATICVAL(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("CHROMATICVAL"),
        QStringLiteral(
            R"(label of the color that is assigned to each vertex in a way that minimizes the total number of colors and respect the coloration condition (2 adjacent vertices do not share the same color).)"),
        QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invCHROMATICVAL::~invCHROMATICVAL() = default;

void invCHROMATICVAL::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    if (n < 2) {
        setFailed();
        return;
    }
    error = false;
    int order[32];
    int colour[32] = {};
    ExactSearch::removalOrder(adj, n, order);
    ExactSearch::firstColouring(adj, n, order, ExactSearch::chromaticNumber(adj, n), colour);
    for (int v = 0; v < n; ++v)
        M[v][0] = colour[v];
    rows = n;
    cols = 1;
}
