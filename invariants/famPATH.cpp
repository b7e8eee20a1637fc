#include "invariants/famPATH.h"

famPATH::famPATH(bool withDisplay)
    : RecogniserFrame(withDisplay, QStringLiteral("PATH"),
                      QStringLiteral("Boolean function that indicates wether the graph is a path."))
{
}

famPATH::~famPATH() = default;

bool famPATH::acceptsTree() const
{
    return leaves == 2;
}
