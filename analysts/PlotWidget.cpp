#include "analysts/PlotWidget.h"

#include "analysts/Analyst.h"
#include "analysts/PlotItem.h"
#include "analysts/PlotView.h"

#include <QGridLayout>
#include <QTimer>

#include <cmath>

namespace
{

// How often the view shows the points of a running fill, in milliseconds.
constexpr qint64 ShowPeriodMs = 1000;
// Points made between two looks at the clock.
constexpr int ClockStride = 256;

} // namespace

PlotWidget::PlotWidget(QWidget *parent) : QWidget(parent)
{
    view = new PlotView(this);
    auto *layout = new QGridLayout(this);
    layout->addWidget(view, 0, 0);
    slices = new QTimer(this);
    slices->setSingleShot(true);
    connect(slices, &QTimer::timeout, this, &PlotWidget::fillSlice);
}

PlotWidget::~PlotWidget() = default;

void PlotWidget::stopFill()
{
    slices->stop();
    rows.clear();
    rows.shrink_to_fit();
    next = 0;
    source = nullptr;
    if (!view->viewport()->updatesEnabled())
        view->viewport()->setUpdatesEnabled(true);
}

void PlotWidget::clear()
{
    stopFill();
    items.clear();
    view->clear();
}

void PlotWidget::addItem(PlotItem *item)
{
    if (!item)
        return;
    view->addItem(item);
    items.append(item);
}

void PlotWidget::fill(Analyst *analyst, int xColumn, int yColumn, double xScale, double yScale, double radius)
{
    QElapsedTimer clock;
    clock.start();
    clear();
    if (!analyst || xColumn < 0 || yColumn < 0)
        return;
    // The rows as they are now: an update of the analyst during the fill does not mix two tables
    // in one plot.
    const int n = analyst->nbGraphs();
    rows.reserve(size_t(n));
    for (int r = 0; r < n; ++r) {
        const double x = analyst->value(r, xColumn);
        const double y = analyst->value(r, yColumn);
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        // The number is the row's graph: what the analyst's load and highlight signals carry.
        rows.push_back({x, y, analyst->vertex(r)});
    }
    source = analyst;
    scaleX = xScale;
    scaleY = yScale;
    markRadius = radius;
    next = 0;
    // Emptying a large plot takes a while: its successor's first points come from the event loop.
    if (clock.elapsed() < SliceMs && !view->isDisposing()) {
        fillSlice();
    } else if (isFilling()) {
        view->viewport()->setUpdatesEnabled(false);
        sinceShown.start();
        slices->start(0);
    }
}

void PlotWidget::fillSlice()
{
    if (!isFilling())
        return;
    // The analyst went away: its points would point at nothing.
    if (!source) {
        stopFill();
        return;
    }
    // The points of the emptied plot go first, so the two never take memory together.
    if (view->isDisposing()) {
        slices->start(0);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    QVector<PlotItem *> points;
    while (next < rows.size()) {
        const Row &row = rows[next++];
        const QString tip = QStringLiteral("(") + QString::number(row.x, 'g', 6) + QStringLiteral(" , ") +
                            QString::number(row.y, 'g', 6) + QStringLiteral(")");
        auto *point =
            new PlotItem(row.x * scaleX, -row.y * scaleY, source, nullptr, row.number, tip, markRadius);
        point->setPosition(row.x * scaleX, row.y * scaleY, 0);
        points.append(point);
        // At most one group of points per slice, and no longer than a slice.
        if (points.size() >= PlotView::GroupSize ||
            (points.size() % ClockStride == 0 && clock.elapsed() >= SliceMs))
            break;
    }
    view->addItems(points);
    items += points;
    QWidget *screen = view->viewport();
    if (!isFilling()) {
        stopFill();
        return;
    }
    // Each paint of the view walks every point made so far: while the fill goes on, the view is
    // shown about once a second, not after every slice.
    if (screen->updatesEnabled()) {
        screen->setUpdatesEnabled(false);
        sinceShown.start();
        slices->start(0);
    } else if (sinceShown.elapsed() >= ShowPeriodMs) {
        // Enabling the updates asks for a paint of the whole view; the next slice waits for it.
        screen->setUpdatesEnabled(true);
        sinceShown.start();
        slices->start(SliceMs);
    } else {
        slices->start(0);
    }
}

bool PlotWidget::printToFile(const QString &fileName)
{
    return view->printToFile(fileName);
}

void PlotWidget::slot_hilight(int n)
{
    bool moved = false;
    for (PlotItem *item : items) {
        const bool on = item->getNumber() == n;
        const double z = on ? 10 : 0;
        // Most points keep their state: only the changed ones are restacked and repainted.
        if (item->isHilight() == on && item->announcedZ() == z)
            continue;
        item->setHilight(on);
        item->setZValue(z);
        item->update();
        moved = true;
    }
    if (moved)
        view->restack();
}

void PlotWidget::slot_print()
{
    view->print();
}
