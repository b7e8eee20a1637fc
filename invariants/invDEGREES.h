#pragma once

#include "problem/Invariant.h"

// Degree of every vertex.
class invDEGREES : public Invariant
{
public:
    explicit invDEGREES(bool withDisplay);
    ~invDEGREES() override;

    void recompute() override;
};
