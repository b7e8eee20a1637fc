#include "invariants/famSPIDER.h"

famSPIDER::famSPIDER(bool withDisplay)
    : RecogniserFrame(withDisplay, QStringLiteral("SPIDER"),
                      QStringLiteral("Boolean function that indicates wether the graph is a spider."))
{
}

famSPIDER::~famSPIDER() = default;

bool famSPIDER::acceptsTree() const
{
    return leaves == maxDegree;
}
