#include "invariants/invZAGREBM1.h"

#include "invariants/InvariantKit.h"

invZAGREBM1::invZAGREBM1(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("ZAGREBM1"),
        QStringLiteral(
            R"(Zagreb M1 index, defined as $M1 = \sum_{v\in V}d(v)^2$ where $d(v)$ is the degree of the vertex $v$.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invZAGREBM1::~invZAGREBM1() = default;

void invZAGREBM1::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = 1;
    cols = 1;
    // The degrees go to column 0 first; rows 1 to n-1 keep them after the value is written,
    // which the per-vertex analyst report of the item shows.
    for (int i = 0; i < n; ++i)
        M[i][0] = InvariantKit::degree(adj, i);
    double sum = 0.0;
    for (int i = 0; i < n; ++i)
        sum += M[i][0] * M[i][0];
    M[0][0] = sum;
}
