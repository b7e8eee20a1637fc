#include "invariants/famCATERPILLAR.h"

famCATERPILLAR::famCATERPILLAR(bool withDisplay)
    : RecogniserFrame(withDisplay, QStringLiteral("CATERPILLAR"),
                      QStringLiteral("Boolean function that indicates wether the graph is a caterpillar."))
{
}

famCATERPILLAR::~famCATERPILLAR() = default;

bool famCATERPILLAR::acceptsTree() const
{
    return n + 1 - leaves == diameter;
}
