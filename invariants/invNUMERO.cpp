#include "invariants/invNUMERO.h"

#include "invariants/InvariantKit.h"

invNUMERO::invNUMERO(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("NUMERO"),
                           QStringLiteral(R"(Vector of size n with numbers from 1 to n.)"),
                           QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invNUMERO::~invNUMERO() = default;

void invNUMERO::recompute()
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
        M[i][0] = i + 1;
}
