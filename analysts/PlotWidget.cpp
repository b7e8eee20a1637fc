#include "analysts/PlotWidget.h"

#include "analysts/Analyst.h"
#include "analysts/PlotItem.h"
#include "analysts/PlotView.h"

#include <QGridLayout>

#include <cmath>

PlotWidget::PlotWidget(QWidget *parent) : QWidget(parent)
{
    view = new PlotView(this);
    auto *layout = new QGridLayout(this);
    layout->addWidget(view, 0, 0);
}

void PlotWidget::clear()
{
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
    clear();
    if (!analyst || xColumn < 0 || yColumn < 0)
        return;
    QVector<PlotItem *> points;
    const int n = analyst->nbGraphs();
    points.reserve(n);
    for (int r = 0; r < n; ++r) {
        const double x = analyst->value(r, xColumn);
        const double y = analyst->value(r, yColumn);
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        const QString tip = QStringLiteral("(") + QString::number(x, 'g', 6) + QStringLiteral(" , ") +
                            QString::number(y, 'g', 6) + QStringLiteral(")");
        // The number is the row's graph: what the analyst's load and highlight signals carry.
        auto *point =
            new PlotItem(x * xScale, -y * yScale, analyst, nullptr, analyst->vertex(r), tip, radius);
        point->setPosition(x * xScale, y * yScale, 0);
        points.append(point);
    }
    view->addItems(points);
    items = points;
}

bool PlotWidget::printToFile(const QString &fileName)
{
    return view->printToFile(fileName);
}

void PlotWidget::slot_hilight(int n)
{
    for (PlotItem *item : items) {
        const bool on = item->getNumber() == n;
        const double z = on ? 10 : 0;
        // Most points keep their state: only the changed ones are restacked and repainted.
        if (item->isHilight() == on && item->zValue() == z)
            continue;
        item->setHilight(on);
        item->setZValue(z);
        item->update();
    }
}

void PlotWidget::slot_print()
{
    view->print();
}
