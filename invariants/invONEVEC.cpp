#include "invariants/invONEVEC.h"

#include "invariants/InvariantKit.h"

invONEVEC::invONEVEC(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("ONEVEC"),
                           QStringLiteral(R"(Column vector of 1's.)"), QStringLiteral("n"),
                           QStringLiteral("1"));
    initDisplay(true);
}

invONEVEC::~invONEVEC() = default;

void invONEVEC::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    const int n = InvariantKit::order(graph);
    error = false;
    rows = n;
    cols = 1;
    for (int i = 0; i < n; ++i)
        M[i][0] = 1.0;
}
