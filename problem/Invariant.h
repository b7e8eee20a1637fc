#pragma once

#include "problem/Calculus.h"

// Base of the graph invariant items: no arguments, may be the argument of any item, green box.
class Invariant : public Calculus
{
public:
    Invariant();

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};
