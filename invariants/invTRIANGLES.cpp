#include "invariants/invTRIANGLES.h"

#include "invariants/InvariantKit.h"

invTRIANGLES::invTRIANGLES(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("TRIANGLES"),
                           QStringLiteral(R"(The number of triangles in the graph.)"), QStringLiteral("1"),
                           QStringLiteral("1"));
    initDisplay(true);
}

invTRIANGLES::~invTRIANGLES() = default;

void invTRIANGLES::recompute()
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
    int count = 0;
    for (int i = 0; i < n; ++i) {
        // neighbours j > i, then the common neighbours k > j
        for (quint32 x = adj[i] & ~InvariantKit::upTo(i); x; x &= x - 1) {
            const int j = InvariantKit::lowest(x);
            count += InvariantKit::popcount(adj[i] & adj[j] & ~InvariantKit::upTo(j));
        }
    }
    M[0][0] = count;
}
