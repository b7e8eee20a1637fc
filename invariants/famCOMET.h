#pragma once

#include "invariants/RecogniserFrame.h"

// A tree with one vertex of degree 3 or more whose legs (paths ending in a leaf) all have one edge
// except exactly one longer leg: a spider (leaves as many as the largest degree) with exactly one
// edge from a vertex of degree 2 to a leaf. Paths are no comets.
class famCOMET : public RecogniserFrame
{
public:
    explicit famCOMET(bool withDisplay);
    ~famCOMET() override;

protected:
    bool acceptsTree() const override;
};
