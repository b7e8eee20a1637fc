#pragma once

#include "operators/OperatorFrame.h"

#include <QVector>

// "MOMENT": for each vertex u the sum over the other vertices v of d(u, v) w(v), the weights w
// taken from argument 1 when it is a column with one entry per vertex, else the degrees. The
// argument is optional and never refused; a disconnected graph flags the result (unreached pairs
// count at distance 1e12). May be computed on the complement of the graph.
class operMOMENT : public OperatorFrame
{
public:
    explicit operMOMENT(bool withDisplay);
    void recompute() override;

private:
    QVector<double> weights; // one per vertex, sized once for 32 vertices
};
