#include "problem/Constraint.h"

#include <QPainter>
#include <QPolygon>

Constraint::Constraint()
{
    category = QStringLiteral("Constraint");
    argSlots = 2;
    canBeArgument = false;
    placeAtRandom(120, 60);
}

void Constraint::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    const double v = shownValue();
    // A value that is not a number counts as violated.
    const bool violated = !(v <= 1e-6);
    QColor at1, at0;
    if (!markedColours(at1, at0, true)) {
        at1 = violated ? QColor(Qt::magenta).lighter(120) : QColor(Qt::green).lighter(120);
        at0 = violated ? QColor(Qt::darkMagenta).lighter(120) : QColor(Qt::darkGreen).lighter(120);
    }
    setBodyBrush(painter, Shading::Round, at1, at0);
    const int hw = w / 2;
    const int hh = h / 2;
    QPolygon octagon;
    octagon << QPoint(-hw, -10) << QPoint(-hw, 10) << QPoint(-10, hh) << QPoint(10, hh) << QPoint(hw, 10)
            << QPoint(hw, -10) << QPoint(10, -hh) << QPoint(-10, -hh);
    painter->drawConvexPolygon(octagon);
    painter->drawText(QRectF(-50, -20, 100, 20), name);
    painter->drawText(QRectF(-50, 0, 100, 20), QString::number(v, 'g', 6));
}
