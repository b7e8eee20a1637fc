#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QString>

// One bar of a histogram: a w x h rectangle whose top-left corner is the item's position.
class RectItem : public QGraphicsItem
{
public:
    RectItem(double x, double y, double w, double h, const QString &label);

    void setDim(double w, double h);
    void setColor(const QColor &c) { color = c; }
    void setHilight(bool b) { hilight = b; }
    int getNumber() const { return number; }
    double width() const { return w; }
    double height() const { return h; }
    QColor getColor() const { return color; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;

private:
    double x;
    double y;
    double w;
    double h;
    int number = -1;
    bool hilight = false;
    QColor color = Qt::red;
};
