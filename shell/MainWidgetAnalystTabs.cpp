// MainWidget: the two analysts' main tabs (filter, table, X-Y plot, conjectures) and their plots.
#include "shell/MainWidget.h"

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/ConjectureWidget.h"
#include "analysts/FilterWidget.h"
#include "analysts/PlotWidget.h"
#include "problem/Problem.h"
#include "shell/MainWidgetControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QScrollArea>
#include <QTabWidget>

using namespace MainWidgetControls;

void MainWidget::buildAnalystTabs()
{
    auto build = [](const QString &name, FilterWidget *filter, AnalystWidget *table, XYControls &xy,
                    PlotWidget *plot, ConjectureWidget *conjectures) {
        auto *tabs = new QTabWidget;
        tabs->setObjectName(name);
        auto *filterArea = new QScrollArea;
        filterArea->setWidgetResizable(true);
        filterArea->setWidget(filter);
        tabs->addTab(filterArea, tr("Filter"));
        tabs->addTab(table, tr("Table view"));

        auto *xyPage = new QWidget;
        auto *grid = new QGridLayout;
        xy.radius = doubleBox(name + QStringLiteral("Radius"), 1.0, 100.0, 20.0);
        xy.xScale = doubleBox(name + QStringLiteral("XScale"), 0.1, 5000.0, 10.0);
        xy.yScale = doubleBox(name + QStringLiteral("YScale"), 0.1, 5000.0, 10.0);
        xy.x = new QComboBox;
        xy.x->setObjectName(name + QStringLiteral("X"));
        xy.x->addItem(QStringLiteral("NONE"));
        xy.y = new QComboBox;
        xy.y->setObjectName(name + QStringLiteral("Y"));
        xy.y->addItem(QStringLiteral("NONE"));
        grid->addWidget(xy.radius, 0, 0);
        grid->addWidget(xy.xScale, 0, 1);
        grid->addWidget(xy.x, 0, 2);
        grid->addWidget(xy.yScale, 0, 3);
        grid->addWidget(xy.y, 0, 4);
        plot->setMinimumHeight(400);
        grid->addWidget(plot, 1, 0, 1, 5);
        xyPage->setLayout(grid);
        auto *xyArea = new QScrollArea;
        xyArea->setWidgetResizable(true);
        xyArea->setWidget(xyPage);
        tabs->addTab(xyArea, tr("X-Y Settings"));
        tabs->addTab(conjectures, tr("Conjectures"));
        return tabs;
    };
    analystTabsG =
        build(QStringLiteral("graphAnalystTabs"), filterG, analystWidgetG, xyG, plotG, conjectureG);
    analystTabsV =
        build(QStringLiteral("vertexAnalystTabs"), filterV, analystWidgetV, xyV, plotV, conjectureV);

    // Connected after the combos hold their first entry, so building runs no update.
    auto wire = [this](QTabWidget *tabs, const XYControls &xy, void (MainWidget::*update)()) {
        connect(xy.radius, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, update);
        connect(xy.xScale, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, update);
        connect(xy.yScale, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, update);
        connect(xy.x, QOverload<int>::of(&QComboBox::currentIndexChanged), this, update);
        connect(xy.y, QOverload<int>::of(&QComboBox::currentIndexChanged), this, update);
        connect(tabs, &QTabWidget::currentChanged, this, update);
    };
    wire(analystTabsG, xyG, &MainWidget::slot_update_plot);
    wire(analystTabsV, xyV, &MainWidget::slot_update_vplot);
}

namespace
{
void refill(QComboBox *x, QComboBox *y, const QStringList &names)
{
    x->clear();
    y->clear();
    for (QComboBox *box : {x, y}) {
        box->addItem(QStringLiteral("NONE"));
        box->addItems(names);
    }
}
} // namespace

void MainWidget::slot_clear_plot()
{
    const QStringList names = analystG->getHeader();
    filterG->setVariables(names);
    xyG.x->clear();
    xyG.y->clear();
    conjectureG->setHeader(names);
    refill(xyG.x, xyG.y, names);
    plotG->clear();
}

void MainWidget::slot_clear_vplot()
{
    const QStringList names = problem->getReportNames(true);
    filterV->setVariables(names);
    analystV->setHeader(names);
    xyV.x->clear();
    xyV.y->clear();
    conjectureV->setHeader(names);
    refill(xyV.x, xyV.y, names);
    plotV->clear();
}

void MainWidget::slot_update_plot()
{
    plotG->fill(analystG, xyG.x->currentIndex() - 1, xyG.y->currentIndex() - 1, xyG.xScale->value(),
                xyG.yScale->value(), xyG.radius->value());
}

void MainWidget::slot_update_vplot()
{
    plotV->fill(analystV, xyV.x->currentIndex() - 1, xyV.y->currentIndex() - 1, xyV.xScale->value(),
                xyV.yScale->value(), xyV.radius->value());
}
