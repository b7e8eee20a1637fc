#pragma once

#include "operators/SpectralOperator.h"

// "DETERMINANT": the product of the eigenvalues of a real symmetric matrix; an eigenvalue within
// 1e-6 of zero makes the matrix singular and the determinant 0.
class operDETERMINANT : public SpectralOperator
{
public:
    explicit operDETERMINANT(bool withDisplay);
    void recompute() override;
};
