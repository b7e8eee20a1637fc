#include "analysts/RectItem.h"

#include <QPainter>

#include <cmath>

RectItem::RectItem(double x, double y, double w, double h, const QString &label) : x(x), y(y), w(w), h(h)
{
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    setZValue(1.0);
    setToolTip(label);
    setPos(x, y);
}

void RectItem::setDim(double nw, double nh)
{
    if (nw == w && nh == h)
        return;
    prepareGeometryChange();
    w = nw;
    h = nh;
}

QRectF RectItem::boundingRect() const
{
    return QRectF(-2, -2, w + 5, h + 5);
}

void RectItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    painter->setBrush(QBrush(hilight ? QColor(Qt::blue) : color));
    // Whole units as the bar's size, kept in floating point so that no height overflows an int.
    painter->drawRect(QRectF(0, 0, std::trunc(w), std::trunc(h)));
}

void RectItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    Q_UNUSED(event);
}
