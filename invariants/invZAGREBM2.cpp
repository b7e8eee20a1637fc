#include "invariants/invZAGREBM2.h"

#include "invariants/InvariantKit.h"

invZAGREBM2::invZAGREBM2(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("ZAGREBM2"),
        QStringLiteral(
            R"(Zagreb M2 index, defined as $M2 = \sum_{(i,j)\in E}d(i)d(j)$ where $d(i)$ is the degree of the vertex $i$.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invZAGREBM2::~invZAGREBM2() = default;

void invZAGREBM2::recompute()
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
    for (int i = 0; i < n; ++i) {
        for (quint32 x = adj[i] & ~InvariantKit::upTo(i); x; x &= x - 1) {
            const int j = InvariantKit::lowest(x);
            sum += M[i][0] * M[j][0];
        }
    }
    M[0][0] = sum;
}
