#include "invariants/invPELORAND.h"

#include "invariants/InvariantKit.h"

invPELORAND::invPELORAND(bool withDisplay)
{
    InvariantKit::describe(this, withDisplay, QStringLiteral("PELORAND"),
                           QStringLiteral(R"(Squared sum of pk)"), QStringLiteral("n"), QStringLiteral("1"));
    initDisplay(true);
}

invPELORAND::~invPELORAND() = default;

void invPELORAND::recompute()
{
    // The value of a root is the sum of the squared counts of its neighbours.
    rootedLeafValues([this](int v, const int *count) {
        double sum = 0.0;
        for (quint32 x = frame.rows()[v]; x; x &= x - 1) {
            const int p = count[InvariantKit::lowest(x)];
            sum += p * p;
        }
        return sum;
    });
}
