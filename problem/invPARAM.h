#pragma once

#include "problem/Calculus.h"

// A search parameter ("PARAM 1" or "PARAM 2") as a 1 x 1 value that operators, constraints and
// objectives can take as an argument. The search sets it for every job through Problem::setP1/setP2.
class invPARAM : public Calculus
{
public:
    invPARAM(const QString &name, bool withDisplay);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // Stores the value; it reaches the result at the item's next computation.
    void setParam(int p) override;
    int getParam() override;
    void recompute() override;

private:
    int param = 10;
};
