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
        setFailed();
        return;
    }
    quint32 adj[32];
    const int n = InvariantKit::readRows(graph, adj);
    error = false;
    rows = 1;
    cols = 1;
    double count = 0.0;
    // Only a centre of degree exactly 3 is counted: it adds 1 when its three neighbours are
    // pairwise non-adjacent. Centres of higher degree add nothing, whatever their neighbourhood.
    for (int c = 0; c < n; ++c) {
        const quint32 around = adj[c];
        if (InvariantKit::popcount(around) != 3)
            continue;
        bool independent = true;
        for (quint32 x = around; x; x &= x - 1)
            independent = independent && (adj[InvariantKit::lowest(x)] & around) == 0;
        if (independent)
            count += 1.0;
    }
    M[0][0] = count;
}
