#include "problem/Statistics.h"

#include "graph/Random.h"
#include "problem/CalculusDisplay.h"

#include <QPainter>
#include <QPolygon>

Statistics::Statistics()
{
    category = QStringLiteral("Statistics");
    x0 = tsy_qrand() % 200;
    y0 = tsy_qrand() % 200;
    w = 100;
    h = 100;
}

void Statistics::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QColor at1, at0;
    if (selected) {
        at1 = QColor(Qt::blue).lighter(120);
        at0 = QColor(Qt::darkBlue).lighter(120);
    } else if (errorBackup) {
        at1 = QColor(Qt::red).lighter(120);
        at0 = QColor(Qt::darkRed).lighter(120);
    } else {
        at1 = QColor(Qt::cyan).lighter(120);
        at0 = QColor(Qt::darkCyan).lighter(120);
    }
    painter->setBrush(radialGradient(QPointF(-30, -30), 100, QPointF(3, 3), QPointF(3, 3), at1, at0));
    painter->setPen(QPen(Qt::black));
    const int hw = w / 2;
    const int hh = h / 2;
    QPolygon diamond;
    diamond << QPoint(-hw, 0) << QPoint(0, hh) << QPoint(hw, 0) << QPoint(0, -hh);
    painter->drawConvexPolygon(diamond);
    painter->drawText(QRectF(-40, -10, 100, 20), name);
    paintGivenNameTag(painter, false);
}

bool Statistics::setLink1(Link *l)
{
    return acceptIncomingLink(1, l, true);
}

bool Statistics::setLink2(Link *l)
{
    return acceptIncomingLink(2, l, true);
}

bool Statistics::setLink3(Link *l)
{
    return acceptIncomingLink(3, l, true);
}

bool Statistics::setLink4(Link *l)
{
    return acceptIncomingLink(4, l, true);
}

bool Statistics::setLinkTo(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Statistics::setArg1(Calculus *c)
{
    return acceptArgument(1, c);
}

bool Statistics::setArg2(Calculus *c)
{
    return acceptArgument(2, c);
}

bool Statistics::setArg3(Calculus *c)
{
    return acceptArgument(3, c);
}

bool Statistics::setArg4(Calculus *c)
{
    return acceptArgument(4, c);
}

void Statistics::setParam(int p)
{
    Q_UNUSED(p);
}

int Statistics::getParam()
{
    return -1;
}
