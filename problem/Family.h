#pragma once

#include "problem/Calculus.h"

// Base of the family recognisers: no arguments, may be an argument, a 1 x 1 answer (1 or 0)
// shown as "Yes" or "No".
class Family : public Calculus
{
public:
    Family();

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
