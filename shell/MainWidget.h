#pragma once

#include <QPointF>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QWidget>

class Analyst;
class AnalystWidget;
class BuildCalculus;
class ConjectureWidget;
class PlotWidget;
class Calculus;
class Console;
class DataLoader;
class Documentation;
class QNetworkAccessManager;
class VersionChecker;
class FilterWidget;
class Graph;
class PreferenceWindow;
class Problem;
class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QToolBox;
class QTreeWidget;
class QTreeWidgetItem;
class RunWindow;
class VNSManager;

// The hub: the central widget of the main window and the owner of every working component (the
// board, the working and backup graphs, the search manager, the graph loader, the console, the
// inspector window with its pages, the graph backup window, the preference window). It builds
// them, wires them to one another, keeps the few persistent settings, saves the problem and the
// graph every minute and at quit, and reloads them at start when the user asked for it.
//
// Everything here runs on the GUI thread; the search and the loader report back through queued
// signals.
class MainWidget : public QWidget
{
    Q_OBJECT

public:
    // Main tab indices and inspector page indices.
    enum MainTab { TabBoard = 0, TabGraph, TabGraphAnalyst, TabVertexAnalyst, TabConsole };
    enum InspectorPage {
        PageProblem = 0,
        PageOptimization,
        PageConstraints,
        PageGraph,
        PageAnalyst,
        PageNotebook
    };

    explicit MainWidget(BuildCalculus *catalogue);
    // Stops a search still running and waits for it before the components go.
    ~MainWidget() override;

    void setProblemContextMenu(QMenu *menu) { problemMenu = menu; }
    void setGraphContextMenu(QMenu *menu) { graphMenu = menu; }

    // Components, for the main window and for tests.
    Problem *getProblem() const { return problem; }
    Graph *getGraph() const { return graph; }
    Graph *getBackupGraph() const { return graphBak; }
    VNSManager *getManager() const { return vns; }
    DataLoader *getLoader() const { return loader; }
    AnalystWidget *getGraphAnalyst() const { return analystWidgetG; }
    AnalystWidget *getVertexAnalyst() const { return analystWidgetV; }
    PlotWidget *getGraphPlot() const { return plotG; }
    PlotWidget *getVertexPlot() const { return plotV; }
    ConjectureWidget *getGraphConjectures() const { return conjectureG; }
    ConjectureWidget *getVertexConjectures() const { return conjectureV; }
    RunWindow *getRunWindow() const { return runWindow; }
    Console *getConsole() const { return console; }
    PreferenceWindow *getPreferences() const { return preferences; }
    QWidget *getInspectorWindow() const { return inspectorWindow; }
    QToolBox *getToolBox() const { return toolBox; }
    QWidget *getWaitWindow() const { return waitWindow; }
    QWidget *getBackupWindow() const { return backupWindow; }
    Documentation *getDocumentation() const { return documentation; }
    QTabWidget *getMainTabs() const { return mainTabs; }
    QTabWidget *getGraphAnalystTabs() const { return analystTabsG; }
    QTabWidget *getVertexAnalystTabs() const { return analystTabsV; }
    QTreeWidget *getComponentTree() const { return tree; }
    int currentMainTab() const { return currentTab; }
    int layoutDimension() const { return mdsDim; }
    int runCounter() const { return runs; }
    bool reloadFlag() const { return reload; }
    bool isQuitting() const { return quitting; }
    bool doNotAskUpdate() const { return noAskUpdate; }
    QString workingDirectory() const { return wd; }
    // Every named control of the inspector pages, found by object name (see the Toolbox*.cpp files).
    template <class T> T *control(const QString &objectName) const
    {
        return inspectorWindow->findChild<T *>(objectName);
    }

public slots:
    void slot_open_problem() { emit signal_open_problem(); }
    void slot_save_problem() { emit signal_save_problem(); }
    void slot_open_graph() { emit signal_open_graph(); }
    void slot_save_graph() { emit signal_save_graph(); }
    void slot_run() { emit signal_run(); }
    void slot_halt() { emit signal_halt(); }
    void slot_optimization_starts() { emit signal_opt_running(true); }
    void slot_optimization_complete() { emit signal_opt_running(false); }
    void slot_show_inspector();
    void slot_show_gbackup();
    void slot_preferences();
    void slot_write_documentation();
    // Offers the download of a newer version, unless the user asked not to be asked.
    void slot_new_version_available(QString version);
    void slot_refresh();
    void slot_print();

    // Problem page and the context menus.
    void slot_item_clicked(QTreeWidgetItem *item, int column);
    void slot_problem_context_menu(QPoint p);
    void slot_problem_context_menu(QAction *a);
    void slot_graph_context_menu(QPoint p);
    void slot_graph_context_menu(QAction *a);

    // Optimization parameters page.
    void slot_set_sb_p1_min(int v);
    void slot_set_sb_p1_max(int v);

    // Constraints page interlocks.
    void slot_set_nbnod(int n);
    void setFixNbArcs(bool b);
    void setRegular(bool b);
    void slot_set_regular_degree(int r);
    void setDegmax(bool b);
    void setDiameter(bool b);
    void setChemical(bool b);
    void slot_set_degmax(int d);
    void slot_set_diameter(int d);

    // Graph page, Notebook page and graph backup window.
    void slot_place_graph();
    void slot_set_mds3d(bool b) { mdsDim = 2 | int(b); }
    void slot_shuffle();
    void slot_set_edge_width(int w);
    void slot_backup_graph();
    void slot_restore_graph();
    void slot_exchange_graph();
    void slot_set_problem_title(QString t);
    void slot_set_problem_description(QString t);
    void slot_problem_description_changed();

    // Main tabs, analysts.
    void slot_tab_changed(int index);
    // Puts the working graph into the graph analyst, in place of its current row when the user
    // agrees.
    void slot_save_graph_analyst();
    // New column lists for the graph analyst's and the vertex analyst's filter (and plot).
    void slot_clear_plot();
    void slot_clear_vplot();
    // Rebuild the graph analyst's (vertex analyst's) plot from its X-Y settings.
    void slot_update_plot();
    void slot_update_vplot();

    // Settings, autosave and quit.
    void slot_set_reload(bool b);
    void slot_set_ask_update(bool b);
    void slot_set_tsy_wd();
    // Halts the search, waits for its threads, saves, then emits signal_quit(). When a file
    // cannot be saved the user is asked whether to quit anyway; No keeps the program running.
    void slot_quit();
    // The autosave proper: settings keys and the two autosave files. Returns the files that
    // could not be written, one "cannot write file: reason" line each.
    QStringList autosave();

signals:
    void signal_open_problem();
    void signal_save_problem();
    void signal_open_graph();
    void signal_save_graph();
    void signal_print_graph();
    void signal_print_problem();
    void signal_print_plot();
    void signal_print_vplot();
    void signal_quit();
    void signal_run();
    void signal_halt();
    void signal_reload(bool);
    void signal_opt_running(bool);

protected:
    void timerEvent(QTimerEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The inspector pages, each built (and its controls wired) in its own file, Toolbox*.cpp.
    void buildProblemPage();
    void buildOptimizationPage();
    void buildConstraintsPage();
    void buildGraphPage();
    void buildAnalystPage();
    void buildNotebookPage();
    // The hub's other windows and its main tabs.
    void buildBackupWindow();
    void buildInspectorWindow();
    void buildAnalystTabs();
    void buildMainTabs();
    // The wiring, grouped by the component whose signals are connected; makeConnections calls
    // the groups in an order that keeps every signal's slots in their order.
    void makeConnections();
    void connectSearch();
    void connectHub();
    void connectBoard();
    void connectGraph();
    void connectAnalysts();
    void connectLoader();
    void connectWindows();
    void connectProblemPage();
    void connectOptimizationPage();
    void connectConstraintsPage();
    void connectNotebookPage();
    // Reads, checks, increments and stores the number of runs.
    void countRun();
    void applySettingsAtStart();
    void reloadLastSession();
    void handWorkingDirectory();
    // A yes/no setting; absent is no, a damaged value is noted, reset and taken as no.
    bool readFlag(const QString &key);
    // Puts a new item on the board by its category; false (item deleted) for category 0.
    bool addItemByCategory(Calculus *item, int category);
    void addComponent(const QString &keyword, const QPointF *at);
    // Halts a running search and waits for its threads (and the loader's) to end, keeping the
    // window responsive to repaints but not to user input.
    void stopAndWait();

    QPointF boardMenuPoint;
    QPointF graphMenuPoint;
    QSettings settings;
    QString wd;
    QWidget *waitWindow = nullptr;
    QWidget *inspectorWindow = nullptr;
    int currentTab = 0;
    BuildCalculus *catalogue;
    // The X-Y settings of one analyst's plot.
    struct XYControls {
        QDoubleSpinBox *radius = nullptr;
        QDoubleSpinBox *xScale = nullptr;
        QDoubleSpinBox *yScale = nullptr;
        QComboBox *x = nullptr;
        QComboBox *y = nullptr;
    };

    Analyst *analystG = nullptr;
    ConjectureWidget *conjectureG = nullptr;
    Analyst *analystV = nullptr;
    ConjectureWidget *conjectureV = nullptr;
    Graph *graph = nullptr;
    Graph *graphBak = nullptr;
    Problem *problem = nullptr;
    RunWindow *runWindow = nullptr;
    DataLoader *loader = nullptr;
    FilterWidget *filterV = nullptr;
    FilterWidget *filterG = nullptr;
    AnalystWidget *analystWidgetG = nullptr;
    AnalystWidget *analystWidgetV = nullptr;
    VNSManager *vns = nullptr;
    Documentation *documentation = nullptr;
    PlotWidget *plotG = nullptr;
    PlotWidget *plotV = nullptr;
    XYControls xyG;
    XYControls xyV;
    QMenu *graphMenu = nullptr;
    QMenu *problemMenu = nullptr;
    int mdsDim = 2;
    int runs = 0;
    int nbThreads = 1;

    QToolBox *toolBox = nullptr;
    QTreeWidget *tree = nullptr;

    QCheckBox *useP1 = nullptr;
    QCheckBox *useP2 = nullptr;
    QSpinBox *p1Min = nullptr;
    QSpinBox *p1Max = nullptr;

    QCheckBox *connectedBox = nullptr;
    QCheckBox *chemicalBox = nullptr;
    QSpinBox *orderBox = nullptr;
    QCheckBox *p1Box = nullptr;
    QCheckBox *sizeFixBox = nullptr;
    QSpinBox *sizeBox = nullptr;
    QCheckBox *p2Box = nullptr;
    QCheckBox *regularBox = nullptr;
    QSpinBox *degreeBox = nullptr;
    QCheckBox *degmaxBox = nullptr;
    QComboBox *degmaxRelation = nullptr;
    QSpinBox *degmaxValue = nullptr;
    QCheckBox *diameterBox = nullptr;
    QComboBox *diameterRelation = nullptr;
    QSpinBox *diameterValue = nullptr;

    QDoubleSpinBox *positionBox = nullptr;
    QLineEdit *titleLine = nullptr;
    QTextEdit *commentsBox = nullptr;
    QWidget *backupWindow = nullptr;

    QTabWidget *analystTabsG = nullptr;
    QTabWidget *analystTabsV = nullptr;
    Console *console = nullptr;
    QTabWidget *mainTabs = nullptr;
    PreferenceWindow *preferences = nullptr;

    // Shared by the update check and the downloads, which may outlive the hub: never deleted.
    QNetworkAccessManager *network = nullptr;
    VersionChecker *versionChecker = nullptr;
    int autosaveTimer = 0;
    bool reload = false;
    bool noAskUpdate = false;
    bool quitting = false;
    QStringList damagedSettings;
};
