#include "analysts/PlotItem.h"

#include "analysts/Analyst.h"
#include "graph/Graph.h"

#include <QCoreApplication>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

namespace
{

// What a mark looks like on a raster device: everything that changes its pixels.
struct Look {
    int shape;
    double radius;
    QRgb color;
    bool hilight;
    double sx, sy, dpr;
    int hints;
    bool operator==(const Look &o) const
    {
        return shape == o.shape && radius == o.radius && color == o.color && hilight == o.hilight &&
               sx == o.sx && sy == o.sy && dpr == o.dpr && hints == o.hints;
    }
};

uint qHash(const Look &k, uint seed = 0)
{
    return ::qHash(k.shape, seed) ^ ::qHash(k.radius, seed) ^ ::qHash(k.color, seed) ^
           ::qHash(k.hilight, seed) ^ ::qHash(k.sx, seed) ^ ::qHash(k.sy, seed) ^ ::qHash(k.dpr, seed) ^
           ::qHash(k.hints, seed);
}

// Looks kept at once (zoom steps, highlight, radius changes); the set starts anew beyond it.
constexpr int MaxLooks = 64;

// The pictures go with the application, before the window system they were made for.
QHash<Look, QPixmap> &sprites()
{
    static QHash<Look, QPixmap> *pictures = nullptr;
    if (!pictures) {
        pictures = new QHash<Look, QPixmap>;
        qAddPostRoutine([]() {
            delete pictures;
            pictures = nullptr;
        });
    }
    return *pictures;
}

} // namespace

PlotItem::PlotItem(double x, double y, Analyst *analyst, Graph *graph, int number, const QString &toolTip,
                   double radius)
    : x(x), y(y), analyst(analyst), graph(graph), number(number), radius(radius)
{
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    // No cache of its own: on screen, every point of one look shares one picture (see paint).
    setCacheMode(QGraphicsItem::NoCache);
    setZValue(1.0);
    setToolTip(toolTip);
    setPos(x, -y);
    place = pos();
    height = zValue();
}

void PlotItem::setPosition(double nx, double ny, double nz)
{
    ++changeCount;
    x = nx;
    y = ny;
    z = nz;
    setPos(x, -y);
    setZValue(z);
    update();
}

void PlotItem::setHilight(bool b)
{
    ++changeCount;
    hilight = b;
}

void PlotItem::setColor(const QColor &c)
{
    ++changeCount;
    color = c;
}

void PlotItem::setShape(int s)
{
    ++changeCount;
    shape = s;
}

QVariant PlotItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    // A scene also announces the visibility of every new item once, unchanged.
    if (change == ItemVisibleHasChanged) {
        if (value.toBool() == shown)
            return QGraphicsItem::itemChange(change, value);
        shown = value.toBool();
    } else if (change == ItemPositionHasChanged) {
        place = value.toPointF();
    } else if (change == ItemZValueHasChanged) {
        height = value.toDouble();
    }
    if (change == ItemPositionHasChanged || change == ItemZValueHasChanged ||
        change == ItemVisibleHasChanged || change == ItemSceneHasChanged || change == ItemParentHasChanged)
        ++changeCount;
    return QGraphicsItem::itemChange(change, value);
}

void PlotItem::setRadius(double r)
{
    if (r == radius)
        return;
    ++changeCount;
    // The bounding rectangle follows the radius; the scene must know before it changes.
    prepareGeometryChange();
    radius = r;
}

QRectF PlotItem::boundingRect() const
{
    return QRectF(-radius - 2, -radius - 2, 2 * radius + 5, 2 * radius + 5);
}

// A plot can hold hundreds of thousands of points that look alike. Drawing each gradient mark
// (or keeping one cached picture per point) makes a single paint of the view last seconds; one
// picture per look at the view's scale, copied to each point's pixel position, takes a fraction
// of that. Printers, PDF files and turned or sheared views get the marks drawn as shapes.
bool PlotItem::sharesPicture(double r, const QTransform &t)
{
    if (t.type() > QTransform::TxScale || t.m11() <= 0 || t.m22() <= 0)
        return false;
    const QRectF mark(-r - 2, -r - 2, 2 * r + 5, 2 * r + 5);
    const QRect area = QTransform::fromScale(t.m11(), t.m22()).mapRect(mark).toAlignedRect();
    return area.width() <= MaxPicture && area.height() <= MaxPicture;
}

void PlotItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option);
    // Another point draws this very picture on these very pixels later in the same paint.
    if (repeat && widget && widget == screenPass)
        return;
    const QTransform t = painter->worldTransform();
    const QPaintEngine *engine = painter->paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster && sharesPicture(radius, t)) {
        const QRect area = QTransform::fromScale(t.m11(), t.m22()).mapRect(boundingRect()).toAlignedRect();
        const double dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const int hints = static_cast<int>(painter->renderHints());
        const Look look{shape, radius, color.rgba(), hilight, t.m11(), t.m22(), dpr, hints};
        QHash<Look, QPixmap> &pictures = sprites();
        auto found = pictures.constFind(look);
        if (found == pictures.constEnd()) {
            if (pictures.size() >= MaxLooks)
                pictures.clear();
            QPixmap sprite(area.size() * dpr);
            sprite.setDevicePixelRatio(dpr);
            sprite.fill(Qt::transparent);
            QPainter p(&sprite);
            p.setRenderHints(painter->renderHints());
            p.translate(-area.topLeft());
            p.scale(t.m11(), t.m22());
            drawMark(&p);
            p.end();
            found = pictures.insert(look, sprite);
        }
        // The point's origin on whole device pixels, as a device-coordinate cache places it.
        const QPointF origin = t.map(QPointF(0, 0));
        // Only the transformation changes: restoring it is cheaper than a whole painter state.
        painter->setWorldTransform(QTransform());
        painter->drawPixmap(
            QPointF(std::round(origin.x()) + area.left(), std::round(origin.y()) + area.top()), *found);
        painter->setWorldTransform(t);
        return;
    }
    drawMark(painter);
}

void PlotItem::drawMark(QPainter *painter) const
{
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
