#include "invariants/invDCENTRALITY2.h"

#include "invariants/InvariantKit.h"

invDCENTRALITY2::invDCENTRALITY2(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("DCENTRALITY2"),
                           QStringLiteral(R"(Sum of DBETWEENNESS2 of adjacent edges.)"), QStringLiteral("n"),
                           QStringLiteral("1"));
    initDisplay(true);
}

invDCENTRALITY2::~invDCENTRALITY2() = default;

void invDCENTRALITY2::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    const bool connected = flow.compute(graph, PathFlow::Weight::InverseSquaredDistance, M);
    const int n = flow.order();
    error = !connected;
    rows = n;
    cols = n;
    if (!connected)
        return;
    ShortestPathFrame::rowSumsToFirstColumn(M, n);
    cols = 1;
}
