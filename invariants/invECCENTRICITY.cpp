#include "invariants/invECCENTRICITY.h"

#include "invariants/InvariantKit.h"

invECCENTRICITY::invECCENTRICITY(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("ECCENTRICITY"),
        QStringLiteral(
            R"(Maximum distance from a vertex to other vertices: $e_v = \max_w d(v,w)$ where $d(v,w)$ denotes the geodesic distance between the vertex $v$ and the vertex $w$.)"),
        QStringLiteral(R"(Maximum distance from a vertex to other vertices.)"), QStringLiteral("n"),
        QStringLiteral("1"));
    initDisplay(true);
}

invECCENTRICITY::~invECCENTRICITY() = default;

void invECCENTRICITY::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    const bool connected = InvariantKit::allDistances(adj, n, M, InvariantKit::Unreached);
    InvariantKit::eccentricitiesToFirstColumn(M, n);
    error = !connected;
    rows = n;
    cols = 1;
}
