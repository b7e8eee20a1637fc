#include "invariants/invIDENTITY.h"

#include "invariants/InvariantKit.h"

invIDENTITY::invIDENTITY(bool withDisplay)
{
    InvariantKit::describe(
        this, withDisplay, QStringLiteral("IDENTITY"),
        QStringLiteral(R"(A matrix of order $n$ with 1 on the main diagonal and 0 on all other entries.)"),
        QStringLiteral("n"), QStringLiteral("n"));
    initDisplay(true);
}

invIDENTITY::~invIDENTITY() = default;

void invIDENTITY::recompute()
{
    if (!graph) {
        setFailed();
        return;
    }
    const int n = InvariantKit::order(graph);
    error = false;
    rows = n;
    cols = n;
    for (int i = 0; i < rows; ++i) {
        double *r = M[i].data();
        for (int j = 0; j < cols; ++j)
            r[j] = i == j ? 1.0 : 0.0;
    }
}
