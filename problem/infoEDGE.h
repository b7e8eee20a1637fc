#pragma once

#include "problem/Calculus.h"

// "E_Labels": copies an n x n matrix (argument 1, n the order of the graph) that the board hands to
// the graph view as edge labels.
class infoEDGE : public Calculus
{
public:
    infoEDGE(const QString &name, bool withDisplay);

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
