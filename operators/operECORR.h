#pragma once

#include "operators/OperatorFrame.h"

#include <QVector>

// "ECORR": the Pearson correlation, over both orientations of every edge of the graph, of the
// values of a vertex vector at the two ends. A graph without edges, or a vector constant on the
// vertices that have an edge, gives 1 with the error flag set. Failures keep the labels "1", "1".
class operECORR : public OperatorFrame
{
public:
    explicit operECORR(bool withDisplay);
    void recompute() override;

private:
    // The centred values at the first and the second end of each ordered adjacent pair; sized once
    // for the 32 * 31 ordered pairs of the largest graph.
    QVector<double> xValues;
    QVector<double> yValues;
};
