#pragma once

#include "problem/Operator.h"

// A value, vector or matrix typed by the user (or copied once from argument 1 with "Clone").
// Its result does not depend on the graph. Only argument 1 is taken.
class invConstant : public Operator
{
public:
    explicit invConstant(bool withDisplay);
    ~invConstant() override;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // rows, cols and the rows x cols values of the result, each after a tab.
    QString specificInformationToSave() override;
    void recompute() override;

    // rows x cols values, row by row (sizes 0..32). With a dialog they go into its table and reach
    // the result at the next computation; a headless item takes them at once. A wrong value count
    // changes nothing.
    void loadData(int rows, int cols, const QVector<double> &values);

private:
    // The sizes that sRows and sCols spell out ("1" and "1" from the constructor).
    int textRows = 1;
    int textCols = 1;
};
