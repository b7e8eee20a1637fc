#pragma once

#include "problem/Calculus.h"

// Base of the family recognisers: no arguments, may be an argument, a 1 x 1 answer (1 or 0)
// shown as "Yes" or "No".
class Family : public Calculus
{
public:
    Family();

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};
