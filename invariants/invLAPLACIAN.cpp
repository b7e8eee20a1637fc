#include "invariants/invLAPLACIAN.h"

#include "invariants/InvariantKit.h"

invLAPLACIAN::invLAPLACIAN(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("LAPLACIAN"),
        QStringLiteral(
            R"(Laplacian matrix, $L=D-A$, where $D$ is a matrix with degrees on the main diagonal and $A$ is the adjacency matrix.)"),
        QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invLAPLACIAN::~invLAPLACIAN() = default;

void invLAPLACIAN::recompute()
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
    for (int i = 0; i < n; ++i) {
        double *r = M[i].data();
        for (int j = 0; j < n; ++j)
            r[j] = (adj[i] >> j) & 1u ? -1.0 : 0.0;
        r[i] = InvariantKit::degree(adj, i);
    }
}
