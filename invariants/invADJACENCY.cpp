#include "invariants/invADJACENCY.h"

#include "invariants/InvariantKit.h"

invADJACENCY::invADJACENCY(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("ADJACENCY"),
                           QStringLiteral(R"(Adjacency matrix)"), QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invADJACENCY::~invADJACENCY() = default;

void invADJACENCY::recompute()
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
    }
}
