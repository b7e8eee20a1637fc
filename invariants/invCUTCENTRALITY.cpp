#include "invariants/invCUTCENTRALITY.h"

#include "invariants/InvariantKit.h"

invCUTCENTRALITY::invCUTCENTRALITY(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("CUTCENTRALITY"),
        QStringLiteral(R"(Cut centrality : Sum of normalized cut values of edges adjacent to v.)"),
        QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invCUTCENTRALITY::~invCUTCENTRALITY() = default;

void invCUTCENTRALITY::recompute()
{
    if (!loadForSplits())
        return;
    const int n = frame.order();
    // Read only when there is an edge, so n >= 2.
    const int pairs = (n - 1) * n / 2;
    const double density = pairs > 0 ? double(frame.edges()) / pairs : 0.0;
    const quint32 *adj = frame.rows();
    for (int i = 0; i < n; ++i) {
        for (quint32 x = adj[i] & ~InvariantKit::upTo(i); x; x &= x - 1) {
            const int j = InvariantKit::lowest(x);
            double a, b, c;
            frame.split(i, j, a, b, c);
            const double cut = a * b * density / c;
            M[i][j] = cut;
            M[j][i] = cut;
        }
    }
    ShortestPathFrame::rowSumsToFirstColumn(M, n);
    cols = 1;
}
