#include "problem/Statistics.h"

#include <QPainter>
#include <QPolygon>

Statistics::Statistics()
{
    category = QStringLiteral("Statistics");
    argSlots = 4;
    canBeArgument = false;
    linkDeselects = true;
    placeAtRandom(100, 100);
}

void Statistics::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QColor at1, at0;
    if (!markedColours(at1, at0, true)) {
        at1 = QColor(Qt::cyan).lighter(120);
        at0 = QColor(Qt::darkCyan).lighter(120);
    }
    setBodyBrush(painter, Shading::Round, at1, at0);
    const int hw = w / 2;
    const int hh = h / 2;
    QPolygon diamond;
    diamond << QPoint(-hw, 0) << QPoint(0, hh) << QPoint(hw, 0) << QPoint(0, -hh);
    painter->drawConvexPolygon(diamond);
    painter->drawText(QRectF(-40, -10, 100, 20), name);
    paintGivenNameTag(painter, false);
}
