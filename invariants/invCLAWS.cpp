#include "invariants/invCLAWS.h"

#include "invariants/InvariantKit.h"

invCLAWS::invCLAWS(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("CLAWS"),
        QStringLiteral(
            R"(Number of claws in the graph, number of times the star $S_4$ appears as induced subgraph.)"),
        QStringLiteral("1"), QStringLiteral("1"));
    initDisplay(true);
}

invCLAWS::~invCLAWS() = default;

void invCLAWS::recompute()
{
    if (!graph) {
        rows = 0;
        cols = 0;
        error = true;
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = 1;
    cols = 1;
    double count = 0.0;
    for (int c = 0; c < n; ++c) {
        const quint32 around = adj[c];
        for (quint32 x = around; x; x &= x - 1) {
            const int i = InvariantKit::lowest(x);
            // j > i not adjacent to i, then k > j adjacent to neither
            for (quint32 y = around & ~adj[i] & ~InvariantKit::upTo(i); y; y &= y - 1) {
                const int j = InvariantKit::lowest(y);
                count += InvariantKit::popcount(around & ~adj[i] & ~adj[j] & ~InvariantKit::upTo(j));
            }
        }
    }
    M[0][0] = count;
}
