#pragma once

#include "problem/Invariant.h"

// Number of vertices of degree 1.
class invPENDING : public Invariant
{
public:
    explicit invPENDING(bool withDisplay);
    ~invPENDING() override;

    void recompute() override;
};
