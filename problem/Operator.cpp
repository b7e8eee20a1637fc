#include "problem/Operator.h"

#include <QPainter>

Operator::Operator()
{
    category = QStringLiteral("Operator");
    argSlots = 4;
    placeAtRandom(120, 60);
}

void Operator::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QColor at1, at0;
    if (!markedColours(at1, at0, true)) {
        at1 = QColor(Qt::magenta);
        at0 = QColor(Qt::magenta).lighter(150);
    }
    setBodyBrush(painter, Shading::Round, at1, at0);
    painter->drawEllipse(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-40, -15, 100, 20), name);
    const int r = shownRows();
    const int c = shownCols();
    painter->drawText(QRectF(-40, 0, 100, 20), valueOrSizeText(r == 1 && c == 1, shownValue(), r, c));
    paintGivenNameTag(painter, false);
    paintReportMark(painter);
}
