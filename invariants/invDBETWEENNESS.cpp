#include "invariants/invDBETWEENNESS.h"

#include "invariants/InvariantKit.h"

invDBETWEENNESS::invDBETWEENNESS(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("DBETWEENNESS"),
        QStringLiteral(
            R"(Distance-Betweenness $db_{ij}$ modified version of Dalbern's betweenness (1977), the number of shortest paths among all pairs of vertices that are using the edge (i,j) weighted by 1/path length.)"),
        QStringLiteral(
            R"(Distance-Betweenness dbij modified version of Dalbern's betweenness (1977), the number of shortest paths among all pairs of vertices that are using the edge (i,j) weighted by 1/path length.)"),
        QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invDBETWEENNESS::~invDBETWEENNESS() = default;

void invDBETWEENNESS::recompute()
{
    loadFlow(PathFlow::Weight::InverseDistance);
}
