#pragma once

#include "problem/Invariant.h"

// Sum of the distances from every vertex to the vertices of degree 1 (0 everywhere when
// there is none). A disconnected graph is an error (shape 0 x 0).
class invSUMDISTP : public Invariant
{
public:
    explicit invSUMDISTP(bool withDisplay);
    ~invSUMDISTP() override;

    void recompute() override;
};
