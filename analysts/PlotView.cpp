#include "analysts/PlotView.h"

#include "analysts/PlotItem.h"
#include "analysts/RectItem.h"
#include "dialogs/Prompt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace
{

// The invisible parent of a group of points: no contents of its own, never hit.
class PointGroup : public QGraphicsItem
{
public:
    enum { Type = UserType + 0x504c };
    PointGroup() { setFlag(ItemHasNoContents); }
    int type() const override { return Type; }
    QRectF boundingRect() const override { return QRectF(); }
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}
};

// An empty area that a new scene covers so that it is as large as the scene it replaces (a
// plot's scene only grows). Draws nothing and is never hit.
class Extent : public QGraphicsItem
{
public:
    explicit Extent(const QRectF &area) : area(area) { setZValue(-std::numeric_limits<double>::max()); }
    QRectF boundingRect() const override { return area; }
    QPainterPath shape() const override { return QPainterPath(); }
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}

private:
    QRectF area;
};

// A plot of at least this many points is emptied by handing its scene over for deletion in
// slices.
constexpr int HandOverFrom = 2 * PlotView::GroupSize;
// Work done per slice of a deletion, in milliseconds.
constexpr qint64 DisposalSliceMs = 50;

} // namespace

QGraphicsScene *PlotView::makeScene()
{
    auto *made = new QGraphicsScene(this);
    // A plot holds up to millions of points, most of them piled on a few values: the scene's
    // tree index then costs minutes to build and to update, while a plain list answers every
    // paint and mouse look-up in one pass.
    made->setItemIndexMethod(QGraphicsScene::NoIndex);
    return made;
}

PlotView::PlotView(QWidget *parent) : QGraphicsView(parent)
{
    scene = makeScene();
    setScene(scene);
    disposal = new QTimer(this);
    disposal->setSingleShot(true);
    connect(disposal, &QTimer::timeout, this, &PlotView::disposeSlice);
    setCacheMode(QGraphicsView::CacheBackground);
    setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(QBrush(Qt::white));
    xAxis = new QGraphicsLineItem;
    yAxis = new QGraphicsLineItem;
    scene->addItem(xAxis);
    scene->addItem(yAxis);
}

PlotView::~PlotView() = default;

void PlotView::addItem(PlotItem *item)
{
    if (!item)
        return;
    stacks.append({nullptr, items.size(), 1});
    items.append(item);
    scene->addItem(item);
    updateBounds();
}

void PlotView::addItems(const QVector<PlotItem *> &points)
{
    // A plot that stays below one group's size is held as single points, as each point added
    // alone is: the grouping only pays off where the scene would otherwise sort many thousands.
    if (items.size() + points.size() < GroupSize) {
        for (PlotItem *item : points) {
            if (!item)
                continue;
            stacks.append({nullptr, items.size(), 1});
            items.append(item);
            widen(item);
            scene->addItem(item);
        }
        setAxes();
        return;
    }
    const int firstStack = stacks.size();
    std::vector<PlotItem *> chunk;
    const auto addGroup = [&]() {
        if (chunk.empty())
            return;
        auto *group = new PointGroup;
        stacks.append({group, items.size(), int(chunk.size())});
        for (PlotItem *item : chunk) {
            items.append(item);
            widen(item);
        }
        // A group stacks its points in the order they join it: by address, the order in which a
        // handed-over scene deletes them. The group at the origin keeps every point's scene
        // position its own position.
        std::sort(chunk.begin(), chunk.end(), std::less<PlotItem *>());
        for (PlotItem *item : chunk)
            item->setParentItem(group);
        scene->addItem(group);
        chunk.clear();
    };
    for (PlotItem *item : points) {
        if (!item)
            continue;
        chunk.push_back(item);
        if (int(chunk.size()) == GroupSize)
            addGroup();
    }
    addGroup();
    restack(firstStack);
    setAxes();
}

void PlotView::addItem(RectItem *item)
{
    if (!item)
        return;
    bars.append(item);
    scene->addItem(item);
    updateBounds();
}

void PlotView::clear()
{
    if (items.size() >= HandOverFrom && bars.isEmpty()) {
        handOver();
    } else if (!items.isEmpty()) {
        // Taking points out one by one makes the scene search its lists for each of them, a cost
        // that grows with the square of their number. The scene empties itself in one pass, so
        // the axes and bars step out for it and come back.
        const QList<QGraphicsItem *> kept = QList<QGraphicsItem *>{xAxis, yAxis} + bars;
        for (QGraphicsItem *item : kept)
            scene->removeItem(item);
        // Points still waiting for the scene's deferred polish would each be looked up in that
        // waiting list as they go: the scene does its pending work first.
        QCoreApplication::sendPostedEvents(scene, QEvent::MetaCall);
        // The view is repainted whole afterwards: it need not gather the screen area that each
        // departing point leaves.
        setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
        scene->clear();
        setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
        for (QGraphicsItem *item : kept)
            scene->addItem(item);
        items.clear();
        stacks.clear();
    }
    scene->update();
}

// Deleting a million points takes the scene about a second, most of it spent on notifications
// and lists of each point. The view takes a new scene at once instead (new axes on the same
// lines, as large as the old scene), and the old scene with its points is deleted in slices from
// the event loop.
void PlotView::handOver()
{
    QGraphicsScene *old = scene;
    const QRectF area = old->sceneRect();
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    scene = makeScene();
    scene->addItem(new Extent(area));
    const QLineF xLine = xAxis->line();
    const QLineF yLine = yAxis->line();
    QGraphicsItem *oldAxis = xAxis;
    xAxis = new QGraphicsLineItem(xLine);
    yAxis = new QGraphicsLineItem(yLine);
    scene->addItem(xAxis);
    scene->addItem(yAxis);
    setScene(scene);
    horizontalScrollBar()->setValue(h);
    verticalScrollBar()->setValue(v);
    items.clear();
    stacks.clear();
    marksValid = false;
    dumps.append({old, oldAxis, {}, -1});
    disposal->start(0);
}

void PlotView::disposeSlice()
{
    if (dumps.isEmpty())
        return;
    QElapsedTimer clock;
    clock.start();
    Dump &dump = dumps.first();
    if (dump.next < 0) {
        // Taking one item out makes the scene's list of items sorted by address. Deleting the
        // points in that order takes each from the front of that list and of its group's list
        // (a group adds its points in address order), so no deletion searches.
        dump.scene->removeItem(dump.axis);
        delete dump.axis;
        for (QGraphicsItem *item : dump.scene->items())
            if (item->type() != PointGroup::Type && item->parentItem())
                dump.order.append(item);
        dump.next = 0;
    } else {
        while (dump.next < dump.order.size() && clock.elapsed() < DisposalSliceMs)
            for (int k = 0; k < 256 && dump.next < dump.order.size(); ++k)
                delete dump.order[dump.next++];
        if (dump.next >= dump.order.size()) {
            // Empty groups and an axis are left.
            delete dump.scene;
            dumps.removeFirst();
        }
    }
    if (!dumps.isEmpty())
        disposal->start(0);
}

void PlotView::widen(const PlotItem *item)
{
    if (!item->isVisible())
        return;
    const double x = item->getCoordX();
    const double y = item->getCoordY();
    if (std::isfinite(x)) {
        left = std::min(left, x);
        right = std::max(right, x);
    }
    if (std::isfinite(y)) {
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
}

void PlotView::updateBounds()
{
    left = right = bottom = top = 0.0;
    for (const PlotItem *item : items)
        widen(item);
    setAxes();
}

void PlotView::setAxes()
{
    xmin = left;
    xmax = right;
    ymin = bottom;
    ymax = top;
    xmax = 2 * (xmax + 50);
    ymax = 2 * (ymax + 50);
    xmin -= 100;
    ymin -= 100;
    xAxis->setLine(xmin, 0, xmax, 0);
    yAxis->setLine(0, -ymin, 0, -ymax);
}

QLineF PlotView::xAxisLine() const
{
    return xAxis->line();
}

QLineF PlotView::yAxisLine() const
{
    return yAxis->line();
}

void PlotView::rotate(double ax, double ay, double az)
{
    const double cx = std::cos(ax), sx = std::sin(ax);
    const double cy = std::cos(ay), sy = std::sin(ay);
    const double cz = std::cos(az), sz = std::sin(az);
    for (PlotItem *item : items) {
        const double x = item->getCoordX();
        const double y = item->getCoordY();
        const double z = item->getCoordZ();
        const double y1 = y * cx - z * sx;
        const double z1 = z * cx + y * sx;
        const double x1 = x * cy + z1 * sy;
        const double z2 = z1 * cy - x * sy;
        const double x2 = x1 * cz - y1 * sz;
        const double y2 = y1 * cz + x1 * sz;
        item->setPosition(x2, y2, z2);
    }
    restack();
    updateBounds();
}

void PlotView::restack(int from)
{
    for (int k = from; k < stacks.size(); ++k) {
        const Stack &stack = stacks[k];
        if (!stack.group)
            continue;
        double z = -std::numeric_limits<double>::infinity();
        for (int i = stack.first; i < stack.first + stack.count; ++i)
            z = std::max(z, items[i]->announcedZ());
        if (stack.count > 0 && stack.group->zValue() != z)
            stack.group->setZValue(z);
    }
}

namespace
{

// A mark on screen: its pixel position and its look (index into the looks of one paint).
struct Spot {
    int x, y, look;
    bool operator==(const Spot &o) const { return x == o.x && y == o.y && look == o.look; }
};

// Where a point comes in the drawing: the height of its stack, its height within a group, and
// its place among the points (stacks and groups keep the order of addition).
struct Order {
    double stackZ;
    int stack;
    double z;
    quintptr joined; // a point's place in its group: its address (see addItems)
    int index;
    bool before(const Order &o) const
    {
        if (stackZ != o.stackZ)
            return stackZ < o.stackZ;
        if (stack != o.stack)
            return stack < o.stack;
        if (z != o.z)
            return z < o.z;
        return joined < o.joined;
    }
};

// An open hash table of spots, each with the point drawn last on it.
class SpotTable
{
public:
    // A point lands on spot s; it becomes the spot's owner when the spot is new or when the
    // owner is drawn before it.
    void offer(const Spot &s, const Order &order)
    {
        if (2 * (used + 1) > cells.size())
            grow();
        Cell &cell = cells[place(s)];
        if (cell.order.index < 0) {
            cell.spot = s;
            cell.order = order;
            ++used;
        } else if (cell.order.before(order)) {
            cell.order = order;
        }
    }
    // The index of the owner of spot s, -1 for none.
    int owner(const Spot &s) const { return cells.empty() ? -1 : cells[place(s)].order.index; }

private:
    struct Cell {
        Spot spot{0, 0, 0};
        Order order{0, 0, 0, 0, -1};
    };
    size_t place(const Spot &s) const
    {
        const size_t mask = cells.size() - 1;
        quint64 k = (quint64(quint32(s.x)) << 32) ^ quint32(s.y) ^ (quint64(quint32(s.look)) << 48);
        k ^= k >> 33;
        k *= 0xff51afd7ed558ccdULL;
        k ^= k >> 33;
        size_t h = size_t(k) & mask;
        while (cells[h].order.index >= 0 && !(cells[h].spot == s))
            h = (h + 1) & mask;
        return h;
    }
    void grow()
    {
        std::vector<Cell> old(std::max<size_t>(1024, 2 * cells.size()));
        old.swap(cells);
        for (const Cell &cell : old)
            if (cell.order.index >= 0)
                cells[place(cell.spot)] = cell;
    }
    std::vector<Cell> cells;
    size_t used = 0;
};

} // namespace

bool PlotView::markRepeats()
{
    const QTransform t = viewportTransform();
    if (t.type() > QTransform::TxScale || t.m11() <= 0 || t.m22() <= 0)
        return false;
    if (marksValid && marksRevision == PlotItem::changes() && marksTransform == t)
        return true;
    // What a mark looks like: the shared picture is the same for the same shape, radius, colour
    // and highlight.
    struct Look {
        int shape;
        double radius;
        QRgb color;
        bool hilight;
    };
    std::vector<Look> looks;
    std::vector<char> pictured;
    const auto lookOf = [&](const PlotItem *item) {
        const Look l{item->getShape(), item->getRadius(), item->getColor().rgba(), item->isHilight()};
        for (size_t k = looks.size(); k-- > 0;)
            if (looks[k].shape == l.shape && looks[k].radius == l.radius && looks[k].color == l.color &&
                looks[k].hilight == l.hilight)
                return int(k);
        looks.push_back(l);
        pictured.push_back(PlotItem::sharesPicture(l.radius, t));
        return int(looks.size() - 1);
    };
    // Points far off the screen are not drawn at all; their pixel positions need not fit an int.
    const double margin = 2 * PlotItem::MaxPicture;
    const QRectF screen = QRectF(viewport()->rect()).adjusted(-margin, -margin, margin, margin);
    const auto spotOf = [&](const PlotItem *item, int look, Spot *spot) {
        if (!pictured[look] || !item->announcedVisible())
            return false;
        // Groups stand at the origin untransformed: a point's position is its scene position.
        const QPointF p = t.map(item->announcedPos());
        if (!screen.contains(p))
            return false;
        *spot = Spot{int(std::round(p.x())), int(std::round(p.y())), look};
        return true;
    };
    SpotTable table;
    // Each point's spot; look -1 for a point not drawn as a picture on screen.
    std::vector<Spot> spots(items.size());
    int last = -1;
    int lastLook = -1;
    // Drawing order: stacks by height, then as added; points within a group the same way.
    for (int k = 0; k < stacks.size(); ++k) {
        const Stack &stack = stacks[k];
        const double stackZ = stack.group ? stack.group->zValue() : items[stack.first]->zValue();
        for (int i = stack.first; i < stack.first + stack.count; ++i) {
            const PlotItem *item = items[i];
            // Neighbours mostly share their look.
            const int look = last >= 0 && items[last]->getShape() == item->getShape() &&
                                     items[last]->getRadius() == item->getRadius() &&
                                     items[last]->isHilight() == item->isHilight() &&
                                     items[last]->getColor() == item->getColor()
                                 ? lastLook
                                 : lookOf(item);
            lastLook = look;
            last = i;
            Spot &spot = spots[i];
            if (spotOf(item, look, &spot))
                table.offer(spot,
                            Order{stackZ, k, stack.group ? item->announcedZ() : 0.0, quintptr(item), i});
            else
                spot.look = -1;
        }
    }
    const int n = items.size();
    for (int i = 0; i < n; ++i)
        items[i]->setRepeat(spots[i].look >= 0 && table.owner(spots[i]) != i);
    marksRevision = PlotItem::changes();
    marksTransform = t;
    marksValid = true;
    return true;
}

void PlotView::paintEvent(QPaintEvent *event)
{
    // Points and axes set their own pen, brush and transformation, so the scene need not save
    // and restore the painter around each of a million points; bars leave the pen as they find it.
    setOptimizationFlag(QGraphicsView::DontSavePainterState, bars.isEmpty());
    // The marks are set before the paint starts; the points read them only during this paint.
    PlotItem::setScreenPass(markRepeats() ? viewport() : nullptr);
    QGraphicsView::paintEvent(event);
    PlotItem::setScreenPass(nullptr);
}

bool PlotView::scaleView(double factor)
{
    const double width = transform().scale(factor, factor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (width < 0.07 || width > 100)
        return false;
    scale(factor, factor);
    return true;
}

void PlotView::wheelEvent(QWheelEvent *event)
{
    scaleView(std::pow(2.0, -event->angleDelta().y() / 240.0));
}

bool PlotView::altHeld(const QKeyEvent *event) const
{
    return altPressed || event->modifiers().testFlag(Qt::AltModifier);
}

void PlotView::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Minus) {
        scaleView(1 / 1.1);
    } else if (key == Qt::Key_Plus) {
        scaleView(1.1);
    } else if (key == Qt::Key_Right) {
        if (altHeld(event))
            rotate(0, 0, angleStep);
        else
            rotate(0, angleStep, 0);
    } else if (key == Qt::Key_Alt) {
        altPressed = true;
    } else if (key == Qt::Key_Left) {
        if (altHeld(event))
            rotate(0, 0, -angleStep);
        else
            rotate(0, -angleStep, 0);
    } else if (key == Qt::Key_Up) {
        rotate(angleStep, 0, 0);
    } else if (key == Qt::Key_Down) {
        rotate(-angleStep, 0, 0);
    }
    updateBounds();
}

void PlotView::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Alt)
        altPressed = false;
}

void PlotView::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Prompt::current()->print(this, &printer))
        return;
    QPainter painter(&printer);
    render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
}

bool PlotView::printToFile(const QString &fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(fileName);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
    if (!painter.end())
        return false;
    const QFileInfo written(fileName);
    return written.exists() && written.size() > 0;
}
