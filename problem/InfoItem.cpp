#include "problem/InfoItem.h"

#include <QPainter>

InfoItem::InfoItem(const QString &keyword, bool withDisplay)
{
    category = QStringLiteral("INFO");
    name = keyword;
    this->withDisplay = withDisplay;
    argSlots = 1;
    canBeArgument = false;
    linkDeselects = true;
    // The graph's change stamp moves last, so the board's republication sees the new argument.
    changeBestLast = true;
    placeAtRandom(120, 60);
    initDisplay(false);
}

void InfoItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QColor at1, at0;
    if (!markedColours(at1, at0, false)) {
        at1 = QColor(Qt::blue);
        at0 = QColor(Qt::cyan);
    }
    painter->setBrush(radialGradient(QPointF(-10, -10), 100, QPointF(3, 3), QPointF(3, 3), at1, at0));
    painter->setPen(QPen(Qt::black));
    const QPoint corners[4] = {QPoint(-(w / 2), 0), QPoint(0, h / 2), QPoint(w / 2, 0), QPoint(0, -(h / 2))};
    painter->drawConvexPolygon(corners, 4);
    painter->drawText(QRectF(-40, -10, 100, 20), name);
}

void InfoItem::recompute()
{
    error = false;
    int r = 0;
    int c = 0;
    QString reason = QStringLiteral("Missing argument");
    if (!arg1 || !copiedShape(r, c, reason)) {
        saveTooltip(reason);
        rows = 0;
        cols = 0;
        error = true;
        return;
    }
    saveTooltip(name);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            M[i][j] = arg1->M.at(i).at(j);
    rows = r;
    cols = c;
}
