#include "problem/Operator.h"

#include "graph/Random.h"
#include "problem/CalculusDisplay.h"

#include <QPainter>
#include <QPolygon>

Operator::Operator()
{
    category = QStringLiteral("Operator");
    x0 = tsy_qrand() % 200;
    y0 = tsy_qrand() % 200;
    w = 120;
    h = 60;
}

void Operator::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
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
        at1 = QColor(Qt::magenta);
        at0 = QColor(Qt::magenta).lighter(150);
    }
    painter->setBrush(radialGradient(QPointF(-30, -30), 100, QPointF(3, 3), QPointF(3, 3), at1, at0));
    painter->setPen(QPen(Qt::black));
    painter->drawEllipse(QRectF(-(w / 2), -(h / 2), w, h));
    painter->drawText(QRectF(-40, -15, 100, 20), name);
    const int r = shownRows();
    const int c = shownCols();
    const QString second =
        (r == 1 && c == 1) ? QString::number(shownValue(), 'g', 6) : QStringLiteral("%1 x %2").arg(r).arg(c);
    painter->drawText(QRectF(-40, 0, 100, 20), second);
    paintGivenNameTag(painter, false);
    paintReportMark(painter);
}

bool Operator::setLink1(Link *l)
{
    return acceptIncomingLink(1, l, false);
}

bool Operator::setLink2(Link *l)
{
    return acceptIncomingLink(2, l, false);
}

bool Operator::setLink3(Link *l)
{
    return acceptIncomingLink(3, l, false);
}

bool Operator::setLink4(Link *l)
{
    return acceptIncomingLink(4, l, false);
}

bool Operator::setLinkTo(Link *l)
{
    return acceptOutgoingLink(l);
}

bool Operator::setArg1(Calculus *c)
{
    return acceptArgument(1, c);
}

bool Operator::setArg2(Calculus *c)
{
    return acceptArgument(2, c);
}

bool Operator::setArg3(Calculus *c)
{
    return acceptArgument(3, c);
}

bool Operator::setArg4(Calculus *c)
{
    return acceptArgument(4, c);
}

void Operator::setParam(int p)
{
    Q_UNUSED(p);
}

int Operator::getParam()
{
    return -1;
}
