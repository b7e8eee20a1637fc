#include "invariants/invWIENER.h"

#include "invariants/InvariantKit.h"

invWIENER::invWIENER(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("WIENER"),
        QStringLiteral(
            R"(Wiener index, $\sum_{v,w \in V} d(v,w)$, where $d(v,w)$ is the geodesic distance between vertices $v$ and $w$.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invWIENER::~invWIENER() = default;

void invWIENER::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    // Breadth-first levels counted by population: the sum of distances from s is the sum over the
    // levels of distance times level size, so no distance matrix is written. A pair in different
    // components counts with the unreached distance, so the entry left by a disconnected graph
    // (shape 0 x 0) is the same sum as with the distance matrix.
    const quint32 all = InvariantKit::allVertices(n);
    long total = 0;
    long unreached = 0; // ordered pairs
    for (int s = 0; s < n; ++s) {
        quint32 seen = 1u << s;
        quint32 frontier = seen;
        for (long d = 1; frontier; ++d) {
            quint32 next = 0;
            for (quint32 f = frontier; f; f &= f - 1)
                next |= adj[InvariantKit::lowest(f)];
            next &= all & ~seen;
            seen |= next;
            total += d * InvariantKit::popcount(next);
            frontier = next;
        }
        unreached += n - InvariantKit::popcount(seen);
    }
    const bool connected = unreached == 0;
    // Whole numbers below 2^53, so the sum is exact in any order.
    M[0][0] = double(total / 2) + double(unreached / 2) * InvariantKit::Unreached;
    error = !connected;
    rows = connected ? 1 : 0;
    cols = rows;
}
