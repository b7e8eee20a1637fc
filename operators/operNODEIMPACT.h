#pragma once

#include "operators/OperatorFrame.h"

// "NODEIMPACT": for each vertex k, the change of the value of argument 1 when k is removed from
// the graph. The graph is restored after each removal. Not offered by the catalogue.
class operNODEIMPACT : public OperatorFrame
{
public:
    explicit operNODEIMPACT(bool withDisplay);
    void recompute() override;
};
