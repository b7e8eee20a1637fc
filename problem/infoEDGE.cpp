#include "problem/infoEDGE.h"

#include "graph/Graph.h"
#include "graph/Random.h"

#include <QPainter>

infoEDGE::infoEDGE(const QString &keyword, bool withDisplay)
{
    category = QStringLiteral("INFO");
    name = keyword;
    this->withDisplay = withDisplay;
    x0 = tsy_qrand() % 200;
    y0 = tsy_qrand() % 200;
    w = 120;
    h = 60;
    initDisplay(false);
}

void infoEDGE::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QColor at1, at0;
    if (selected) {
        at1 = QColor(Qt::blue).lighter(120);
        at0 = QColor(Qt::darkBlue).lighter(120);
    } else {
        at1 = QColor(Qt::blue);
        at0 = QColor(Qt::cyan);
    }
    painter->setBrush(radialGradient(QPointF(-10, -10), 100, QPointF(3, 3), QPointF(3, 3), at1, at0));
    painter->setPen(QPen(Qt::black));
    const QPoint corners[4] = {QPoint(-(w / 2), 0), QPoint(0, h / 2), QPoint(w / 2, 0), QPoint(0, -(h / 2))};
    painter->drawConvexPolygon(corners, 4);
    painter->drawText(QRectF(-40, -10, 100, 20), name);
}

bool infoEDGE::setLink1(Link *l)
{
    return acceptIncomingLink(1, l, true);
}

bool infoEDGE::setLink2(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool infoEDGE::setLink3(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool infoEDGE::setLink4(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool infoEDGE::setLinkTo(Link *l)
{
    Q_UNUSED(l);
    return false;
}

bool infoEDGE::setArg1(Calculus *c)
{
    // The graph's change stamp moves last, so the board's republication sees the new argument.
    return acceptArgument(1, c, true);
}

bool infoEDGE::setArg2(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool infoEDGE::setArg3(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

bool infoEDGE::setArg4(Calculus *c)
{
    Q_UNUSED(c);
    return false;
}

void infoEDGE::setParam(int p)
{
    Q_UNUSED(p);
}

int infoEDGE::getParam()
{
    return -1;
}

void infoEDGE::recompute()
{
    error = false;
    if (!arg1) {
        saveTooltip(QStringLiteral("Missing argument"));
        rows = 0;
        cols = 0;
        error = true;
        return;
    }
    const int n = graph ? graph->getNbNodes() : 0;
    if (arg1->cols != n || arg1->rows != n) {
        saveTooltip(QStringLiteral("Argument should be a matrix n x n"));
        rows = 0;
        cols = 0;
        error = true;
        return;
    }
    saveTooltip(name);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            M[i][j] = arg1->M.at(i).at(j);
    rows = n;
    cols = n;
}
