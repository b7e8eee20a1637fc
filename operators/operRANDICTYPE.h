#pragma once

#include "operators/OperatorFrame.h"

// "RANDICTYPE": the n x n matrix with 1/sqrt(v_i v_j) on every edge {i, j} of the graph and 0
// elsewhere, v a vertex vector with at least one entry per vertex.
class operRANDICTYPE : public OperatorFrame
{
public:
    explicit operRANDICTYPE(bool withDisplay);
    void recompute() override;
};
