#pragma once

#include "operators/SpectralOperator.h"

// "LAPLACIANOF": L = D - M of a symmetric matrix M, D the diagonal of its row sums; the
// diagonal of M never reaches the result.
class operLAPLACIANOF : public SpectralOperator
{
public:
    explicit operLAPLACIANOF(bool withDisplay);
    void recompute() override;
};
