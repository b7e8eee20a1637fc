#pragma once

#include "operators/SpectralOperator.h"

// "INERTIA": the numbers of negative, zero (within 1e-6, bounds included) and positive
// eigenvalues of a real symmetric matrix, as the row vector 1 x 3.
class operINERTIA : public SpectralOperator
{
public:
    explicit operINERTIA(bool withDisplay);
    void recompute() override;
};
