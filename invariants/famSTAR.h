#pragma once

#include "invariants/RecogniserFrame.h"

// A tree with a vertex adjacent to all others (the edge counts).
class famSTAR : public RecogniserFrame
{
public:
    explicit famSTAR(bool withDisplay);
    ~famSTAR() override;

protected:
    bool acceptsTree() const override;
};
