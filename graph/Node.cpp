#include "graph/Node.h"

#include "graph/Edge.h"

#include <QPainter>
#include <QRadialGradient>

#include <iostream>

QVector<QColor> Node::NodeColor;
int Node::NbNodeColors = 0;
Node *Node::node_under_mouse = nullptr;

Node::Node(double x, double y, double, double, QString name, Graph *graph, bool displayed)
    : graph(graph), name(name), coordX(x), coordY(y), displayed(displayed)
{
    if (!displayed)
        return;
    setFlag(ItemSendsGeometryChanges);
    setCacheMode(DeviceCoordinateCache);
    setZValue(1.0);
    setToolTip(name);
    setPos(x, y);
}

Node::~Node()
{
    if (node_under_mouse == this)
        node_under_mouse = nullptr;
}

void Node::initColors()
{
    if (!NodeColor.isEmpty())
        return;
    NodeColor = {Qt::yellow,    Qt::cyan,        Qt::red,     Qt::green,     Qt::gray,     Qt::magenta,
                 Qt::white,     Qt::lightGray,   Qt::blue,    Qt::darkBlue,  Qt::darkCyan, Qt::darkGray,
                 Qt::darkGreen, Qt::darkMagenta, Qt::darkRed, Qt::darkYellow};
    NbNodeColors = NodeColor.size();
}

QRectF Node::boundingRect() const
{
    const double r = radius;
    return QRectF(-r - 2, -r - 2, 2 * r + 5, 2 * r + 5);
}

QPainterPath Node::shape() const
{
    QPainterPath path;
    path.addEllipse(QRectF(-radius, -radius, 2 * radius, 2 * radius));
    return path;
}

void Node::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!displayed)
        return;
    initColors();
    // A negative colour value from a board item shows as colour 0 rather than reading before the table.
    int k = colorIndex % NbNodeColors;
    if (k < 0)
        k = 0;

    QRadialGradient gradient(QPointF(0, 0), radius, QPointF(-10, -10));
    QColor pen;
    if (selected) {
        gradient = QRadialGradient(QPointF(3, 3), radius, QPointF(3, 3));
        gradient.setColorAt(0, QColor(Qt::yellow).lighter(120));
        gradient.setColorAt(1, QColor(Qt::red).lighter(120));
        pen = Qt::blue;
    } else if (highlighted) {
        gradient = QRadialGradient(QPointF(3, 3), radius, QPointF(3, 3));
        gradient.setColorAt(0, Qt::green);
        gradient.setColorAt(1, Qt::red);
        pen = Qt::yellow;
    } else {
        gradient.setColorAt(0, NodeColor[k]);
        gradient.setColorAt(1, NodeColor[k].darker(200));
        pen = k <= 7 ? QColor(Qt::black) : QColor(Qt::white);
    }
    painter->setBrush(gradient);
    painter->setPen(QPen(pen, 0));
    const int corner = static_cast<int>(-radius);
    const int size = static_cast<int>(2 * radius);
    painter->drawEllipse(QRect(corner, corner, size, size));
    if (!label.isEmpty())
        painter->drawText(QRect(-15, -10, 30, 30), 0, label);
}

void Node::setRadius(double r)
{
    if (displayed)
        prepareGeometryChange();
    radius = r;
    if (displayed)
        update();
}

void Node::display() const
{
    std::cerr << "Node: " << name.toStdString() << std::endl;
    std::cerr << edgeList.size() << std::endl;
}

void Node::addENeighbor(Edge *e)
{
    edgeList.append(e);
}

void Node::updateVisible()
{
    if (!displayed)
        return;
    setVisible(visible);
    update();
}

void Node::delete_me()
{
    visible = false;
    exists = false;
    for (Edge *e : qAsConst(edgeList))
        e->resetVisible(false);
    if (!displayed)
        return;
    hide();
    update();
}

void Node::setPosition(double x, double y)
{
    coordX = x;
    coordY = y;
    coordZ = 0.0;
    if (!displayed)
        return;
    setPos(x, y);
    adjustEdges();
}

void Node::setPosition(double x, double y, double z)
{
    coordX = x;
    coordY = y;
    coordZ = z;
    if (!displayed)
        return;
    setPos(x, y);
    setZValue(z);
    adjustEdges();
}

void Node::move(QPointF d)
{
    if (!displayed)
        return;
    setPos(pos() + d);
    adjustEdges();
}

void Node::move(double dx, double dy)
{
    move(QPointF(dx, dy));
}

QVariant Node::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionHasChanged)
        adjustEdges();
    return QGraphicsEllipseItem::itemChange(change, value);
}

void Node::adjustEdges()
{
    for (Edge *e : qAsConst(edgeList))
        e->adjust();
}
