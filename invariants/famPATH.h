#pragma once

#include "invariants/RecogniserFrame.h"

// A tree with exactly two leaves.
class famPATH : public RecogniserFrame
{
public:
    explicit famPATH(bool withDisplay);
    ~famPATH() override;

protected:
    bool acceptsTree() const override;
};
