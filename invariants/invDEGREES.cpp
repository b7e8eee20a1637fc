#include "invariants/invDEGREES.h"

#include "invariants/InvariantKit.h"

invDEGREES::invDEGREES(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("DEGREES"),
        QStringLiteral(R"(Degree vector, number of vertices that are adjacent to each individual vertex.)"),
        QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invDEGREES::~invDEGREES() = default;

void invDEGREES::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = n;
    cols = 1;
    for (int i = 0; i < n; ++i)
        M[i][0] = InvariantKit::degree(adj, i);
}
