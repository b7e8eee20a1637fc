#include "problem/Invariant.h"

#include "graph/Random.h"

#include <QPainter>

Invariant::Invariant()
{
    category = QStringLiteral("Invariant");
    x0 = tsy_qrand() % 200;
    y0 = tsy_qrand() % 200;
    w = 120;
    h = 60;
}

void Invariant::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
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
        at1 = QColor(Qt::green);
        at0 = QColor(Qt::green).darker(120);
    }
    painter->setBrush(radialGradient(QPointF(-30, -30), 60, QPointF(30, 30), QPointF(3, 30), at1, at0));
    painter->setPen(QPen(Qt::black));
    painter->drawRect(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-50, -15, 100, 20), name);
    const QString second = (rows == 1 && cols == 1)
                               ? QString::number(shownValue(), 'g', 6)
                               : QStringLiteral("%1 x %2").arg(shownRows()).arg(shownCols());
    painter->drawText(QRectF(-50, 0, 100, 20), second);
    paintGivenNameTag(painter, true);
    paintReportMark(painter);
    paintComplementMark(painter);
}

bool Invariant::setLink1(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Invariant::setLink2(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Invariant::setLink3(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Invariant::setLink4(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool Invariant::setLinkTo(Link *l)
{
    return acceptOutgoingLink(l);
}

bool Invariant::setArg1(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool Invariant::setArg2(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool Invariant::setArg3(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool Invariant::setArg4(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

void Invariant::setParam(int p)
{
    Q_UNUSED(p);
}

int Invariant::getParam()
{
    return -1;
}
