#include "invariants/invDISTANCE.h"

#include "invariants/InvariantKit.h"

invDISTANCE::invDISTANCE(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("DISTANCES"),
                           QStringLiteral(R"(Distance matrix, geodesic distance between pairs of vertices.)"),
                           QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invDISTANCE::~invDISTANCE() = default;

void invDISTANCE::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = n;
    cols = n;
    if (!InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached))
        error = true;
}
