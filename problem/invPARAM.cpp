#include "problem/invPARAM.h"

#include "graph/Random.h"

#include <QPainter>

invPARAM::invPARAM(const QString &keyword, bool withDisplay)
{
    name = keyword;
    category = QStringLiteral("Invariant");
    this->withDisplay = withDisplay;
    if (withDisplay) {
        x0 = tsy_qrand() % 200;
        y0 = tsy_qrand() % 200;
        w = 120;
        h = 60;
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
    if (selected) {
        at1 = QColor(Qt::blue).lighter(120);
        at0 = QColor(Qt::darkBlue).lighter(120);
    } else {
        at1 = QColor(Qt::yellow).lighter(120);
        at0 = QColor(Qt::darkYellow).lighter(120);
    }
    painter->setBrush(radialGradient(QPointF(-30, -30), 60, QPointF(30, 30), QPointF(3, 30), at1, at0));
    painter->setPen(QPen(Qt::black));
    painter->drawRect(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-50, -20, 100, 20), name);
    painter->drawText(QRectF(-50, 0, 100, 20), QString::number(shownValue(), 'g', 6));
}

bool invPARAM::setLink1(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool invPARAM::setLink2(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool invPARAM::setLink3(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool invPARAM::setLink4(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool invPARAM::setLinkTo(Link *l)
{
    return acceptOutgoingLink(l);
}

bool invPARAM::setArg1(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool invPARAM::setArg2(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool invPARAM::setArg3(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool invPARAM::setArg4(Calculus *c)
{
    Q_UNUSED(c);
    return false;
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
