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
};
