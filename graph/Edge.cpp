#include "graph/Edge.h"

#include "graph/Node.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <iostream>

int Edge::edgeWidth = 2;

Edge::Edge(Node *from, Node *to) : source(from), dest(to)
{
    if (source == nullptr || dest == nullptr || source == dest)
        return;
    if (!isDrawn())
        return;
    setZValue(-10000.0);
    adjust();
    setLine(QLineF(sourcePoint, destPoint));
}

Edge::~Edge() = default;

bool Edge::isDrawn() const
{
    return source != nullptr && dest != nullptr && source->isDisplayed() && dest->isDisplayed();
}

void Edge::resetVisible(bool v)
{
    visible = v && source != nullptr && dest != nullptr && source->getVisible() && dest->getVisible();
    if (!isDrawn())
        return;
    setVisible(visible);
    adjust();
}

void Edge::adjust()
{
    if (source == nullptr || dest == nullptr)
        return;
    if (!source->getVisible() || !dest->getVisible()) {
        visible = false;
        if (isDrawn())
            hide();
        return;
    }
    if (!isDrawn())
        return;
    if (isVisible() != visible)
        setVisible(visible);
    if (visible) {
        setZValue(std::min(source->zValue(), dest->zValue()) - 0.1);
        const QPointF p1 = mapFromItem(source, 0, 0);
        const QPointF p2 = mapFromItem(dest, 0, 0);
        const auto same = [](const QPointF &a, const QPointF &b) {
            return qAbs(a.x() - b.x()) <= 1e-12 && qAbs(a.y() - b.y()) <= 1e-12;
        };
        if (QLineF(p1, p2).length() > 5.0) {
            if (!same(sourcePoint, p1) || !same(destPoint, p2)) {
                prepareGeometryChange();
                sourcePoint = p1;
                destPoint = p2;
                setLine(QLineF(sourcePoint, destPoint));
            }
        } else if (!same(sourcePoint, p1) || !same(destPoint, p1)) {
            // Two vertices almost on top of each other: the line collapses onto the first.
            prepareGeometryChange();
            sourcePoint = p1;
            destPoint = p1;
            setLine(QLineF(sourcePoint, destPoint));
        }
    }
    update();
}

void Edge::display() const
{
    std::cerr << "Edge(" << (source ? source->nodeName().toStdString() : std::string()) << " ; "
              << (dest ? dest->nodeName().toStdString() : std::string()) << ")" << std::endl;
}

double Edge::length() const
{
    return QLineF(sourcePoint, destPoint).length();
}

QRectF Edge::boundingRect() const
{
    if (source == nullptr || dest == nullptr)
        return QRectF();
    const QPointF a = sourcePoint;
    const QPointF b = destPoint;
    const QRectF r(QPointF(std::min(a.x(), b.x()) - 20, std::min(a.y(), b.y()) - 10),
                   QPointF(std::max(a.x(), b.x()) + 20, std::max(a.y(), b.y()) + 10));
    return r.normalized().adjusted(-1.5, -1.5, 1.5, 1.5);
}

void Edge::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (source == nullptr || dest == nullptr || !source->getVisible() || !dest->getVisible()) {
        visible = false;
        return;
    }
    painter->setPen(QPen(Qt::black, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::white);
    painter->drawLine(QLineF(sourcePoint, destPoint));
    if (!label.isEmpty()) {
        const QPointF mid = (sourcePoint + destPoint) / 2.0;
        const QRectF box(mid - QPointF(20, 10), QSizeF(40, 20));
        painter->drawRect(box);
        painter->drawText(box, label, QTextOption());
    }
}
