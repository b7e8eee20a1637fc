#include "analysts/PlotItem.h"

#include "analysts/Analyst.h"
#include "graph/Graph.h"

#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>

PlotItem::PlotItem(double x, double y, Analyst *analyst, Graph *graph, int number, const QString &toolTip,
                   double radius)
    : x(x), y(y), analyst(analyst), graph(graph), number(number), radius(radius)
{
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    setZValue(1.0);
    setToolTip(toolTip);
    setPos(x, -y);
}

void PlotItem::setPosition(double nx, double ny, double nz)
{
    x = nx;
    y = ny;
    z = nz;
    setPos(x, -y);
    setZValue(z);
    update();
}

void PlotItem::setRadius(double r)
{
    if (r == radius)
        return;
    // The bounding rectangle follows the radius; the scene must know before it changes.
    prepareGeometryChange();
    radius = r;
}

QRectF PlotItem::boundingRect() const
{
    return QRectF(-radius - 2, -radius - 2, 2 * radius + 5, 2 * radius + 5);
}

void PlotItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    Q_UNUSED(widget);
    QRadialGradient gradient(QPointF(-10, -10), radius, QPointF(-10, -10));
    gradient.setColorAt(0, color);
    gradient.setColorAt(1, color.darker(200));
    if (hilight)
        painter->setBrush(QBrush(Qt::blue));
    else
        painter->setBrush(gradient);
    painter->setPen(QPen(QColor(Qt::black)));
    const double r = radius;
    const int ir = static_cast<int>(-r);
    const int id = static_cast<int>(2 * r);
    switch (static_cast<unsigned>(shape)) {
    case 1:
        painter->drawRect(QRect(ir, ir, id, id));
        break;
    case 2:
        painter->drawConvexPolygon(QPolygonF(QVector<QPointF>{{-r, r}, {r, r}, {0, -r}}));
        break;
    case 3:
        painter->drawConvexPolygon(QPolygonF(QVector<QPointF>{{-r, -r}, {r, -r}, {0, r}}));
        break;
    case 4:
        painter->drawConvexPolygon(QPolygonF(QVector<QPointF>{{-r, 0}, {0, r}, {r, 0}, {0, -r}}));
        break;
    case 5:
        painter->drawConvexPolygon(
            QPolygonF(QVector<QPointF>{{-r, 0}, {-r / 2, r}, {r / 2, r}, {r, 0}, {r / 2, -r}, {-r / 2, -r}}));
        break;
    default:
        painter->drawEllipse(QRect(ir, ir, id, id));
        break;
    }
}

void PlotItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    Q_UNUSED(event);
    if (analyst)
        analyst->load(number);
    if (graph)
        graph->hilight(hilight ? -1 : number);
}
