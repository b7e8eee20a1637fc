#include "problem/Invariant.h"

#include <QPainter>

Invariant::Invariant()
{
    category = QStringLiteral("Invariant");
    placeAtRandom(120, 60);
}

void Invariant::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QColor at1, at0;
    if (!markedColours(at1, at0, true)) {
        at1 = QColor(Qt::green);
        at0 = QColor(Qt::green).darker(120);
    }
    setBodyBrush(painter, Shading::Box, at1, at0);
    painter->drawRect(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-50, -15, 100, 20), name);
    painter->drawText(QRectF(-50, 0, 100, 20),
                      valueOrSizeText(rows == 1 && cols == 1, shownValue(), shownRows(), shownCols()));
    paintGivenNameTag(painter, true);
    paintReportMark(painter);
    paintComplementMark(painter);
}
