#pragma once

#include "invariants/RecogniserFrame.h"

// A tree with at most one vertex of degree 3 or more: then the leaves number as many as the largest degree.
// Paths on three or more vertices count, the single edge does not.
class famSPIDER : public RecogniserFrame
{
public:
    explicit famSPIDER(bool withDisplay);
    ~famSPIDER() override;

protected:
    bool acceptsTree() const override;
};
