#pragma once

#include "operators/OperatorFrame.h"

// Reduction of every entry of a single argument to one value ("MAX", "MIN", "SUM", "VAR"): the common
// checks and the 1 x 1 result with labels "1" and "1". Entries are visited row by row.
class ReductionOperator : public OperatorFrame
{
protected:
    ReductionOperator() : OperatorFrame(1) {}

    // The checks of the frame; on success the result is 1 x 1 with the keyword as status text and
    // the argument to reduce is returned, else null (the item has failed).
    const Calculus *prepare(const QString &keyword);
};
