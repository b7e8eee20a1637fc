#pragma once

#include "operators/OperatorFrame.h"

// "*": a value times a vector or matrix (in either order), or the matrix product of two
// arguments whose inner sizes agree. Arguments 3 and 4 may be linked and are not read.
class operMULT : public OperatorFrame
{
public:
    explicit operMULT(bool withDisplay);
    void recompute() override;
};
