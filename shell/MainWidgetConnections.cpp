// MainWidget: the wiring of the components, grouped by the component whose signals are connected.
#include "shell/MainWidget.h"

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/PlotWidget.h"
#include "dialogs/RunWindow.h"
#include "graph/Graph.h"
#include "optimisation/DataLoader.h"
#include "optimisation/VNSManager.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/PreferenceWindow.h"

#include <QTabWidget>

// Qt calls the slots connected to one signal in the order they were connected: the connections to
// any one signal sit in one group, in their order, and the groups are called in this order.
// The inspector pages' controls are wired in their pages' files (Toolbox*.cpp).
void MainWidget::makeConnections()
{
    connectSearch();
    connectHub();
    connectBoard();
    connectGraph();
    connectAnalysts();
    connectLoader();
    connectWindows();
    connectProblemPage();
    connectOptimizationPage();
    connectConstraintsPage();
    connectNotebookPage();
}

// Search manager.
void MainWidget::connectSearch()
{
    connect(vns, &VNSManager::signal_please_wait, waitWindow, &QWidget::setVisible);
    // The graphs found are handed to the loader's buffer; both analysts then take them over.
    for (AnalystWidget *a : {analystWidgetG, analystWidgetV})
        connect(vns, &VNSManager::signal_graphs_ready, a, &AnalystWidget::slot_data_loaded,
                Qt::UniqueConnection);
    connect(vns, &VNSManager::signal_new_solution, problem, &Problem::slot_refresh);
    connect(vns, QOverload<QString, bool, int, QColor, int>::of(&VNSManager::signal_console), console,
            QOverload<QString, bool, int, QColor, int>::of(&Console::append));
    connect(vns, QOverload<QString, bool, int, QColor>::of(&VNSManager::signal_console), console,
            QOverload<QString, bool, int, QColor>::of(&Console::append));
    connect(vns, &VNSManager::signal_optimization_complete, this, &MainWidget::slot_optimization_complete);
    connect(vns, &VNSManager::signal_optimization_starts, this, &MainWidget::slot_optimization_starts);
}

// Hub.
void MainWidget::connectHub()
{
    connect(this, &MainWidget::signal_opt_running, inspectorWindow, &QWidget::setDisabled);
    connect(this, &MainWidget::signal_opt_running, problem, &QWidget::setDisabled);
    connect(this, &MainWidget::signal_opt_running, graph, &QWidget::setDisabled);
    connect(this, &MainWidget::signal_opt_running, analystTabsV, &QWidget::setDisabled);
    connect(this, &MainWidget::signal_opt_running, analystTabsG, &QWidget::setDisabled);
    connect(this, &MainWidget::signal_reload, preferences, &PreferenceWindow::slot_reload);
    connect(this, &MainWidget::signal_save_problem, problem, &Problem::slot_save);
    connect(this, &MainWidget::signal_open_problem, problem, &Problem::slot_open);
    connect(this, &MainWidget::signal_run, vns, &VNSManager::slot_startVNS);
    connect(this, &MainWidget::signal_print_problem, problem, &Problem::slot_print);
    connect(this, &MainWidget::signal_save_graph, graph, &Graph::slot_save_graph);
    connect(this, &MainWidget::signal_open_graph, graph, &Graph::slot_load_graph);
    connect(this, &MainWidget::signal_print_graph, graph, &Graph::slot_print);
    connect(this, &MainWidget::signal_print_plot, plotG, &PlotWidget::slot_print);
    connect(this, &MainWidget::signal_print_vplot, plotV, &PlotWidget::slot_print);
    // Halt also stops an analyst update in progress.
    connect(this, &MainWidget::signal_halt, analystWidgetG, &AnalystWidget::slot_halt);
    connect(this, &MainWidget::signal_halt, analystWidgetV, &AnalystWidget::slot_halt);
    connect(this, &MainWidget::signal_halt, vns, &VNSManager::slot_stopVNS);
}

// Board.
void MainWidget::connectBoard()
{
    connect(problem, &QWidget::customContextMenuRequested, this,
            QOverload<QPoint>::of(&MainWidget::slot_problem_context_menu));
    connect(problem, &Problem::signal_problem_description, this, &MainWidget::slot_set_problem_description);
    connect(problem, &Problem::signal_problem_title, this, &MainWidget::slot_set_problem_title);
    connect(problem, &Problem::signal_console, console,
            QOverload<QString, bool, int, QColor>::of(&Console::append));
    connect(problem, &Problem::signal_start_vns, vns, &VNSManager::slot_startVNS);
    connect(problem, &Problem::signal_stop_vns, this, &MainWidget::slot_halt);
}

// Working graph.
void MainWidget::connectGraph()
{
    connect(graph, &QWidget::customContextMenuRequested, this,
            QOverload<QPoint>::of(&MainWidget::slot_graph_context_menu));
    connect(graph, &Graph::signal_console, console,
            QOverload<QString, bool, int, QColor>::of(&Console::append));
    connect(graph, &Graph::signal_best_graph_changed, problem, &Problem::slot_best_backup);
    connect(graph, &Graph::signal_start_vns, vns, &VNSManager::slot_startVNS);
    connect(graph, &Graph::signal_stop_vns, this, &MainWidget::slot_halt);
    connect(graph, &Graph::signal_place_graph, this, &MainWidget::slot_place_graph);
    connect(graph, &Graph::signal_load_next, analystWidgetG, &AnalystWidget::slot_next_graph);
}

// Analysts: a chosen row becomes the working graph, always through the graph analyst's list,
// and is marked in both plots and in its table.
void MainWidget::connectAnalysts()
{
    connect(analystG, &Analyst::signal_load_graph, analystWidgetG, &AnalystWidget::slot_load_graph);
    connect(analystG, &Analyst::signal_load_graph, plotG, &PlotWidget::slot_hilight);
    connect(analystG, &Analyst::signal_load_graph, plotV, &PlotWidget::slot_hilight);
    connect(analystG, &Analyst::signal_load_graph, analystG, &Analyst::slot_hilight);
    connect(analystV, &Analyst::signal_load_graph, analystWidgetG, &AnalystWidget::slot_load_graph);
    connect(analystV, &Analyst::signal_load_graph, plotV, &PlotWidget::slot_hilight);
    connect(analystV, &Analyst::signal_load_graph, plotG, &PlotWidget::slot_hilight);
    connect(analystV, &Analyst::signal_load_graph, analystV, &Analyst::slot_hilight);
    connect(analystWidgetG, &AnalystWidget::signal_data_loaded, this, &MainWidget::slot_clear_plot);
    connect(analystWidgetG, &AnalystWidget::signal_data_loaded, this, &MainWidget::slot_clear_vplot);
    connect(analystWidgetG, &AnalystWidget::signal_console, console,
            QOverload<QString, bool, int, QColor>::of(&Console::append));
    connect(analystWidgetG, &AnalystWidget::signal_place_graph, this, &MainWidget::slot_place_graph);
    connect(analystWidgetV, &AnalystWidget::signal_console, console,
            QOverload<QString, bool, int, QColor>::of(&Console::append));
    connect(analystWidgetV, &AnalystWidget::signal_place_graph, this, &MainWidget::slot_place_graph);
}

// Graph loader and its progress window.
void MainWidget::connectLoader()
{
    connect(loader, &DataLoader::signal_start, runWindow, &RunWindow::slot_start);
    connect(loader, &DataLoader::signal_total_elements, runWindow, &RunWindow::slot_set_max);
    connect(loader, &DataLoader::signal_elements_read, runWindow, &RunWindow::slot_set_value);
    connect(loader, &DataLoader::signal_load_complete, runWindow, &RunWindow::slot_cancel);
}

// Preferences and the main tabs.
void MainWidget::connectWindows()
{
    connect(preferences, &PreferenceWindow::signal_change_wd, this, &MainWidget::slot_set_tsy_wd);
    connect(preferences, &PreferenceWindow::signal_set_ask_update, this, &MainWidget::slot_set_ask_update);
    connect(preferences, &PreferenceWindow::signal_set_reload, this, &MainWidget::slot_set_reload);
    connect(mainTabs, &QTabWidget::currentChanged, this, &MainWidget::slot_tab_changed);
}
