#pragma once

#include "problem/Invariant.h"

// Identity matrix of the graph's order.
class invIDENTITY : public Invariant
{
public:
    explicit invIDENTITY(bool withDisplay);
    ~invIDENTITY() override;

    void recompute() override;
};
