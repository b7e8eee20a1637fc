#include "invariants/PathFlowInvariant.h"

bool PathFlowInvariant::loadFlow(PathFlow::Weight weight)
{
    if (!graph) {
        setFailed();
        return false;
    }
    const bool connected = flow.compute(graph, weight, M);
    const int n = flow.order();
    error = !connected;
    rows = n;
    cols = n;
    return connected;
}
