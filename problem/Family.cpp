#include "problem/Family.h"

#include "graph/Random.h"

#include <QPainter>

Family::Family()
{
    category = QStringLiteral("Family");
    rows = 1;
    cols = 1;
    x0 = tsy_qrand() % 200;
    y0 = tsy_qrand() % 200;
    w = 120;
    h = 60;
}

void Family::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    const double v = shownValue();
    // A value that is not a number fails both comparisons and counts as "Yes".
    const bool no = v > -1e-6 && v < 1e-6;
    QColor at1, at0;
    if (selected) {
        at1 = QColor(Qt::blue).lighter(120);
        at0 = QColor(Qt::darkBlue).lighter(120);
    } else if (errorBackup) {
        at1 = QColor(Qt::red).lighter(120);
        at0 = QColor(Qt::white).lighter(120);
    } else if (no) {
        at1 = QColor(255, 200, 200);
        at0 = QColor(Qt::red);
    } else {
        at1 = QColor(200, 255, 200);
        at0 = QColor(Qt::green).darker(120);
    }
    painter->setBrush(radialGradient(QPointF(-30, -30), 60, QPointF(30, 30), QPointF(3, 30), at1, at0));
    painter->setPen(QPen(Qt::black));
    painter->drawRect(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-50, -15, 100, 20), name);
    painter->drawText(QRectF(5, 0, 100, 20), no ? QStringLiteral("No") : QStringLiteral("Yes"));
    paintGivenNameTag(painter, true);
    paintReportMark(painter);
    paintComplementMark(painter);
}

bool Family::setLink1(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Family::setLink2(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Family::setLink3(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Family::setLink4(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Family::setLinkTo(Link *l)
{
    return acceptOutgoingLink(l);
}

bool Family::setArg1(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool Family::setArg2(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool Family::setArg3(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool Family::setArg4(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

void Family::setParam(int p)
{
    Q_UNUSED(p);
}

int Family::getParam()
{
    return -1;
}
