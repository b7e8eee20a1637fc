#include "invariants/famSTAR.h"

famSTAR::famSTAR(bool withDisplay)
    : RecogniserFrame(withDisplay, QStringLiteral("STAR"),
                      QStringLiteral("Boolean function that indicates wether the graph is a star."))
{
}

famSTAR::~famSTAR() = default;

bool famSTAR::acceptsTree() const
{
    return maxDegree == n - 1;
}
