#include "problem/Z.h"

#include "problem/ZDisplay.h"

#include <QPainter>

Z::Z(bool withDisplay)
{
    category = QStringLiteral("Z");
    name = QStringLiteral("Z");
    argSlots = 1;
    canBeArgument = false;
    linkDeselects = true;
    placeAtRandom(120, 60);
    zvals = QVector<QVector<double>>(32, QVector<double>(32, 0.0));
    this->withDisplay = withDisplay;
    if (withDisplay)
        initDisplay(new ZDisplay(name), false);
    min = true;
    const int hw = w / 2;
    const int hh = h / 2;
    minOutline << QPoint(-hw, -hh) << QPoint(-hw, 0) << QPoint(0, hh) << QPoint(hw, 0) << QPoint(hw, -hh);
    maxOutline << QPoint(0, -hh) << QPoint(-hw, 0) << QPoint(-hw, hh) << QPoint(hw, hh) << QPoint(hw, 0);
}

Z::~Z() = default;

void Z::followDialog()
{
    if (display)
        min = display->getObjMin();
}

void Z::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    followDialog();
    QColor at1, at0;
    if (!markedColours(at1, at0, true)) {
        at1 = QColor(Qt::green).lighter(120);
        at0 = QColor(Qt::darkGreen).lighter(120);
    }
    setBodyBrush(painter, Shading::Round, at1, at0);
    painter->drawConvexPolygon(min ? minOutline : maxOutline);
    painter->drawText(QRectF(-10, -25, 100, 20), name);
    const int r = shownRows();
    const int c = shownCols();
    painter->drawText(QRectF(-40, -10, 100, 20), valueOrSizeText(r == 1 && c == 1, shownValue(), r, c));
    paintGivenNameTag(painter, false);
    paintReportMark(painter);
}

QVector<QVector<double>> *Z::getZ()
{
    return &zvals;
}

void Z::setMin(bool m)
{
    if (display)
        display->setObjMin(m);
    min = m;
}

QString Z::specificInformationToSave()
{
    followDialog();
    return min ? QStringLiteral("\tmin") : QStringLiteral("\tmax");
}

void Z::recompute()
{
    error = false;
    followDialog();
    auto fail = [this](const QString &message) {
        saveTooltip(message);
        rows = 0;
        cols = 0;
        error = true;
        sRows = QStringLiteral("NA");
        sCols = QStringLiteral("NA");
    };
    if (!arg1) {
        fail(QStringLiteral("Missing argument"));
        return;
    }
    // A failed argument leaves a 0 x 0 result, which is no column.
    if (arg1->cols != 1) {
        fail(QStringLiteral("Argument should be a column vector"));
        return;
    }
    // An argument in error may still show a stale result of the right shape: its values must not
    // pass for a valid objective.
    if (arg1->getError()) {
        fail(QStringLiteral("Argument error"));
        return;
    }
    saveTooltip(QStringLiteral("Objective value"));
    sRows = arg1->getSRows();
    sCols = arg1->getSCols();
    const int r = qBound(0, arg1->rows, 32);
    rows = r;
    cols = 1;
    for (int i = 0; i < r; ++i) {
        const double v = arg1->M.at(i).at(0);
        M[i][0] = v;
        zvals[i][0] = min ? v : -v;
    }
}
