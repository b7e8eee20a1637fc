#pragma once

#include "invariants/RecogniserFrame.h"

// A tree whose vertices all lie within distance 2 of one longest path (removing its leaves leaves a
// caterpillar). In a lobster every longest path serves, so the first pair at the diameter does.
class famLOBSTER : public RecogniserFrame
{
public:
    explicit famLOBSTER(bool withDisplay);
    ~famLOBSTER() override;

protected:
    bool acceptsTree() const override;
};
