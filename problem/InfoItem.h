#pragma once

#include "problem/Calculus.h"

// Base of the display items ("Colors", "Labels", "E_Labels"): one argument whose values the board
// hands to the graph view, never an argument itself, blue diamond. The kinds differ only in the
// shape they expect of the argument.
class InfoItem : public Calculus
{
public:
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    // Copies the top-left r x c block of argument 1 when its shape fits; fails (0 x 0, error set,
    // the reason in the tool tip) without an argument or with one of the wrong shape.
    void recompute() override;

protected:
    InfoItem(const QString &keyword, bool withDisplay);

    // The r x c block to copy from argument 1 (present), or false with the reason when its shape
    // does not fit.
    virtual bool copiedShape(int &r, int &c, QString &reason) const = 0;
};
