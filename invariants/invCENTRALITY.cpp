#include "invariants/invCENTRALITY.h"

#include "invariants/InvariantKit.h"

invCENTRALITY::invCENTRALITY(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("CENTRALITY"),
        QStringLiteral(R"(Betweenness adjusted centrality : Sum of betweenness of edges adjacent to v.)"),
        QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invCENTRALITY::~invCENTRALITY() = default;

void invCENTRALITY::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    frame.load(graph);
    const int n = frame.order();
    error = false;
    rows = n;
    cols = n;
    if (!frame.connected()) {
        ShortestPathFrame::clear(M, n);
        setFailed();
        return;
    }
    frame.edgeBetweenness(M);
    ShortestPathFrame::rowSumsToFirstColumn(M, n);
    cols = 1;
}
