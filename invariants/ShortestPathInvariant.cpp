#include "invariants/ShortestPathInvariant.h"

bool ShortestPathInvariant::loadFrame()
{
    if (!graph) {
        setFailed();
        return false;
    }
    frame.load(graph);
    error = false;
    return true;
}

bool ShortestPathInvariant::loadEdgeBetweenness()
{
    if (!loadFrame())
        return false;
    const int n = frame.order();
    rows = n;
    cols = n;
    if (!frame.connected()) {
        ShortestPathFrame::clear(M, n);
        setFailed();
        return false;
    }
    frame.edgeBetweenness(M);
    return true;
}

bool ShortestPathInvariant::loadForSplits()
{
    if (!loadFrame())
        return false;
    const int n = frame.order();
    rows = n;
    cols = n;
    ShortestPathFrame::clear(M, n);
    if (!frame.connected()) {
        error = true;
        return false;
    }
    return true;
}
