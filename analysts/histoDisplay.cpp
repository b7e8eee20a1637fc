#include "analysts/histoDisplay.h"

#include "analysts/PlotView.h"
#include "analysts/RectItem.h"

#include <QThread>

#include <cmath>

namespace
{
const int maxBars = 32;
} // namespace

histoDisplay::histoDisplay(const QString &itemName) : StatisticsDisplay(itemName, tr("Histogram"), 8)
{
    hide();
    for (int i = 0; i < maxBars; ++i) {
        auto *bar = new RectItem(i * scalex, -0.5 * scaley, scalex, 0.5 * scaley, name);
        bar->hide();
        bars.append(bar);
        view->addItem(bar);
    }
    changed = true;
    timerId = startTimer(100);
}

histoDisplay::~histoDisplay()
{
    killTimer(timerId);
    view->clear();
    // The bars belong to the view's scene.
    bars.clear();
}

void histoDisplay::setValues(const QVector<QVector<double>> &m, int rows, int cols)
{
    // An empty column is a result too (the degrees of the graph on 0 vertices): no bar, rather
    // than the bars of the graph before.
    if (cols == 1 && rows >= 0) {
        {
            QMutexLocker lock(&mutex);
            nbRows = qMin(rows, qMin(maxBars, m.size()));
            nbCols = 1;
            for (int i = 0; i < nbRows; ++i)
                M[i][0] = m[i].isEmpty() ? 0.0 : m[i][0];
        }
        blank = false;
        slot_apply();
        return;
    }
    if (QThread::currentThread() == thread()) {
        // On the GUI thread they go at once; the next tick shows the last good values again.
        for (RectItem *item : bars)
            item->hide();
        changed = true;
        return;
    }
    // Any other thread leaves the graphics items alone: the GUI thread's next tick hides them.
    blank = true;
    changed = true;
}

void histoDisplay::timerEvent(QTimerEvent *event)
{
    Q_UNUSED(event);
    // Cleared before drawing: a request that arrives meanwhile is kept for the next tick.
    if (!changed.exchange(false))
        return;
    if (blank.exchange(false)) {
        // A failed result: no bar this tick; the next one shows the last good column again.
        for (RectItem *bar : bars)
            bar->hide();
        changed = true;
        return;
    }
    {
        QMutexLocker lock(&mutex);
        const int n = nbRows;
        for (int i = 0; i < n; ++i) {
            const double v = M[i][0];
            RectItem *bar = bars[i];
            const QString tip = QStringLiteral("P") + QString::number(i) + QStringLiteral(" (") +
                                QString::number(v, 'g', 6) + QStringLiteral(")");
            if (std::isfinite(v) && v > 0.05) {
                bar->setPos(i * scalex, -(v * scaley));
                bar->setDim(scalex, v * scaley);
                bar->setToolTip(tip);
                bar->setColor(Qt::blue);
                bar->show();
            } else if (std::isfinite(v) && v < -0.05) {
                bar->setPos(i * scalex, 0);
                bar->setDim(scalex, -(v * scaley));
                bar->setToolTip(tip);
                bar->setColor(Qt::red);
                bar->show();
            } else {
                bar->hide();
            }
        }
        for (int i = n; i < maxBars; ++i)
            bars[i]->hide();
        for (RectItem *bar : bars)
            bar->update();
    }
}
