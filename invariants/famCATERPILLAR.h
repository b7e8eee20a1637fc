#pragma once

#include "invariants/RecogniserFrame.h"

// A tree whose non-leaves all lie on one longest path: its diameter is n + 1 minus its leaves.
class famCATERPILLAR : public RecogniserFrame
{
public:
    explicit famCATERPILLAR(bool withDisplay);
    ~famCATERPILLAR() override;

protected:
    bool acceptsTree() const override;
};
