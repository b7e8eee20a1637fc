#pragma once

#include "problem/Invariant.h"

// Laplacian matrix D - A.
class invLAPLACIAN : public Invariant
{
public:
    explicit invLAPLACIAN(bool withDisplay);
    ~invLAPLACIAN() override;

    void recompute() override;
};
