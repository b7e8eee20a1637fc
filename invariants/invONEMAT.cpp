#include "invariants/invONEMAT.h"

#include "invariants/InvariantKit.h"

invONEMAT::invONEMAT(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("ONEMAT"), QStringLiteral(R"(Matrix of 1's.)"),
                           QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invONEMAT::~invONEMAT() = default;

void invONEMAT::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    const int n = InvariantKit::order(graph);
    error = false;
    rows = n;
    cols = n;
    for (int i = 0; i < n; ++i) {
        double *r = M[i].data();
        for (int j = 0; j < n; ++j)
            r[j] = 1.0;
    }
}
