#pragma once

#include "graph/SymmetricEigenvalues.h"
#include "problem/Invariant.h"

// Kirchhoff index: n times the sum of 1 / mu over the Laplacian eigenvalues mu except the
// smallest. An error (shape 0 x 0) below order 3, on a disconnected graph, and when the
// eigenvalues cannot be computed (the status text then says why).
class invKIRCHHOFF : public Invariant
{
public:
    explicit invKIRCHHOFF(bool withDisplay);
    ~invKIRCHHOFF() override;

    void recompute() override;

private:
    // Kept between computations, so an evaluation allocates nothing.
    SymmetricEigenvalues spectrum;
};
