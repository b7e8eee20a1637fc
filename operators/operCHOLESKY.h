#pragma once

#include "operators/SpectralOperator.h"

// "CHOLESKY": the lower-triangular factor L with positive diagonal of a symmetric positive
// definite matrix A = L L^T; a matrix that is not positive definite fails the item.
class operCHOLESKY : public SpectralOperator
{
public:
    explicit operCHOLESKY(bool withDisplay);
    void recompute() override;
};
