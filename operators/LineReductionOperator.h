#pragma once

#include "operators/OperatorFrame.h"

// Reduction of each row ("SUMROW", "MAXROW") or each column ("SUMCOL", "MAXCOL") of a single
// argument: a row reduction gives a column vector with the argument's row label, a column reduction
// a row vector with its column label.
class LineReductionOperator : public OperatorFrame
{
protected:
    enum class Line { Row, Column };
    enum class Reduce { Sum, Max };

    LineReductionOperator() : OperatorFrame(1) {}

    // The checks of the frame, then the reduction with the keyword as status text. A maximum starts
    // from the line's first number, so every entry, however large its magnitude, can be the answer;
    // NaN entries are passed over, and a line of NaN entries only gives NaN.
    void reduceLines(const QString &keyword, Line line, Reduce reduce);
};
