#include "invariants/invDBETWEENNESS2.h"

#include "invariants/InvariantKit.h"

invDBETWEENNESS2::invDBETWEENNESS2(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("DBETWEENNESS2"),
        QStringLiteral(
            R"(Distance-Betweenness $db_{ij}$ modified version of Dalbern's betweenness (1977), the number of shortest paths among all pairs of vertices that are using the edge (i,j) weighted by $1/(path length)^2$.)"),
        QStringLiteral(
            R"(Distance-Betweenness dbij modified version of Dalbern's betweenness (1977), the number of shortest paths among all pairs of vertices that are using the edge (i,j) weighted by 1/(path length)^2.)"),
        QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invDBETWEENNESS2::~invDBETWEENNESS2() = default;

void invDBETWEENNESS2::recompute()
{
    loadFlow(PathFlow::Weight::InverseSquaredDistance);
}
