#include "problem/Constraint.h"

#include "graph/Random.h"
#include "problem/CalculusDisplay.h"

#include <QPainter>
#include <QPolygon>

Constraint::Constraint()
{
    category = QStringLiteral("Constraint");
    x0 = tsy_qrand() % 200;
    y0 = tsy_qrand() % 200;
    w = 120;
    h = 60;
}

void Constraint::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    const double v = shownValue();
    // A value that is not a number counts as violated.
    const bool violated = !(v <= 1e-6);
    QColor at1, at0;
    if (selected) {
        at1 = QColor(Qt::blue).lighter(120);
        at0 = QColor(Qt::darkBlue).lighter(120);
    } else if (errorBackup) {
        at1 = QColor(Qt::red).lighter(120);
        at0 = QColor(Qt::darkRed).lighter(120);
    } else {
        at1 = violated ? QColor(Qt::magenta).lighter(120) : QColor(Qt::green).lighter(120);
        at0 = violated ? QColor(Qt::darkMagenta).lighter(120) : QColor(Qt::darkGreen).lighter(120);
    }
    painter->setBrush(radialGradient(QPointF(-30, -30), 100, QPointF(3, 3), QPointF(3, 3), at1, at0));
    painter->setPen(QPen(Qt::black));
    const int hw = w / 2;
    const int hh = h / 2;
    QPolygon octagon;
    octagon << QPoint(-hw, -10) << QPoint(-hw, 10) << QPoint(-10, hh) << QPoint(10, hh) << QPoint(hw, 10)
            << QPoint(hw, -10) << QPoint(10, -hh) << QPoint(-10, -hh);
    painter->drawConvexPolygon(octagon);
    painter->drawText(QRectF(-50, -20, 100, 20), name);
    painter->drawText(QRectF(-50, 0, 100, 20), QString::number(v, 'g', 6));
}

bool Constraint::setLink1(Link *l)
{
    return acceptIncomingLink(1, l, false);
}

bool Constraint::setLink2(Link *l)
{
    return acceptIncomingLink(2, l, false);
}

bool Constraint::setLink3(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Constraint::setLink4(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Constraint::setLinkTo(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Constraint::setArg1(Calculus *c)
{
    return acceptArgument(1, c);
}

bool Constraint::setArg2(Calculus *c)
{
    return acceptArgument(2, c);
}

bool Constraint::setArg3(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool Constraint::setArg4(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

void Constraint::setParam(int p)
{
    Q_UNUSED(p);
}

int Constraint::getParam()
{
    return -1;
}
