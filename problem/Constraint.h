#pragma once

#include "problem/Calculus.h"

// Base of the comparison items: arguments 1 and 2; a constraint is never the argument of an item.
class Constraint : public Calculus
{
public:
    Constraint();

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    bool setLink1(Link *l) override;
    bool setLink2(Link *l) override;
    bool setLink3(Link *l) override;
    bool setLink4(Link *l) override;
    bool setLinkTo(Link *l) override;
    bool setArg1(Calculus *c) override;
    bool setArg2(Calculus *c) override;
    bool setArg3(Calculus *c) override;
    bool setArg4(Calculus *c) override;
    void setParam(int p) override;
    int getParam() override;
};
