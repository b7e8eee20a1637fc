#include "analysts/plotDisplay.h"

#include "analysts/PlotItem.h"
#include "analysts/PlotView.h"
#include "graph/Graph.h"

#include <QDoubleSpinBox>
#include <QThread>

namespace
{
const int maxPoints = 32;
} // namespace

plotDisplay::plotDisplay(const QString &itemName) : StatisticsDisplay(itemName, tr("Plot"), 9)
{
    QDoubleSpinBox *rb = addScaleBox(QStringLiteral("Radius"), 5, 5.0);
    connect(rb, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &plotDisplay::slot_set_radius);

    hide();
    QVector<PlotItem *> made;
    for (int i = 0; i < maxPoints; ++i) {
        auto *point = new PlotItem(M[i][0] * scalex, -(M[i][1] * scaley), nullptr, graph, i, name, radius);
        point->hide();
        made.append(point);
    }
    points = made;
    view->addItems(made);
    changed = true;
    timerId = startTimer(100);
}

plotDisplay::~plotDisplay()
{
    killTimer(timerId);
    disconnect(hilightConnection);
    view->clear();
    points.clear();
}

void plotDisplay::setValues(const QVector<QVector<double>> &m, int rows, int cols)
{
    // No rows is a result too (the degrees of the graph on 0 vertices): no point, rather than
    // the points of the graph before.
    if (cols == 2 && rows >= 0) {
        {
            QMutexLocker lock(&mutex);
            nbRows = qMin(rows, qMin(maxPoints, m.size()));
            nbCols = 2;
            for (int i = 0; i < nbRows; ++i) {
                M[i][0] = m[i].size() > 0 ? m[i][0] : 0.0;
                M[i][1] = m[i].size() > 1 ? m[i][1] : 0.0;
            }
        }
        blank = false;
        slot_apply();
        return;
    }
    if (QThread::currentThread() == thread()) {
        // On the GUI thread they go at once; the next tick shows the last good values again.
        for (PlotItem *item : points)
            item->hide();
        changed = true;
        return;
    }
    // Any other thread leaves the graphics items alone: the GUI thread's next tick hides them.
    blank = true;
    changed = true;
}

void plotDisplay::setGraph(Graph *g)
{
    disconnect(hilightConnection);
    hilightConnection = QMetaObject::Connection();
    graph = g;
    for (PlotItem *point : points)
        point->setGraph(g);
    if (g)
        hilightConnection = connect(g, &Graph::signal_hilight_node, this, &plotDisplay::slot_hilight);
}

void plotDisplay::slot_set_radius(double v)
{
    radius = v;
}

void plotDisplay::slot_hilight(int k)
{
    for (int i = 0; i < points.size(); ++i)
        points[i]->setHilight(i == k);
    changed = true;
}

void plotDisplay::timerEvent(QTimerEvent *event)
{
    Q_UNUSED(event);
    // Cleared before drawing: a request that arrives meanwhile is kept for the next tick.
    if (!changed.exchange(false))
        return;
    if (blank.exchange(false)) {
        for (PlotItem *point : points)
            point->hide();
        changed = true;
        return;
    }
    {
        QMutexLocker lock(&mutex);
        const int n = nbRows;
        for (int i = 0; i < n; ++i) {
            const double x = M[i][0];
            const double y = M[i][1];
            PlotItem *point = points[i];
            point->setToolTip(QStringLiteral("P") + QString::number(i) + QStringLiteral(" (") +
                              QString::number(x, 'g', 6) + QStringLiteral(",") + QString::number(y, 'g', 6) +
                              QStringLiteral(")"));
            // The model coordinates follow the values, so turns and axes work on the shown points.
            point->setPosition(x * scalex, y * scaley, 0);
            point->setVisible(true);
            point->setRadius(radius);
        }
        for (int i = n; i < maxPoints; ++i)
            points[i]->hide();
        for (PlotItem *point : points)
            point->update();
    }
    view->updateBounds();
}
