#pragma once

#include "problem/Calculus.h"

// Base of the comparison items: arguments 1 and 2; a constraint is never the argument of an item.
class Constraint : public Calculus
{
public:
    Constraint();

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};
