#include "invariants/invSLLAPLACIAN.h"

#include "invariants/InvariantKit.h"

invSLLAPLACIAN::invSLLAPLACIAN(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("SLLAPLACIAN"),
        QStringLiteral(
            R"(Signless Laplacian matrix, $SLL=D+A$, where $D$ is a matrix with degrees on the main diagonal and $A$ is the adjacency matrix.)"),
        QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invSLLAPLACIAN::~invSLLAPLACIAN() = default;

void invSLLAPLACIAN::recompute()
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
            r[j] = (adj[i] >> j) & 1u ? 1.0 : 0.0;
        r[i] = InvariantKit::degree(adj, i);
    }
}
