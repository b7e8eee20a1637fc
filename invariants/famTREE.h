#pragma once

#include "invariants/RecogniserFrame.h"

// Every tree.
class famTREE : public RecogniserFrame
{
public:
    explicit famTREE(bool withDisplay);
    ~famTREE() override;

protected:
    bool acceptsTree() const override;
};
