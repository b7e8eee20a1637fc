#pragma once

#include "problem/Calculus.h"

// Base of the statistics items: arguments 1 to 4 (an accepted incoming link deselects the item);
// a statistics item is never the argument of an item.
class Statistics : public Calculus
{
public:
    Statistics();

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};
