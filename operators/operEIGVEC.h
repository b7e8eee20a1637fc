#pragma once

#include "operators/SpectralOperator.h"

// "EIGENVECTORS": the unit eigenvectors of a real symmetric matrix as columns, in the order of
// non-increasing eigenvalues; each sign as the rotations leave it.
class operEIGVEC : public SpectralOperator
{
public:
    explicit operEIGVEC(bool withDisplay);
    void recompute() override;
};
