#pragma once

#include "operators/OperatorFrame.h"

// Distance of two arguments of one shape ("EUCLIDIANDIST", "MANHATTANDIST"). All four slots
// accept a link; only arguments 1 and 2 are read, so only they can put the result in error.
class DistanceOperator : public OperatorFrame
{
protected:
    enum class Norm { Euclidean, Manhattan };

    DistanceOperator() : OperatorFrame(4) {}

    void distance(const QString &keyword, Norm norm);
};
