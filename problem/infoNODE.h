#pragma once

#include "problem/Calculus.h"

// "Colors" or "Labels": copies a column vector (argument 1) that the board hands to the graph view
// as vertex colour indices or vertex labels.
class infoNODE : public Calculus
{
public:
    infoNODE(const QString &name, bool withDisplay);

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
    void recompute() override;
};
