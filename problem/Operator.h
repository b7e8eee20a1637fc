#pragma once

#include "problem/Calculus.h"

// Base of the operator items and of the constant: arguments 1 to 4 and may itself be an argument.
// An operator with fewer arguments overrides the setArg/setLink of the slots it does not take with
// refusing versions.
class Operator : public Calculus
{
public:
    Operator();

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
