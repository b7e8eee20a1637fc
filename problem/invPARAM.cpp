#include "problem/invPARAM.h"

#include <QPainter>

invPARAM::invPARAM(const QString &keyword, bool withDisplay)
{
    name = keyword;
    category = QStringLiteral("Invariant");
    this->withDisplay = withDisplay;
    if (withDisplay) {
        placeAtRandom(120, 60);
        initDisplay(false);
    }
    latexDef = QStringLiteral(
        "The value of parameters used for the optimization (see the \"optimization parameters\" tab).");
    textDef = latexDef;
    sRows = QStringLiteral("1");
    sCols = QStringLiteral("1");
    rows = 1;
    cols = 1;
    error = false;
    param = 10;
    M[0][0] = 10.0;
}

void invPARAM::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QColor at1, at0;
    if (!markedColours(at1, at0, false)) {
        at1 = QColor(Qt::yellow).lighter(120);
        at0 = QColor(Qt::darkYellow).lighter(120);
    }
    setBodyBrush(painter, Shading::Box, at1, at0);
    painter->drawRect(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-50, -20, 100, 20), name);
    painter->drawText(QRectF(-50, 0, 100, 20), QString::number(shownValue(), 'g', 6));
}

void invPARAM::setParam(int p)
{
    param = p;
}

int invPARAM::getParam()
{
    return param;
}

void invPARAM::recompute()
{
    M[0][0] = static_cast<double>(param);
}
