#include "problem/Family.h"

#include <QPainter>

Family::Family()
{
    category = QStringLiteral("Family");
    rows = 1;
    cols = 1;
    placeAtRandom(120, 60);
}

void Family::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    const double v = shownValue();
    // A value that is not a number fails both comparisons and counts as "Yes".
    const bool no = v > -1e-6 && v < 1e-6;
    QColor at1, at0;
    // The error colours fade to white here rather than to dark red.
    if (!markedColours(at1, at0, false)) {
        if (errorBackup) {
            at1 = QColor(Qt::red).lighter(120);
            at0 = QColor(Qt::white).lighter(120);
        } else if (no) {
            at1 = QColor(255, 200, 200);
            at0 = QColor(Qt::red);
        } else {
            at1 = QColor(200, 255, 200);
            at0 = QColor(Qt::green).darker(120);
        }
    }
    setBodyBrush(painter, Shading::Box, at1, at0);
    painter->drawRect(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-50, -15, 100, 20), name);
    painter->drawText(QRectF(5, 0, 100, 20), no ? QStringLiteral("No") : QStringLiteral("Yes"));
    paintGivenNameTag(painter, true);
    paintReportMark(painter);
    paintComplementMark(painter);
}
