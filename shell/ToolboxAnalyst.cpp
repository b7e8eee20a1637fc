// MainWidget: the Analyst page of the inspector, whose buttons drive the two analysts' tables.
#include "shell/MainWidget.h"

#include "analysts/AnalystWidget.h"
#include "shell/MainWidgetControls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QToolBox>

using namespace MainWidgetControls;

void MainWidget::buildAnalystPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    AnalystWidget *g = analystWidgetG;
    AnalystWidget *v = analystWidgetV;

    auto *load = button(tr("Load"), QStringLiteral("loadData"));
    auto *g6 = new QRadioButton(tr("g6"));
    g6->setObjectName(QStringLiteral("typeG6"));
    g6->setChecked(true);
    auto *tsy = new QRadioButton(tr("tsy"));
    tsy->setObjectName(QStringLiteral("typeTsy"));
    auto *types = new QButtonGroup(page);
    types->addButton(g6);
    types->addButton(tsy);
    auto *filter = checkBox(tr("Filter"), QStringLiteral("filterMode"), true);
    grid->addWidget(load, 0, 0, 1, 2);
    grid->addWidget(g6, 0, 2);
    grid->addWidget(tsy, 0, 3);
    grid->addWidget(filter, 1, 0, 1, 2);
    connect(load, &QPushButton::clicked, g, &AnalystWidget::slot_load_data);
    connect(g6, &QRadioButton::clicked, g, &AnalystWidget::slot_set_type_g6);
    connect(tsy, &QRadioButton::clicked, g, &AnalystWidget::slot_set_type_tsy);
    connect(filter, &QCheckBox::clicked, g, &AnalystWidget::slot_set_filter_mode);
    connect(filter, &QCheckBox::clicked, v, &AnalystWidget::slot_set_filter_mode);

    // Buttons that drive the graph analyst, the vertex analyst, or both (the graph analyst first).
    struct Entry {
        const char *text;
        const char *name;
        int row, column, span;
        void (AnalystWidget::*slot)();
        bool onG, onV;
    };
    const Entry entries[] = {
        {"Update", "update", 1, 2, 2, &AnalystWidget::slot_update_table, true, true},
        {"Clear", "clear", 2, 0, 2, &AnalystWidget::slot_clear_only, true, true},
        {"Delete", "delete", 2, 2, 2, &AnalystWidget::slot_delete, true, true},
        {"Save data (G)", "saveDataG", 3, 0, 2, &AnalystWidget::slot_save_data, true, false},
        {"Save data (V)", "saveDataV", 3, 2, 2, &AnalystWidget::slot_save_data, false, true},
        {"Save graphs (G)", "saveGraphsG", 4, 0, 2, &AnalystWidget::slot_save_used_graphs, true, false},
        {"Save graphs (V)", "saveGraphsV", 4, 2, 2, &AnalystWidget::slot_save_used_graphs, false, true},
        {"Save all graphs", "saveAllGraphs", 5, 0, 4, &AnalystWidget::slot_save_graphs, true, false},
        {"Save graphs pdf (G)", "savePdfG", 6, 0, 2, &AnalystWidget::slot_save_used_graphs_pdf, true, false},
        {"Save graphs pdf (V)", "savePdfV", 6, 2, 2, &AnalystWidget::slot_save_used_graphs_pdf, false, true},
        {"Save all graphs pdf", "saveAllPdf", 7, 0, 4, &AnalystWidget::slot_save_graphs_pdf, true, false}};
    for (const Entry &e : entries) {
        auto *b = button(tr(e.text), QString::fromLatin1(e.name));
        grid->addWidget(b, e.row, e.column, 1, e.span);
        if (e.onG)
            connect(b, &QPushButton::clicked, g, e.slot);
        if (e.onV)
            connect(b, &QPushButton::clicked, v, e.slot);
    }
    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Analyst"));
}
