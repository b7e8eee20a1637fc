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
    if (!loadFlow(PathFlow::Weight::InverseSquaredDistance))
        return;
    ShortestPathFrame::rowSumsToFirstColumn(M, flow.order());
    cols = 1;
}
