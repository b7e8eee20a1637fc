// MainWidget: building and owning the components, the hub's windows and main tabs, menus and keys.
#include "shell/MainWidget.h"

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/ConjectureWidget.h"
#include "analysts/FilterWidget.h"
#include "analysts/PlotWidget.h"
#include "dialogs/RunWindow.h"
#include "graph/Graph.h"
#include "graph/Node.h"
#include "help/Documentation.h"
#include "help/DownloadEngine.h"
#include "help/VersionChecker.h"
#include "optimisation/DataLoader.h"
#include "optimisation/VNSManager.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidgetControls.h"
#include "shell/PreferenceWindow.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTabWidget>
#include <QToolBox>

#include <iostream>

using namespace MainWidgetControls;

namespace
{
// Shows a hidden window, hides a shown one.
void toggle(QWidget *w)
{
    if (w)
        w->setVisible(!w->isVisible());
}
} // namespace

MainWidget::MainWidget(BuildCalculus *catalogue) : QWidget(nullptr), catalogue(catalogue)
{
    // The images are compiled into the static library, whose resources are registered by hand.
    Q_INIT_RESOURCE(images);
    waitWindow = new QWidget;
    auto *waitGrid = new QGridLayout;
    waitGrid->addWidget(new QLabel(tr("Please wait ... (re)building tsy database")), 0, 0);
    waitWindow->setLayout(waitGrid);
    waitWindow->hide();

    Node::initColors();

    analystG = new Analyst(nullptr);
    conjectureG = new ConjectureWidget(analystG);
    analystV = new Analyst(nullptr);
    conjectureV = new ConjectureWidget(analystV);
    graph = new Graph(QStringLiteral("graph"), true);
    graphBak = new Graph(QStringLiteral("Graph_bak"), true);
    problem = new Problem(graph, QStringLiteral("problem"), true);
    // Right clicks reach the hub, which pops up the menus the main window built.
    graph->setContextMenuPolicy(Qt::CustomContextMenu);
    problem->setContextMenuPolicy(Qt::CustomContextMenu);
    runWindow = new RunWindow(tr("Loading graphs..."));
    loader = new DataLoader(problem, graph, runWindow);
    filterV = new FilterWidget;
    filterG = new FilterWidget;
    analystWidgetG = new AnalystWidget(problem, graph, analystG, loader, filterG, false);
    analystWidgetV = new AnalystWidget(problem, graph, analystV, loader, filterV, true);
    vns = new VNSManager(problem, graph, analystWidgetG, analystWidgetV, loader);
    plotG = new PlotWidget;
    plotV = new PlotWidget;
    documentation = new Documentation(problem, catalogue, conjectureG, conjectureV);
    documentation->hide();
    countRun();

    nbThreads = 1;

    toolBox = new QToolBox(this);
    toolBox->setMinimumWidth(400);
    toolBox->setMaximumWidth(400);
    buildProblemPage();
    buildOptimizationPage();
    buildConstraintsPage();
    buildGraphPage();
    buildAnalystPage();
    buildNotebookPage();
    buildBackupWindow();
    buildInspectorWindow();

    buildAnalystTabs();
    console = new Console;
    buildMainTabs();
    preferences = new PreferenceWindow;
    preferences->hide();

    makeConnections();
    // The workers' own start value differs from the slider's; they take what the user sees.
    vns->slot_set_agressivity(control<QSlider>(QStringLiteral("agressivity"))->value());
    applySettingsAtStart();
}

MainWidget::~MainWidget()
{
    // Removing the board and the graph from the tabs below must not turn inspector pages that are
    // already gone.
    disconnect(mainTabs, nullptr, this, nullptr);
    // The separate windows drive the components: they go first, so none can act on a component
    // that is gone.
    delete inspectorWindow;
    delete backupWindow;
    delete documentation;
    delete versionChecker;
    delete preferences;
    delete waitWindow;
    stopAndWait();
    delete vns;
    delete loader;
    delete runWindow;
    delete problem;
    delete graph;
}

// ---- Windows -------------------------------------------------------------------------------------------

void MainWidget::buildBackupWindow()
{
    backupWindow = new QWidget;
    backupWindow->setWindowTitle(tr("Graph Backup"));
    auto *grid = new QGridLayout;
    auto *backup = button(tr("Backup"), QStringLiteral("backup"));
    auto *restore = button(tr("Restore"), QStringLiteral("restore"));
    auto *exchange = button(tr("Exchange"), QStringLiteral("exchange"));
    grid->addWidget(graphBak, 0, 0, 1, 3);
    grid->addWidget(backup, 1, 0);
    grid->addWidget(restore, 1, 1);
    grid->addWidget(exchange, 1, 2);
    backupWindow->setLayout(grid);
    backupWindow->hide();
    connect(backup, &QPushButton::clicked, this, &MainWidget::slot_backup_graph);
    connect(restore, &QPushButton::clicked, this, &MainWidget::slot_restore_graph);
    connect(exchange, &QPushButton::clicked, this, &MainWidget::slot_exchange_graph);
}

void MainWidget::buildInspectorWindow()
{
    inspectorWindow = new QWidget;
    inspectorWindow->setWindowTitle(tr("TSY-III Inspector"));
    inspectorWindow->setWindowIcon(QIcon(QStringLiteral(":/src/images/icon_tsy.png")));
    auto *grid = new QGridLayout;
    grid->addWidget(toolBox, 0, 0, 1, 1);
    inspectorWindow->setLayout(grid);
    inspectorWindow->hide();
}

void MainWidget::buildMainTabs()
{
    mainTabs = new QTabWidget;
    mainTabs->addTab(problem, tr("White board"));

    auto *graphTab = new QWidget;
    auto *graphGrid = new QGridLayout;
    graphGrid->addWidget(graph, 0, 0, 19, 7);
    graphTab->setLayout(graphGrid);
    mainTabs->addTab(graphTab, tr("Graph"));

    auto *gTab = new QWidget;
    auto *gGrid = new QGridLayout;
    gGrid->addWidget(analystTabsG, 0, 0);
    gTab->setLayout(gGrid);
    mainTabs->addTab(gTab, tr("Graph-Analyst"));

    auto *vTab = new QWidget;
    auto *vGrid = new QGridLayout;
    vGrid->addWidget(analystTabsV, 0, 0);
    vTab->setLayout(vGrid);
    mainTabs->addTab(vTab, tr("Vertex-Analyst"));

    mainTabs->addTab(console, tr("Console"));

    auto *grid = new QGridLayout;
    grid->addWidget(mainTabs, 0, 3, 6, 20);
    setLayout(grid);
}

// ---- Window slots ----------------------------------------------------------------------------------

void MainWidget::slot_show_inspector()
{
    toggle(inspectorWindow);
}

void MainWidget::slot_show_gbackup()
{
    toggle(backupWindow);
}

void MainWidget::slot_write_documentation()
{
    toggle(documentation);
}

void MainWidget::slot_new_version_available(QString version)
{
    if (noAskUpdate)
        return;
    DownloadEngine::offer(this, network, version);
}

void MainWidget::slot_preferences()
{
    if (preferences)
        preferences->show();
}

void MainWidget::slot_refresh()
{
    graph->best_backup();
    problem->best_backup();
    graph->update_display();
    problem->update_display();
}

void MainWidget::slot_print()
{
    switch (currentTab) {
    case TabBoard:
        emit signal_print_problem();
        break;
    case TabGraph:
        emit signal_print_graph();
        break;
    case TabGraphAnalyst:
        emit signal_print_plot();
        break;
    case TabVertexAnalyst:
        emit signal_print_vplot();
        break;
    case TabConsole:
        break;
    default:
        std::cerr << "ERROR in MainWidget::slot_print" << std::endl;
    }
}

// ---- Context menus -------------------------------------------------------------------------------------

void MainWidget::slot_problem_context_menu(QPoint p)
{
    const QPoint global = problem->mapToGlobal(p);
    boardMenuPoint = problem->mapToScene(p);
    if (problemMenu)
        problemMenu->popup(global);
}

void MainWidget::slot_problem_context_menu(QAction *a)
{
    if (!a)
        return;
    const QString text = a->text();
    if (text == QLatin1String("Load"))
        emit signal_open_problem();
    else if (text == QLatin1String("Save"))
        emit signal_save_problem();
    else if (text == QLatin1String("Print"))
        slot_print();
    else
        addComponent(text, &boardMenuPoint);
}

void MainWidget::slot_graph_context_menu(QPoint p)
{
    graphMenuPoint = graph->mapToScene(p);
    if (graphMenu)
        graphMenu->popup(graph->mapToGlobal(p));
}

void MainWidget::slot_graph_context_menu(QAction *a)
{
    if (!a)
        return;
    const QString text = a->text();
    if (text == QLatin1String("Place"))
        slot_place_graph();
    else if (text == QLatin1String("Load"))
        emit signal_open_graph();
    else if (text == QLatin1String("Save"))
        emit signal_save_graph();
    else if (text == QLatin1String("Print"))
        slot_print();
}

// ---- Graph backup window -------------------------------------------------------------------------------

void MainWidget::slot_backup_graph()
{
    graphBak->copy(graph);
    graphBak->best_backup();
    graphBak->update_display();
}

// Restore and exchange replace the working graph, so the board is evaluated on the graph it now
// shows, as after any other edit.
void MainWidget::slot_restore_graph()
{
    graph->copy(graphBak);
    graph->changeBest();
    graph->update_display();
}

void MainWidget::slot_exchange_graph()
{
    Graph *temp = graph->clone();
    graph->copy(graphBak);
    graph->changeBest();
    graph->update_display();
    graphBak->copy(temp);
    graphBak->best_backup();
    graphBak->update_display();
    delete temp;
}

// ---- Main tabs and keys ---------------------------------------------------------------------------------

void MainWidget::slot_tab_changed(int index)
{
    currentTab = index;
    switch (index) {
    case TabBoard:
        toolBox->setCurrentIndex(PageProblem);
        break;
    case TabGraph:
        toolBox->setCurrentIndex(PageGraph);
        break;
    case TabGraphAnalyst:
    case TabVertexAnalyst:
        toolBox->setCurrentIndex(PageAnalyst);
        break;
    case TabConsole:
        break;
    default:
        std::cerr << "ERROR in MainWidget::slot_tab_changed" << std::endl;
    }
}

void MainWidget::keyPressEvent(QKeyEvent *event)
{
    // The view's own handler is reached through QObject::event, which stays inside that widget:
    // an event the view ignores does not come back here. A view locked (disabled) by a run takes
    // no keys, so the lock keeps every editing key out; only H, which stops that run, is acted on
    // here in the view's place.
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                   event->count());
    switch (currentTab) {
    case TabBoard:
    case TabGraph: {
        QWidget *view = currentTab == TabBoard ? static_cast<QWidget *>(problem) : graph;
        if (view->isEnabled())
            static_cast<QObject *>(view)->event(&copy);
        else if (event->key() == Qt::Key_H)
            slot_halt();
        break;
    }
    case TabGraphAnalyst:
    case TabVertexAnalyst:
    case TabConsole:
        break;
    default:
        std::cerr << "ERROR in MainWidget::keyPressEvent" << std::endl;
    }
    event->accept();
}
