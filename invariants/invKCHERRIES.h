#pragma once

#include "problem/Invariant.h"

// For every vertex, the number of its neighbours of degree 1.
class invKCHERRIES : public Invariant
{
public:
    explicit invKCHERRIES(bool withDisplay);
    ~invKCHERRIES() override;

    void recompute() override;
};
