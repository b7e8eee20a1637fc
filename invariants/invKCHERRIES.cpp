#include "invariants/invKCHERRIES.h"

#include "invariants/InvariantKit.h"

invKCHERRIES::invKCHERRIES(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("KCHERRIES"),
        QStringLiteral(R"($KC_i$ is the number of pending vertices that are attached to the vertex $i$.)"),
        QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invKCHERRIES::~invKCHERRIES() = default;

void invKCHERRIES::recompute()
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
    quint32 leaves = 0;
    for (int i = 0; i < n; ++i)
        if (InvariantKit::degree(adj, i) == 1)
            leaves |= 1u << i;
    for (int i = 0; i < n; ++i)
        M[i][0] = InvariantKit::popcount(adj[i] & leaves);
}
