#include "invariants/famTREE.h"

famTREE::famTREE(bool withDisplay)
    : RecogniserFrame(withDisplay, QStringLiteral("TREE"),
                      QStringLiteral("Boolean function that indicates wether the graph is a tree."))
{
}

famTREE::~famTREE() = default;

bool famTREE::acceptsTree() const
{
    return true;
}
