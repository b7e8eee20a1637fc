#include "invariants/invDISTCLOSESTLEAF.h"

#include "invariants/InvariantKit.h"

invDISTCLOSESTLEAF::invDISTCLOSESTLEAF(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("DISTCLOSESTLEAF"),
                           QStringLiteral(R"(Distance of the vertex to the closest leaf.)"),
                           QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invDISTCLOSESTLEAF::~invDISTCLOSESTLEAF() = default;

void invDISTCLOSESTLEAF::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    const bool connected = InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached);
    quint32 leaves = 0;
    for (int i = 0; i < n; ++i)
        if (InvariantKit::degree(adj, i) == 1)
            leaves |= 1u << i;
    for (int i = 0; i < n; ++i) {
        double best = (leaves >> i) & 1u ? 0.0 : double(n);
        for (quint32 x = leaves & ~(1u << i); x; x &= x - 1) {
            const int j = InvariantKit::lowest(x);
            if (best - 1e-6 > M[i][j])
                best = M[i][j];
        }
        M[i][i] = best;
    }
    for (int i = 0; i < n; ++i)
        M[i][0] = M[i][i];
    rows = n;
    cols = 1;
    error = !connected;
    for (int i = 0; i < n; ++i)
        if (M[i][0] >= n - 1e-6)
            error = true;
    if (error)
        setFailed();
}
