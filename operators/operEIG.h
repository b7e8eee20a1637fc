#pragma once

#include "graph/SymmetricEigenvalues.h"
#include "operators/OperatorFrame.h"

// "EIGENVALUES": the column of the n eigenvalues of a real symmetric n x n matrix (n >= 2), largest
// first, each as often as its multiplicity. The argument is refused when it is not square, a single
// value, not symmetric within 1e-6 or holds an entry that is not finite; a decomposition that does not
// converge fails the item instead of hanging.
class operEIG : public OperatorFrame
{
public:
    explicit operEIG(bool withDisplay);
    void recompute() override;

private:
    // Kept between computations: its fixed work space means an evaluation allocates nothing.
    SymmetricEigenvalues spectrum;
};
