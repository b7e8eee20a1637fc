#include "invariants/invMODULARITY.h"

#include "invariants/InvariantKit.h"

invMODULARITY::invMODULARITY(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("MODULARITY"),
                           QStringLiteral(R"(Modularity matrix)"), QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invMODULARITY::~invMODULARITY() = default;

void invMODULARITY::recompute()
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
    double degree[32];
    double twiceSize = 0.0;
    for (int i = 0; i < n; ++i) {
        degree[i] = InvariantKit::degree(adj, i);
        twiceSize += degree[i];
        double *r = M[i].data();
        for (int j = 0; j < n; ++j)
            r[j] = (adj[i] >> j) & 1u ? 1.0 : 0.0;
    }
    if (twiceSize >= 0.99) {
        for (int i = 0; i < n; ++i) {
            double *r = M[i].data();
            for (int j = 0; j < n; ++j)
                r[j] = r[j] - (degree[i] * degree[j]) / twiceSize;
        }
    }
}
