#include "shell/MainWidget.h"

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/ConjectureWidget.h"
#include "analysts/FilterWidget.h"
#include "analysts/PlotWidget.h"
#include "dialogs/Prompt.h"
#include "dialogs/RunWindow.h"
#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/MDS.h"
#include "graph/Node.h"
#include "graph/ShuffleCheck.h"
#include "help/Documentation.h"
#include "help/DownloadEngine.h"
#include "help/VersionChecker.h"
#include "optimisation/DataLoader.h"
#include "optimisation/VNSManager.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/PreferenceWindow.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTimerEvent>
#include <QToolBox>
#include <QTreeWidget>

#include <iostream>
#include <limits>

namespace
{
QCheckBox *checkBox(const QString &text, const QString &objectName, bool checked)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(objectName);
    box->setChecked(checked);
    return box;
}

QSpinBox *spinBox(const QString &objectName, int min, int max, int value)
{
    auto *box = new QSpinBox;
    box->setObjectName(objectName);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

QDoubleSpinBox *doubleBox(const QString &objectName, double min, double max, double value)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(objectName);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

QComboBox *relationBox(const QString &objectName)
{
    auto *box = new QComboBox;
    box->setObjectName(objectName);
    box->addItems({QStringLiteral("<="), QStringLiteral("=="), QStringLiteral(">=")});
    return box;
}

QPushButton *button(const QString &text, const QString &objectName)
{
    auto *b = new QPushButton(text);
    b->setObjectName(objectName);
    return b;
}

// The integer half of a non-negative product, truncated.
int halfOf(int a, int b)
{
    return static_cast<int>((qint64(a) * b) / 2);
}

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
    // Read wide: QVariant::toInt() wraps a value beyond int instead of failing. A count that is
    // negative, not a number or too large to be counted on is damage, reset to a fresh start.
    bool numeric = false;
    const qlonglong storedRuns =
        settings.value(QStringLiteral("runs"), 0).toString().trimmed().toLongLong(&numeric);
    if (!numeric || storedRuns < 0 || storedRuns >= std::numeric_limits<int>::max()) {
        damagedSettings << QStringLiteral("runs");
        runs = 0;
    } else {
        runs = int(storedRuns);
    }
    ++runs;
    settings.setValue(QStringLiteral("runs"), runs);

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

// ---- Inspector pages -------------------------------------------------------------------------------

void MainWidget::buildProblemPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;

    tree = new QTreeWidget;
    tree->setObjectName(QStringLiteral("components"));
    tree->setColumnCount(1);
    tree->setHeaderLabel(tr("Problem components"));
    auto addLeaves = [this](QTreeWidgetItem *parent, const QStringList &keywords) {
        for (const QString &k : keywords) {
            auto *leaf = new QTreeWidgetItem(parent, QStringList(k));
            leaf->setToolTip(0, catalogue->toolTip(k));
        }
    };
    auto *invariants = new QTreeWidgetItem(tree, QStringList(tr("Invariants")));
    addLeaves(new QTreeWidgetItem(invariants, QStringList(tr("Value"))), catalogue->invariantsVal);
    addLeaves(new QTreeWidgetItem(invariants, QStringList(tr("Vector"))), catalogue->invariantsVec);
    addLeaves(new QTreeWidgetItem(invariants, QStringList(tr("Matrix"))), catalogue->invariantsMat);
    addLeaves(new QTreeWidgetItem(invariants, QStringList(tr("Custom"))), catalogue->parameters);
    addLeaves(new QTreeWidgetItem(tree, QStringList(tr("Family"))), catalogue->invariantsFam);
    addLeaves(new QTreeWidgetItem(tree, QStringList(tr("Operators"))), catalogue->operators);
    addLeaves(new QTreeWidgetItem(tree, QStringList(tr("Constraints"))), catalogue->constraints);
    auto *objective = new QTreeWidgetItem(tree, QStringList(QStringLiteral("OBJECTIVE")));
    objective->setToolTip(0, tr("Objective function"));
    grid->addWidget(tree, 0, 0, 12, 4);

    auto *load = button(tr("Load"), QStringLiteral("loadProblem"));
    load->setToolTip(tr("Load problem"));
    auto *save = button(tr("Save"), QStringLiteral("saveProblem"));
    save->setToolTip(tr("Save problem"));
    auto *refresh = button(tr("Refr."), QStringLiteral("refresh"));
    refresh->setToolTip(tr("Refresh"));
    auto *del = button(tr("del"), QStringLiteral("deleteItems"));
    grid->addWidget(load, 13, 0);
    grid->addWidget(save, 13, 1);
    grid->addWidget(refresh, 13, 2);
    grid->addWidget(del, 13, 3);
    connect(load, &QPushButton::clicked, problem, &Problem::slot_open);
    connect(save, &QPushButton::clicked, problem, &Problem::slot_save);
    connect(refresh, &QPushButton::clicked, this, &MainWidget::slot_refresh);
    connect(del, &QPushButton::clicked, problem, &Problem::slot_delete_items);

    // The argument buttons answer the keys 1 to 4 while the inspector is the active window.
    void (Problem::*links[4])() = {&Problem::slot_link1, &Problem::slot_link2, &Problem::slot_link3,
                                   &Problem::slot_link4};
    for (int k = 0; k < 4; ++k) {
        auto *arg = button(QStringLiteral("arg%1").arg(k + 1), QStringLiteral("arg%1").arg(k + 1));
        arg->setShortcut(QKeySequence(QString::number(k + 1)));
        grid->addWidget(arg, 14, k);
        connect(arg, &QPushButton::clicked, problem, links[k]);
    }
    const std::pair<QString, void (Problem::*)()> arrange[4] = {{tr("Align X"), &Problem::slot_alignX},
                                                                {tr("Align Y"), &Problem::slot_alignY},
                                                                {tr("Space X"), &Problem::slot_spaceX},
                                                                {tr("Space Y"), &Problem::slot_spaceY}};
    for (int k = 0; k < 4; ++k) {
        auto *b = button(arrange[k].first, arrange[k].first);
        grid->addWidget(b, 15, k);
        connect(b, &QPushButton::clicked, problem, arrange[k].second);
    }

    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Problem"));
}

void MainWidget::buildOptimizationPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    const Qt::Alignment left = Qt::AlignLeft;

    auto *threads = spinBox(QStringLiteral("threads"), 1, 4, nbThreads);
    auto *time = spinBox(QStringLiteral("time"), 0, 86400, 600);
    auto *evals = spinBox(QStringLiteral("evaluations"), 0, 10000000, 0);
    auto *saveGraphs = checkBox(tr("Save graphs"), QStringLiteral("saveGraphs"), true);
    useP1 = checkBox(tr("Use p1"), QStringLiteral("useP1"), false);
    useP2 = checkBox(tr("Use p2"), QStringLiteral("useP2"), false);
    useP2->setEnabled(false);
    p1Min = spinBox(QStringLiteral("p1Min"), 0, 10, 10);
    p1Min->setEnabled(false);
    p1Max = spinBox(QStringLiteral("p1Max"), 10, 1000, 10);
    p1Max->setEnabled(false);
    const char *p2Names[6] = {"p2MinSq", "p2MinLin", "p2MinCst", "p2MaxSq", "p2MaxLin", "p2MaxCst"};
    QDoubleSpinBox *p2[6];
    for (int k = 0; k < 6; ++k)
        p2[k] = doubleBox(QString::fromLatin1(p2Names[k]), -1e12, 1e12, 0.0);
    auto *slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QStringLiteral("agressivity"));
    slider->setRange(1, 100);
    slider->setValue(60);
    auto *c6 = checkBox(tr("C6 regular"), QStringLiteral("c6Regular"), false);
    auto *resetStats = checkBox(tr("Reset stats"), QStringLiteral("resetStats"), true);
    auto *random = checkBox(tr("Random graph"), QStringLiteral("randomGraph"), false);
    auto *family = checkBox(tr("Family opt."), QStringLiteral("familyOpt"), true);
    auto *amnesy = checkBox(tr("Amnesy mode"), QStringLiteral("amnesyMode"), true);

    grid->addWidget(new QLabel(tr("Number of threads ")), 1, 0, 1, 2);
    grid->addWidget(threads, 1, 2, 1, 1);
    grid->addWidget(new QLabel(tr("Optimization time (sec 0:infty) ")), 2, 0, 1, 2);
    grid->addWidget(time, 2, 2, 1, 1);
    grid->addWidget(new QLabel(tr("Max evaluations (0:infty) ")), 3, 0, 1, 2);
    grid->addWidget(evals, 3, 2, 1, 1);
    grid->addWidget(saveGraphs, 4, 0, 1, 1);
    grid->addWidget(useP1, 5, 0, 1, 2, left);
    grid->addWidget(useP2, 5, 2, 1, 2, left);
    grid->addWidget(p1Min, 6, 0, 1, 1, left);
    grid->addWidget(new QLabel(tr("<= p1 <=")), 6, 1, 1, 1, left);
    grid->addWidget(p1Max, 6, 2, 1, 1, left);
    grid->addWidget(new QLabel(tr("Min p2=")), 7, 0, 1, 1);
    grid->addWidget(new QLabel(tr("Max p2=")), 11, 0, 1, 1);
    for (int k = 0; k < 6; ++k) {
        const int row = (k < 3 ? 8 : 12) + k % 3;
        grid->addWidget(p2[k], row, 0, 1, 2);
        if (k % 3 == 0)
            grid->addWidget(new QLabel(tr("p1^2 +")), row, 2, 1, 1);
        else if (k % 3 == 1)
            grid->addWidget(new QLabel(tr("p1 +")), row, 2, 1, 1);
    }
    grid->addWidget(new QLabel(tr("Agressivity")), 15, 0, 1, 2);
    grid->addWidget(slider, 16, 0, 1, 3);
    grid->addWidget(c6, 17, 0, 1, 1);
    grid->addWidget(resetStats, 17, 2, 1, 1);
    grid->addWidget(random, 18, 0, 1, 1);
    grid->addWidget(family, 18, 1, 1, 1);
    grid->addWidget(amnesy, 18, 2, 1, 1);
    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Optimization parameters"));
}

void MainWidget::buildConstraintsPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    const Qt::Alignment left = Qt::AlignLeft;

    connectedBox = checkBox(tr("Connected"), QStringLiteral("connected"), true);
    auto *complementBox = checkBox(tr("ConnectedBar"), QStringLiteral("connectedBar"), false);
    complementBox->setToolTip(tr("Should the complement of the graph be connected?"));
    chemicalBox = checkBox(tr("Chemical"), QStringLiteral("chemical"), false);
    orderBox = spinBox(QStringLiteral("order"), 5, 32, 10);
    p1Box = checkBox(tr("P1"), QStringLiteral("p1"), false);
    p1Box->setEnabled(false);
    sizeFixBox = checkBox(tr("SIZE ="), QStringLiteral("sizeFix"), false);
    sizeBox = spinBox(QStringLiteral("size"), 9, 45, 10);
    sizeBox->setEnabled(false);
    p2Box = checkBox(tr("P2"), QStringLiteral("p2"), false);
    p2Box->setEnabled(false);
    regularBox = checkBox(tr("Regular"), QStringLiteral("regular"), false);
    degreeBox = new QSpinBox;
    degreeBox->setObjectName(QStringLiteral("degree"));
    degreeBox->setValue(4);
    degreeBox->setRange(2, graph->getNbNodes() - 1);
    degreeBox->setEnabled(false);
    degmaxBox = checkBox(tr("DEGMAX"), QStringLiteral("degmax"), false);
    degmaxRelation = relationBox(QStringLiteral("degmaxRelation"));
    degmaxRelation->setEnabled(false);
    degmaxValue = spinBox(QStringLiteral("degmaxValue"), 1, 9, 9);
    degmaxValue->setEnabled(false);
    diameterBox = checkBox(tr("DIAMETER"), QStringLiteral("diameter"), false);
    diameterRelation = relationBox(QStringLiteral("diameterRelation"));
    diameterRelation->setEnabled(false);
    diameterValue = spinBox(QStringLiteral("diameterValue"), 1, 9, 9);
    diameterValue->setEnabled(false);

    grid->addWidget(connectedBox, 0, 0, left);
    grid->addWidget(complementBox, 0, 1, left);
    grid->addWidget(chemicalBox, 0, 2, left);
    grid->addWidget(new QLabel(tr("ORDER =   ")), 1, 0);
    grid->addWidget(orderBox, 1, 1, left);
    grid->addWidget(p1Box, 1, 2, left);
    grid->addWidget(sizeFixBox, 2, 0);
    grid->addWidget(sizeBox, 2, 1, left);
    grid->addWidget(p2Box, 2, 2, left);
    grid->addWidget(regularBox, 3, 0, left);
    grid->addWidget(degreeBox, 3, 1, left);
    grid->addWidget(degmaxBox, 4, 0);
    grid->addWidget(degmaxRelation, 4, 1, left);
    grid->addWidget(degmaxValue, 4, 2);
    grid->addWidget(diameterBox, 5, 0);
    grid->addWidget(diameterRelation, 5, 1, left);
    grid->addWidget(diameterValue, 5, 2);
    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Constraints"));
}

void MainWidget::buildGraphPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;

    struct Entry {
        const char *text;
        const char *name;
        int row, column;
        void (Graph::*slot)();
    };
    const Entry buttons[] = {{"Add E", "addEdges", 0, 0, &Graph::slot_adde},
                             {"Rem E", "removeEdges", 0, 1, &Graph::slot_reme},
                             {"Add V", "addVertex", 1, 0, &Graph::slot_addv},
                             {"Rem V", "removeVertices", 1, 1, &Graph::slot_remv},
                             {"Print", "printGraph", 1, 2, &Graph::slot_print},
                             {"Unselect", "unselect", 3, 0, &Graph::slot_unselect},
                             {"Inv. sel.", "invertSelection", 3, 1, &Graph::slot_invert_select},
                             {"Compl.", "complement", 3, 2, &Graph::slot_complement},
                             {"Save", "saveGraph", 7, 0, &Graph::slot_save_graph},
                             {"Load", "loadGraph", 7, 1, &Graph::slot_load_graph}};
    for (const Entry &e : buttons) {
        auto *b = button(tr(e.text), QString::fromLatin1(e.name));
        grid->addWidget(b, e.row, e.column);
        connect(b, &QPushButton::clicked, graph, e.slot);
    }
    // How a double click on the graph adds vertices.
    auto *modes = new QButtonGroup(page);
    const Entry radios[] = {{"Cliq.", "addClique", 2, 0, &Graph::slot_set_add_k},
                            {"Bipart.", "addBipartite", 2, 1, &Graph::slot_set_add_bip},
                            {"Tail.", "addTail", 2, 2, &Graph::slot_set_add_tail}};
    for (const Entry &e : radios) {
        auto *r = new QRadioButton(tr(e.text));
        r->setObjectName(QString::fromLatin1(e.name));
        r->setChecked(e.column == 0);
        modes->addButton(r);
        grid->addWidget(r, e.row, e.column);
        connect(r, &QRadioButton::clicked, graph, e.slot);
    }

    auto *nodeSize = doubleBox(QStringLiteral("nodeSize"), 0.5, 200.0, 20.0);
    auto *shuffle = button(tr("Shuffle"), QStringLiteral("shuffle"));
    auto *edgeWidth = spinBox(QStringLiteral("edgeWidth"), 0, 20, 2);
    auto *mds3d = checkBox(tr("3D pos."), QStringLiteral("mds3d"), false);
    positionBox = doubleBox(QStringLiteral("position"), 10.0, 2000.0, 500.0);
    auto *place = button(tr("Place"), QStringLiteral("place"));
    auto *toAnalyst = button(tr("Analyst"), QStringLiteral("toAnalyst"));

    grid->addWidget(new QLabel(tr("Node size")), 4, 0);
    grid->addWidget(nodeSize, 4, 1);
    grid->addWidget(shuffle, 4, 2);
    grid->addWidget(new QLabel(tr("Edge width")), 5, 0);
    grid->addWidget(edgeWidth, 5, 1);
    grid->addWidget(mds3d, 5, 2);
    grid->addWidget(new QLabel(tr("Position")), 6, 0);
    grid->addWidget(positionBox, 6, 1);
    grid->addWidget(place, 6, 2);
    grid->addWidget(toAnalyst, 7, 2);

    connect(nodeSize, QOverload<double>::of(&QDoubleSpinBox::valueChanged), graph,
            &Graph::slot_set_node_radius);
    connect(shuffle, &QPushButton::clicked, this, &MainWidget::slot_shuffle);
    connect(edgeWidth, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_edge_width);
    connect(mds3d, &QCheckBox::clicked, this, &MainWidget::slot_set_mds3d);
    connect(place, &QPushButton::clicked, this, &MainWidget::slot_place_graph);
    connect(toAnalyst, &QPushButton::clicked, this, &MainWidget::slot_save_graph_analyst);

    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Graph"));
}

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

void MainWidget::buildNotebookPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    titleLine = new QLineEdit;
    titleLine->setObjectName(QStringLiteral("title"));
    commentsBox = new QTextEdit;
    commentsBox->setObjectName(QStringLiteral("comments"));
    // Descriptions come from problem files: they are shown as written, never as markup.
    commentsBox->setAcceptRichText(false);
    grid->addWidget(new QLabel(tr("Title :")), 0, 0);
    grid->addWidget(titleLine, 0, 1);
    grid->addWidget(new QLabel(tr("Comments :")), 1, 0, 1, 2);
    grid->addWidget(commentsBox, 2, 0, 1, 2);
    page->setLayout(grid);
    toolBox->addItem(page, QIcon(), tr("Notebook"));
}

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
        // The results are what a user comes for.
        tabs->setCurrentIndex(1);
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

// ---- Connections -------------------------------------------------------------------------------------

void MainWidget::makeConnections()
{
    // Search manager.
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

    // Hub.
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

    // Board.
    connect(problem, &QWidget::customContextMenuRequested, this,
            QOverload<QPoint>::of(&MainWidget::slot_problem_context_menu));
    connect(problem, &Problem::signal_problem_description, this, &MainWidget::slot_set_problem_description);
    connect(problem, &Problem::signal_problem_title, this, &MainWidget::slot_set_problem_title);
    connect(problem, &Problem::signal_console, console,
            QOverload<QString, bool, int, QColor>::of(&Console::append));
    connect(problem, &Problem::signal_start_vns, vns, &VNSManager::slot_startVNS);
    connect(problem, &Problem::signal_stop_vns, this, &MainWidget::slot_halt);

    // Working graph.
    connect(graph, &QWidget::customContextMenuRequested, this,
            QOverload<QPoint>::of(&MainWidget::slot_graph_context_menu));
    connect(graph, &Graph::signal_console, console,
            QOverload<QString, bool, int, QColor>::of(&Console::append));
    connect(graph, &Graph::signal_best_graph_changed, problem, &Problem::slot_best_backup);
    connect(graph, &Graph::signal_start_vns, vns, &VNSManager::slot_startVNS);
    connect(graph, &Graph::signal_stop_vns, this, &MainWidget::slot_halt);
    connect(graph, &Graph::signal_place_graph, this, &MainWidget::slot_place_graph);
    connect(graph, &Graph::signal_load_next, analystWidgetG, &AnalystWidget::slot_next_graph);

    // Analysts: a chosen row becomes the working graph, always through the graph analyst's list,
    // and is marked in both plots and in its table.
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

    // Graph loader and its progress window.
    connect(loader, &DataLoader::signal_start, runWindow, &RunWindow::slot_start);
    connect(loader, &DataLoader::signal_total_elements, runWindow, &RunWindow::slot_set_max);
    connect(loader, &DataLoader::signal_elements_read, runWindow, &RunWindow::slot_set_value);
    connect(loader, &DataLoader::signal_load_complete, runWindow, &RunWindow::slot_cancel);

    // Preferences and the main tabs.
    connect(preferences, &PreferenceWindow::signal_change_wd, this, &MainWidget::slot_set_tsy_wd);
    connect(preferences, &PreferenceWindow::signal_set_ask_update, this, &MainWidget::slot_set_ask_update);
    connect(preferences, &PreferenceWindow::signal_set_reload, this, &MainWidget::slot_set_reload);
    connect(mainTabs, &QTabWidget::currentChanged, this, &MainWidget::slot_tab_changed);

    // Problem page.
    connect(tree, &QTreeWidget::itemDoubleClicked, this, &MainWidget::slot_item_clicked);

    // Optimization parameters page.
    connect(control<QSpinBox>(QStringLiteral("threads")), QOverload<int>::of(&QSpinBox::valueChanged), vns,
            &VNSManager::slot_set_nb_threads);
    connect(control<QSpinBox>(QStringLiteral("time")), QOverload<int>::of(&QSpinBox::valueChanged), vns,
            &VNSManager::slot_setMaxTime);
    connect(control<QSpinBox>(QStringLiteral("evaluations")), QOverload<int>::of(&QSpinBox::valueChanged),
            vns, &VNSManager::slot_set_max_evals);
    connect(control<QCheckBox>(QStringLiteral("saveGraphs")), &QCheckBox::clicked, vns,
            &VNSManager::slot_save_graphs);
    connect(useP1, &QCheckBox::clicked, vns, &VNSManager::slot_use_param1);
    connect(useP1, &QCheckBox::clicked, p1Min, &QWidget::setEnabled);
    connect(useP1, &QCheckBox::clicked, p1Max, &QWidget::setEnabled);
    connect(useP1, &QCheckBox::clicked, problem, &Problem::setUseP1);
    connect(useP1, &QCheckBox::clicked, p1Box, &QWidget::setEnabled);
    connect(useP1, &QCheckBox::clicked, useP2, &QWidget::setEnabled);
    connect(useP2, &QCheckBox::clicked, vns, &VNSManager::slot_use_param2);
    connect(useP2, &QCheckBox::clicked, problem, &Problem::setUseP2);
    connect(useP2, &QCheckBox::clicked, p2Box, &QWidget::setEnabled);
    connect(p1Min, QOverload<int>::of(&QSpinBox::valueChanged), vns, &VNSManager::slot_set_p1min);
    connect(p1Min, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_sb_p1_min);
    connect(p1Max, QOverload<int>::of(&QSpinBox::valueChanged), vns, &VNSManager::slot_set_p1max);
    connect(p1Max, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_sb_p1_max);
    const std::pair<const char *, void (VNSManager::*)(double)> p2Slots[6] = {
        {"p2MinSq", &VNSManager::slot_set_p2minsq},   {"p2MinLin", &VNSManager::slot_set_p2minlin},
        {"p2MinCst", &VNSManager::slot_set_p2mincst}, {"p2MaxSq", &VNSManager::slot_set_p2maxsq},
        {"p2MaxLin", &VNSManager::slot_set_p2maxlin}, {"p2MaxCst", &VNSManager::slot_set_p2maxcst}};
    for (const auto &s : p2Slots)
        connect(control<QDoubleSpinBox>(QString::fromLatin1(s.first)),
                QOverload<double>::of(&QDoubleSpinBox::valueChanged), vns, s.second);
    connect(control<QSlider>(QStringLiteral("agressivity")), &QSlider::valueChanged, vns,
            &VNSManager::slot_set_agressivity);
    connect(control<QCheckBox>(QStringLiteral("c6Regular")), &QCheckBox::clicked, vns,
            &VNSManager::slot_use_c6_regular);
    connect(control<QCheckBox>(QStringLiteral("resetStats")), &QCheckBox::clicked, vns,
            &VNSManager::slot_reset_stats);
    connect(control<QCheckBox>(QStringLiteral("randomGraph")), &QCheckBox::clicked, vns,
            &VNSManager::slot_set_start_random);
    connect(control<QCheckBox>(QStringLiteral("familyOpt")), &QCheckBox::clicked, vns,
            &VNSManager::slot_optimize_family_in_ls);
    connect(control<QCheckBox>(QStringLiteral("amnesyMode")), &QCheckBox::clicked, vns,
            &VNSManager::slot_set_amnesy_mode);

    // Constraints page.
    connect(connectedBox, &QCheckBox::clicked, problem, &Problem::setConnected);
    connect(control<QCheckBox>(QStringLiteral("connectedBar")), &QCheckBox::clicked, problem,
            &Problem::setConnectedBar);
    connect(chemicalBox, &QCheckBox::clicked, this, &MainWidget::setChemical);
    connect(orderBox, QOverload<int>::of(&QSpinBox::valueChanged), vns, &VNSManager::slot_set_nbnod);
    connect(orderBox, QOverload<int>::of(&QSpinBox::valueChanged), problem, &Problem::setNbNod);
    connect(orderBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_nbnod);
    connect(p1Box, &QCheckBox::clicked, vns, &VNSManager::slot_fix_nbnod_to_p1);
    connect(p1Box, &QCheckBox::clicked, orderBox, &QWidget::setDisabled);
    connect(sizeFixBox, &QCheckBox::clicked, problem, &Problem::setFixNbArcs);
    connect(sizeFixBox, &QCheckBox::clicked, this, &MainWidget::setFixNbArcs);
    connect(sizeFixBox, &QCheckBox::clicked, vns, &VNSManager::slot_fix_nbarcs);
    connect(sizeBox, QOverload<int>::of(&QSpinBox::valueChanged), problem, &Problem::setNbArcs);
    connect(sizeBox, QOverload<int>::of(&QSpinBox::valueChanged), vns, &VNSManager::slot_set_nbarcs);
    connect(p2Box, &QCheckBox::clicked, vns, &VNSManager::slot_fix_nbarcs_to_p2);
    connect(regularBox, &QCheckBox::clicked, this, &MainWidget::setRegular);
    connect(regularBox, &QCheckBox::clicked, degreeBox, &QWidget::setEnabled);
    connect(degreeBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &MainWidget::slot_set_regular_degree);
    connect(degmaxBox, &QCheckBox::clicked, this, &MainWidget::setDegmax);
    connect(degmaxRelation, &QComboBox::textActivated, problem, &Problem::setDegmaxType);
    connect(degmaxValue, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_degmax);
    connect(diameterBox, &QCheckBox::clicked, this, &MainWidget::setDiameter);
    connect(diameterRelation, &QComboBox::textActivated, problem, &Problem::setDiameterType);
    connect(diameterValue, QOverload<int>::of(&QSpinBox::valueChanged), this, &MainWidget::slot_set_diameter);

    // Notebook page.
    connect(titleLine, &QLineEdit::textChanged, problem, &Problem::slot_set_title);
    connect(commentsBox, &QTextEdit::textChanged, this, &MainWidget::slot_problem_description_changed);
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

// ---- Problem page and context menus ----------------------------------------------------------------

bool MainWidget::addItemByCategory(Calculus *item, int category)
{
    switch (category) {
    case 1:
        problem->addInvariantItem(item);
        return true;
    case 2:
        problem->addFamilyItem(item);
        return true;
    case 3:
        problem->addOperatorItem(item);
        return true;
    case 4:
        problem->addConstraintItem(item);
        return true;
    case 5:
        problem->addZItem(item);
        return true;
    default:
        delete item;
        return false;
    }
}

void MainWidget::addComponent(const QString &keyword, const QPointF *at)
{
    const int category = catalogue->type(keyword);
    if (category == 0)
        return;
    Calculus *item = catalogue->makeCalculus(keyword, true);
    if (!item) {
        console->append(tr("No component is known for %1.").arg(keyword), false, 0, Qt::red);
        return;
    }
    if (at)
        item->setPos(*at);
    addItemByCategory(item, category);
}

void MainWidget::slot_item_clicked(QTreeWidgetItem *item, int column)
{
    if (!item || column < 0)
        return;
    addComponent(item->text(column), nullptr);
}

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

// ---- Optimization parameters page -----------------------------------------------------------------

void MainWidget::slot_set_sb_p1_min(int v)
{
    p1Max->setMinimum(v);
}

void MainWidget::slot_set_sb_p1_max(int v)
{
    p1Min->setMaximum(v);
}

// ---- Constraints page --------------------------------------------------------------------------------

void MainWidget::slot_set_nbnod(int n)
{
    sizeBox->setEnabled(sizeFixBox->isChecked());
    degreeBox->setMaximum(n - 1);
    sizeBox->setMinimum(problem->getConnected() ? n - 1 : 0);
    sizeBox->setMaximum(problem->getChemical() ? 2 * n : halfOf(n, n - 1));
    degmaxValue->setMaximum(n - 1);
    degmaxValue->setMinimum(problem->getConnected() ? 1 : 0);
    diameterValue->setMaximum(n - 1);
    diameterValue->setMinimum(1);
    if (problem->getRegular()) {
        const int s = halfOf(n, problem->getRegDegree());
        sizeBox->setMinimum(s);
        sizeBox->setMaximum(s);
        sizeBox->setEnabled(false);
    }
}

void MainWidget::setFixNbArcs(bool b)
{
    sizeBox->setEnabled(b);
}

void MainWidget::setRegular(bool b)
{
    problem->setRegular(b);
    if (b) {
        const int s = halfOf(orderBox->value(), problem->getRegDegree());
        sizeBox->setMinimum(s);
        sizeBox->setMaximum(s);
        sizeFixBox->setChecked(true);
        sizeFixBox->setEnabled(false);
        sizeBox->setEnabled(false);
        degmaxBox->setChecked(false);
        problem->setDegmax(false);
        degmaxRelation->setEnabled(false);
        degmaxValue->setEnabled(false);
        degmaxBox->setEnabled(false);
    } else {
        sizeFixBox->setEnabled(true);
        const int n = orderBox->value();
        sizeBox->setMinimum(problem->getConnected() ? n - 1 : 0);
        sizeBox->setMaximum(problem->getChemical() ? 2 * n : halfOf(n, n - 1));
        degmaxBox->setEnabled(true);
        sizeBox->setEnabled(true);
    }
}

void MainWidget::slot_set_regular_degree(int r)
{
    problem->setRegDegree(r);
    const int s = halfOf(orderBox->value(), r);
    sizeBox->setMinimum(s);
    sizeBox->setMaximum(s);
}

void MainWidget::setDegmax(bool b)
{
    problem->setDegmax(b);
    degmaxRelation->setEnabled(b);
    degmaxValue->setEnabled(b);
}

void MainWidget::setDiameter(bool b)
{
    problem->setDiameter(b);
    diameterRelation->setEnabled(b);
    diameterValue->setEnabled(b);
}

void MainWidget::setChemical(bool b)
{
    if (b) {
        degmaxBox->setChecked(false);
        problem->setDegmax(false);
        degmaxRelation->setEnabled(false);
        degmaxValue->setEnabled(false);
    }
    problem->setChemical(b);
}

void MainWidget::slot_set_degmax(int d)
{
    problem->setDegmaxValue(d);
    sizeBox->setMaximum(halfOf(orderBox->value(), d));
}

void MainWidget::slot_set_diameter(int d)
{
    problem->setDiameterValue(d);
}

// ---- Graph page, Notebook page, backup window ---------------------------------------------------------

void MainWidget::slot_place_graph()
{
    const double size = positionBox->value();
    if (graph->getNbNodes() < 3)
        return;
    for (Graph *g : {graph, graphBak}) {
        MDS layout(g, size, mdsDim);
        g->update_display();
    }
}

void MainWidget::slot_shuffle()
{
    // The relabellings are tested on a worker thread behind a progress dialog, so the window stays
    // alive however long the isomorphism tests take. The graph is left in the last relabelling
    // tested, which the board has been evaluated on through the graph's announcement.
    const ShuffleCheck::Result r = ShuffleCheck::run(graph, 100, this);
    problem->update_display();
    // The trace of every test, in order: its number, then the running count of answers that are
    // not "unknown" (0).
    int count = 0;
    for (int i = 0; i < r.answers.size(); ++i) {
        std::cerr << "i = " << i << '\n';
        if (r.answers.at(i) != 0)
            ++count;
        std::cerr << count << " success.\n";
    }
    std::cerr << "ISO : " << count << " success." << std::endl;
    console->append(tr("Shuffle: %1 of %2 relabellings recognised as isomorphic%3.")
                        .arg(r.isomorphic)
                        .arg(r.rounds)
                        .arg(r.cancelled ? tr(" (cancelled after %1 tests)").arg(r.tested) : QString()),
                    false, 0, Qt::black);
}

void MainWidget::slot_save_graph_analyst()
{
    const QString g = graph->graphData();
    const int r = analystG->currentRow();
    if (r >= 0 && r < analystG->nbGraphs() &&
        Prompt::current()->question(this, tr("Question"),
                                    tr("Do you want to replace current graph in Analyst?")))
        analystWidgetG->replaceGraph(g, analystG->vertex(r));
    else
        analystWidgetG->addGraph(g);
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

void MainWidget::slot_set_edge_width(int w)
{
    Edge::setEdgeWidth(w);
}

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

void MainWidget::slot_set_problem_title(QString t)
{
    titleLine->setText(t);
}

void MainWidget::slot_set_problem_description(QString t)
{
    commentsBox->setPlainText(t);
}

void MainWidget::slot_problem_description_changed()
{
    problem->slot_set_description(commentsBox->toPlainText());
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

// ---- Settings, autosave, reload, quit ----------------------------------------------------------------

void MainWidget::handWorkingDirectory()
{
    problem->setWD(wd);
    graph->setWD(wd);
    analystWidgetG->setWD(wd);
    analystWidgetV->setWD(wd);
}

bool MainWidget::readFlag(const QString &key)
{
    const QVariant v = settings.value(key);
    if (!v.isValid())
        return false;
    if (v.type() == QVariant::Bool)
        return v.toBool();
    const QString t = v.toString().trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t != QLatin1String("false") && t != QLatin1String("0")) {
        // Anything else is damage: it counts as "no" and is replaced, never guessed at.
        damagedSettings << key;
        settings.setValue(key, false);
    }
    return false;
}

void MainWidget::applySettingsAtStart()
{
    noAskUpdate = readFlag(QStringLiteral("noAskUpdate"));
    preferences->slot_ask_update(noAskUpdate);

    // The update check runs at every start, once the event loop runs; the flag only keeps its
    // question from being asked.
    network = new QNetworkAccessManager;
    versionChecker = new VersionChecker(network);
    connect(versionChecker, &VersionChecker::signal_new_version_available, this,
            &MainWidget::slot_new_version_available);
    QTimer::singleShot(0, versionChecker, &VersionChecker::slot_start);

    wd = settings.value(QStringLiteral("wd"), QString()).toString();
    if (!wd.isEmpty() && !QFileInfo(wd).isDir()) {
        // The stored folder is kept for a later start (a drive may come back); this session saves
        // into the current directory instead of failing at every autosave.
        console->append(tr("The working directory %1 does not exist: files go to %2 for now.")
                            .arg(wd, QDir::currentPath()),
                        false, 0, Qt::red);
        wd.clear();
    }
    handWorkingDirectory();

    reloadLastSession();

    for (const QString &key : qAsConst(damagedSettings))
        console->append(tr("The stored setting \"%1\" was damaged and has been reset.").arg(key), false, 0,
                        Qt::red);

    slot_place_graph();
    autosaveTimer = startTimer(60000, Qt::CoarseTimer);
    std::cerr << "TSY running" << std::endl;
}

void MainWidget::reloadLastSession()
{
    const QString stored = settings.value(QStringLiteral("problem"), QString()).toString();
    settings.setValue(QStringLiteral("problem"), QString());
    if (stored.isEmpty())
        return;
    reload = readFlag(QStringLiteral("reload"));
    emit signal_reload(reload);
    if (!reload)
        return;
    // Should the reload itself bring the program down, the next start does not try again.
    settings.setValue(QStringLiteral("reload"), false);
    settings.sync();
    if (!problem->autoload()) {
        Prompt::current()->warning(this, tr("Error"), tr("Unable to load problem "));
    } else {
        const QString storedGraph = settings.value(QStringLiteral("graph"), QString()).toString();
        settings.setValue(QStringLiteral("graph"), QString());
        if (storedGraph.isEmpty()) {
            Prompt::current()->warning(this, tr("Error"), tr("Unable to load graph "));
        } else {
            graph->autoload();
            graph->changeBest();
            graph->best_backup();
        }
    }
    settings.setValue(QStringLiteral("reload"), true);
}

void MainWidget::slot_set_reload(bool b)
{
    reload = b;
    settings.setValue(QStringLiteral("reload"), b);
}

void MainWidget::slot_set_ask_update(bool b)
{
    settings.setValue(QStringLiteral("noAskUpdate"), b);
    noAskUpdate = b;
}

void MainWidget::slot_set_tsy_wd()
{
    const QString dir = Prompt::current()->directory(this, tr("Choose tsy default working directory"), wd);
    if (dir.isEmpty())
        return;
    settings.setValue(QStringLiteral("wd"), dir);
    wd = dir;
    handWorkingDirectory();
}

void MainWidget::autosave()
{
    settings.setValue(QStringLiteral("problem"), problem->saveString());
    settings.setValue(QStringLiteral("graph"), graph->graphData());
    settings.sync();
    if (settings.status() != QSettings::NoError)
        console->append(tr("The settings could not be written."), false, 0, Qt::red);
    problem->autosave();
    if (!graph->autosave())
        console->append(tr("The graph could not be saved: %1").arg(graph->errorString()), false, 0, Qt::red);
}

void MainWidget::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == autosaveTimer)
        autosave();
    else
        QWidget::timerEvent(event);
}

void MainWidget::stopAndWait()
{
    emit signal_halt();
    // A load in progress ends after its current line.
    runWindow->setCancel(true);
    vns->wait();
    loader->wait();
}

void MainWidget::slot_quit()
{
    if (quitting)
        return;
    quitting = true;
    stopAndWait();
    autosave();
    settings.setValue(QStringLiteral("reload"), reload);
    settings.sync();
    emit signal_quit();
}
