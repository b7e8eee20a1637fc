// The Graph-Analyst over every connected graph on 9 vertices (nauty-geng -c 9, 261,080 graphs):
// the load through the graph loader, then one update with WIENER, RANDIC and the largest
// adjacency eigenvalue marked for the analyst. Counters: graphs per second and the process's peak
// resident memory. bench/analyst_networkx_rate.py measures the same values with networkx.
//
// Then the X-Y plot of those rows in the real hub: emptying a filled plot, refilling it (what every
// change of an X-Y setting does), and switching the analyst's inner tabs with the hub shown (each
// switch refills the plot, and showing the X-Y page paints it).
//
// Then the Vertex-Analyst of the same database in the real hub, WIENER and the vertex degree
// marked (one row per vertex, 2,349,720 rows): the database arriving in both analysts, the page
// bar, the choice of X and Y, one paint of the full plot, the sub-tab switches, an arrow-key turn
// and a double-click on a point, clear and refill of the plot, a filter rule with Update. A plot
// fills in slices from the event loop, so each step runs until its last point is there; the
// counter longest_block_s is the longest time the GUI thread went without handling events.
//
// Needs nauty-geng on the PATH (Debian package nauty); the order can be changed with the
// environment variable TESSALY_BENCH_ORDER.

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/FilterWidget.h"
#include "analysts/PlotItem.h"
#include "analysts/PlotView.h"
#include "analysts/PlotWidget.h"
#include "graph/Graph.h"
#include "optimisation/DataLoader.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/MainWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>

namespace
{

int order()
{
    const int n = qEnvironmentVariableIntValue("TESSALY_BENCH_ORDER");
    return n >= 2 && n <= 11 ? n : 9;
}

// Peak resident memory of the process, in MiB (VmHWM of /proc/self/status).
double peakMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0.0;
}

// WIENER, RANDIC and the largest adjacency eigenvalue, marked for the analyst.
void markForAnalyst(Problem &problem)
{
    BuildCalculus catalogue;
    for (const char *keyword : {"WIENER", "RANDIC"}) {
        Calculus *item = catalogue.makeCalculus(QString::fromLatin1(keyword), false);
        problem.addInvariantItem(item);
        item->setInReport(true);
    }
    Calculus *adjacency = catalogue.makeCalculus(QStringLiteral("ADJACENCY"), false);
    Calculus *eigenvalues = catalogue.makeCalculus(QStringLiteral("EIGENVALUES"), false);
    Calculus *largest = catalogue.makeCalculus(QStringLiteral("MAX"), false);
    problem.addInvariantItem(adjacency);
    problem.addOperatorItem(eigenvalues);
    problem.addOperatorItem(largest);
    problem.link1(adjacency, eigenvalues);
    problem.link1(eigenvalues, largest);
    largest->setInReport(true);
    problem.setNbNod(order());
    problem.setConnected(true);
}

// WIENER (one value per graph) and DEGREES with its vertex values on, marked for the analyst: the
// Vertex-Analyst then has one row per vertex, WIENER and the vertex's degree.
void markForVertexAnalyst(Problem &problem)
{
    BuildCalculus catalogue;
    Calculus *wiener = catalogue.makeCalculus(QStringLiteral("WIENER"), false);
    problem.addInvariantItem(wiener);
    wiener->setInReport(true);
    Calculus *degrees = catalogue.makeCalculus(QStringLiteral("DEGREES"), false);
    problem.addInvariantItem(degrees);
    degrees->setInReport(true);
    degrees->setNodInReport(true);
    problem.setNbNod(order());
    problem.setConnected(true);
}

// No step of the vertex benchmarks may run longer than this.
constexpr qint64 TimeLimitMs = 20 * 60 * 1000;

// The longest time the GUI thread goes without handling events while a step runs: a 1 ms timer
// notes the gaps between its firings (a call that never returns to the event loop is one gap).
class Stall
{
public:
    Stall()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [this]() { tick(); });
        clock.start();
        timer.start();
    }
    // One turn of the event loop.
    void turn()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    // Seconds, up to now.
    double longest()
    {
        tick();
        return worst / 1e9;
    }
    double elapsed() const { return clock.nsecsElapsed() / 1e9; }

private:
    void tick()
    {
        const qint64 now = clock.nsecsElapsed();
        worst = std::max(worst, now - last);
        last = now;
    }
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
};

// Handles the events that a step left (posted calls, paints) for a few turns of the loop.
void settle(Stall &stall)
{
    for (int i = 0; i < 5; ++i)
        stall.turn();
}

// True while the plot still adds points after its fill call returned.
bool filling(const PlotWidget *plot)
{
    return plot->isFilling();
}

// Handles events until the plot holds all its points, then the events that follow (paints).
void finishFill(Stall &stall, const PlotWidget *plot)
{
    while (filling(plot) && stall.elapsed() * 1000 < TimeLimitMs)
        stall.turn();
    settle(stall);
}

// Resident memory of the process now, in MiB (VmRSS).
double residentMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0.0;
}

// Writes the graphs of nauty-geng -c to file; false when geng is missing or fails.
bool generate(const QString &file)
{
    QProcess geng;
    geng.setStandardOutputFile(file);
    geng.start(QStringLiteral("nauty-geng"),
               {QStringLiteral("-c"), QStringLiteral("-q"), QString::number(order())});
    return geng.waitForFinished(600000) && geng.exitStatus() == QProcess::NormalExit && geng.exitCode() == 0;
}

struct Board {
    Board() : graph(QStringLiteral("user"), false), problem(&graph, QStringLiteral("user"), false)
    {
        markForAnalyst(problem);
    }
    Graph graph;
    Problem problem;
};

void BM_GraphAnalystUpdate(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("geng.g6"));
    if (!generate(file)) {
        state.SkipWithError("nauty-geng is not available");
        return;
    }

    Board board;
    DataLoader loader(&board.problem, &board.graph, nullptr);
    loader.setFilter(false);
    QElapsedTimer load;
    load.start();
    loader.setFilename(file);
    loader.start();
    loader.wait();
    const double loadSeconds = load.elapsed() / 1000.0;
    const int graphs = loader.size();

    // The tab connects to the loader after the load, so the update runs only in the loop.
    FilterWidget filter;
    auto *analyst = new Analyst;
    AnalystWidget widget(&board.problem, &board.graph, analyst, &loader, &filter, false);
    const double before = peakMiB();
    int rows = 0;
    for (auto _ : state) {
        widget.slot_data_loaded();
        rows = analyst->nbGraphs();
    }
    state.counters["graphs"] = graphs;
    state.counters["rows"] = rows;
    state.counters["graphs_per_s"] =
        benchmark::Counter(static_cast<double>(graphs) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["load_s"] = loadSeconds;
    state.counters["peak_MiB_load"] = before;
    state.counters["peak_MiB"] = peakMiB();
}

// The real hub, its settings and files kept in a temporary folder. In graph mode the
// Graph-Analyst alone holds one row per connected graph, loaded and updated as a user does it;
// in vertex mode both analysts take the graphs, and the Vertex-Analyst (WIENER and the degree of
// each vertex marked) holds one row per vertex. One hub at a time, shared by the benchmarks of its
// mode.
class Hub
{
public:
    enum Mode { Graphs, Vertices };

    static Hub *get(Mode mode = Graphs)
    {
        if (instance && instance->mode != mode)
            release();
        if (!instance)
            instance = new Hub(mode);
        if (instance->ready && mode == Vertices && !instance->arrived)
            instance->arrive();
        return instance->ready && (mode == Graphs || instance->arrived) ? instance : nullptr;
    }
    // Before the application ends: the hub goes first, then its folder.
    static void release()
    {
        delete instance;
        instance = nullptr;
    }
    ~Hub() { delete main; }

    // Vertex mode: the file loaded through the loader as "Load" does it, both analysts updated as
    // the load's end makes them, every event handled until the Vertex-Analyst holds its rows.
    // False when they do not arrive within the time limit.
    bool arrive();

    Mode mode;
    MainWidget *main = nullptr;
    Analyst *analyst = nullptr;
    AnalystWidget *table = nullptr;
    PlotWidget *plot = nullptr;
    QTabWidget *tabs = nullptr;
    QComboBox *x = nullptr;
    QComboBox *y = nullptr;
    int graphs = 0;
    // Vertex mode: the columns of WIENER and of the vertex degree.
    int wiener = -1, degree = -1;
    // Vertex mode: the seconds of the load and of the two updates, and the longest time the GUI
    // thread went without handling events during the updates.
    double loadSeconds = 0, updateSeconds = 0, longestBlock = 0;
    bool arrived = false;

private:
    explicit Hub(Mode mode) : mode(mode)
    {
        if (!dir.isValid() || !generate(dir.filePath(QStringLiteral("geng.g6"))))
            return;
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           dir.filePath(QStringLiteral("config")));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           dir.filePath(QStringLiteral("config")));
        QDir::setCurrent(dir.path());
        main = new MainWidget(&catalogue);
        main->getGraphAnalyst()->slot_set_filter_mode(false);
        main->getVertexAnalyst()->slot_set_filter_mode(false);
        if (mode == Vertices) {
            markForVertexAnalyst(*main->getProblem());
            table = main->getVertexAnalyst();
            plot = main->getVertexPlot();
            tabs = main->getVertexAnalystTabs();
            x = main->findChild<QComboBox *>(QStringLiteral("vertexAnalystTabsX"));
            y = main->findChild<QComboBox *>(QStringLiteral("vertexAnalystTabsY"));
            analyst = table->getAnalyst();
            ready = x && y;
            return;
        }
        markForAnalyst(*main->getProblem());
        // Only the Graph-Analyst takes the graphs: a vertex table of 2.3 million rows is not
        // what is measured here.
        QObject::disconnect(main->getLoader(), nullptr, main->getVertexAnalyst(), nullptr);
        if (!main->getLoader()->setFilename(dir.filePath(QStringLiteral("geng.g6"))))
            return;
        main->getLoader()->start();
        main->getLoader()->wait();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        table = main->getGraphAnalyst();
        analyst = table->getAnalyst();
        plot = main->getGraphPlot();
        tabs = main->getGraphAnalystTabs();
        x = main->findChild<QComboBox *>(QStringLiteral("graphAnalystTabsX"));
        y = main->findChild<QComboBox *>(QStringLiteral("graphAnalystTabsY"));
        graphs = main->getLoader()->size();
        ready = analyst->nbGraphs() > 0 && x && y && x->count() > 2;
    }

    static inline Hub *instance = nullptr;
    QTemporaryDir dir;
    BuildCalculus catalogue;
    bool ready = false;
};

bool Hub::arrive()
{
    DataLoader *loader = main->getLoader();
    if (!loader->setFilename(dir.filePath(QStringLiteral("geng.g6"))))
        return false;
    std::atomic<qint64> loadEnd{-1};
    QElapsedTimer clock;
    clock.start();
    QObject::connect(
        loader, &QThread::finished, loader, [&]() { loadEnd = clock.elapsed(); }, Qt::DirectConnection);
    Stall stall;
    loader->start();
    // The loader reads on its own thread while the GUI thread shows its progress; its end reaches
    // both analysts as queued calls, and each updates its table.
    const auto done = [&]() {
        return loader->isFinished() && loadEnd >= 0 && !table->isUpdating() &&
               !main->getGraphAnalyst()->isUpdating() && analyst->nbGraphs() == loader->size() * order();
    };
    while (!done() && clock.elapsed() < TimeLimitMs)
        stall.turn();
    settle(stall);
    longestBlock = stall.longest();
    QObject::disconnect(loader, &QThread::finished, loader, nullptr);
    graphs = loader->size();
    loadSeconds = loadEnd / 1000.0;
    updateSeconds = (clock.elapsed() - loadEnd) / 1000.0;
    wiener = analyst->getHeader().indexOf(QStringLiteral("WIENER"));
    degree = analyst->getHeader().indexOf(QStringLiteral("DEGREES"));
    arrived =
        graphs > 0 && analyst->nbGraphs() == graphs * order() && x->count() > 2 && wiener >= 0 && degree >= 0;
    return arrived;
}

constexpr double Scale = 10.0;
constexpr double Radius = 20.0;

// Emptying a plot that holds one point per row (hub hidden: no painting).
void BM_PlotClear(benchmark::State &state)
{
    Hub *hub = Hub::get();
    if (!hub) {
        state.SkipWithError("the hub could not load the graphs");
        return;
    }
    hub->main->hide();
    for (auto _ : state) {
        state.PauseTiming();
        hub->plot->fill(hub->analyst, 0, 1, Scale, Scale, Radius);
        Stall fill;
        finishFill(fill, hub->plot);
        state.ResumeTiming();
        hub->plot->clear();
    }
    state.counters["rows"] = hub->analyst->nbGraphs();
}

// Refilling a filled plot: the old points go, one new point per row (hub hidden), until every
// point is there.
void BM_PlotRefill(benchmark::State &state)
{
    Hub *hub = Hub::get();
    if (!hub) {
        state.SkipWithError("the hub could not load the graphs");
        return;
    }
    hub->main->hide();
    hub->plot->fill(hub->analyst, 0, 1, Scale, Scale, Radius);
    {
        Stall stall;
        finishFill(stall, hub->plot);
    }
    double longest = 0.0;
    for (auto _ : state) {
        Stall stall;
        hub->plot->fill(hub->analyst, 0, 1, Scale, Scale, Radius);
        finishFill(stall, hub->plot);
        longest = std::max(longest, stall.longest());
    }
    state.counters["points"] = hub->plot->plotItems().size();
    state.counters["longest_block_s"] = longest;
    hub->plot->clear();
}

// The hub shown on the Graph-Analyst, both axes chosen: "Table view" -> "X-Y Settings" -> "Table
// view", each switch with the events it causes (the refill until its last point, and the paints
// of the shown plot). The time covers both switches; the longest single switch and the longest
// time the GUI thread went without handling events are counters.
void BM_AnalystSubTabSwitch(benchmark::State &state)
{
    Hub *hub = Hub::get();
    if (!hub) {
        state.SkipWithError("the hub could not load the graphs");
        return;
    }
    hub->main->resize(1200, 900);
    hub->main->show();
    hub->main->getMainTabs()->setCurrentIndex(MainWidget::TabGraphAnalyst);
    hub->tabs->setCurrentIndex(1);
    hub->x->setCurrentIndex(1);
    hub->y->setCurrentIndex(2);
    {
        Stall stall;
        finishFill(stall, hub->plot);
    }
    double longest = 0.0, block = 0.0;
    int switches = 0;
    for (auto _ : state) {
        for (int tab : {2, 1}) {
            Stall stall;
            hub->tabs->setCurrentIndex(tab);
            finishFill(stall, hub->plot);
            longest = std::max(longest, stall.elapsed());
            block = std::max(block, stall.longest());
            ++switches;
        }
    }
    state.counters["longest_switch_s"] = longest;
    state.counters["longest_block_s"] = block;
    state.counters["points"] = hub->plot->plotItems().size();
    state.SetItemsProcessed(switches);
    hub->x->setCurrentIndex(0);
    hub->main->hide();
}

// ---- the Vertex-Analyst: one row per vertex of every graph ---------------------------------

// The hub shown on the Vertex-Analyst with the given inner tab.
Hub *shownVertexHub(int tab)
{
    Hub *hub = Hub::get(Hub::Vertices);
    if (!hub)
        return nullptr;
    hub->main->resize(1200, 900);
    hub->main->show();
    hub->main->getMainTabs()->setCurrentIndex(MainWidget::TabVertexAnalyst);
    hub->tabs->setCurrentIndex(tab);
    Stall stall;
    finishFill(stall, hub->plot);
    return hub;
}

void skipWithoutHub(benchmark::State &state)
{
    state.SkipWithError("the hub could not load the graphs into the Vertex-Analyst");
}

// The database arriving: nauty-geng's file read by the loader, then the update of both analysts
// that the load's end starts (the Vertex-Analyst makes one row per vertex). Counters: the load's
// and the updates' seconds, the longest time the GUI thread went without handling events during
// the updates, and the peak memory.
void BM_VertexAnalystArrival(benchmark::State &state)
{
    Hub *hub = nullptr;
    for (auto _ : state)
        hub = Hub::get(Hub::Vertices);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    state.counters["graphs"] = hub->graphs;
    state.counters["rows"] = hub->analyst->nbGraphs();
    state.counters["load_s"] = hub->loadSeconds;
    state.counters["updates_s"] = hub->updateSeconds;
    state.counters["longest_block_s"] = hub->longestBlock;
    state.counters["peak_MiB"] = peakMiB();
}

// "Next" five times, then "Prev" five times, on the shown table; the longest click with its paint.
void BM_VertexPageBar(benchmark::State &state)
{
    Hub *hub = shownVertexHub(1);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    double longest = 0.0;
    int clicks = 0;
    for (auto _ : state) {
        for (QPushButton *button : {hub->table->getNextButton(), hub->table->getPrevButton()}) {
            for (int i = 0; i < 5; ++i) {
                Stall stall;
                button->click();
                settle(stall);
                longest = std::max(longest, stall.longest());
                ++clicks;
            }
        }
    }
    state.counters["longest_block_s"] = longest;
    state.counters["page_start"] = hub->analyst->pageStart();
    state.SetItemsProcessed(clicks);
}

// A rule on the Filter tab (vertex degree at least 4), then "Update" (the Graph-Analyst, then the
// Vertex-Analyst); afterwards the rule is switched off and the table updated again, untimed.
void BM_VertexFilter(benchmark::State &state)
{
    Hub *hub = shownVertexHub(0);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    auto *filter = qobject_cast<FilterWidget *>(qobject_cast<QScrollArea *>(hub->tabs->widget(0))->widget());
    auto *update = hub->main->control<QPushButton>(QStringLiteral("update"));
    const int all = hub->analyst->nbGraphs();
    const int degree = hub->degree;
    double longest = 0.0;
    int kept = 0;
    for (auto _ : state) {
        filter->setRule(0, true, degree, FilterWidget::AtLeast, 4.0);
        Stall stall;
        update->click();
        settle(stall);
        longest = stall.longest();
        kept = hub->analyst->nbGraphs();
        state.PauseTiming();
        filter->setRule(0, false, degree, FilterWidget::AtLeast, 4.0);
        update->click();
        state.ResumeTiming();
    }
    state.counters["rows_kept"] = kept;
    state.counters["rows"] = hub->analyst->nbGraphs();
    state.counters["rows_before"] = all;
    state.counters["longest_block_s"] = longest;
    state.counters["peak_MiB"] = peakMiB();
}

// On the shown X-Y page, X then Y chosen (WIENER against the degree): the plot fills and paints.
// Time: until every point is there and painted.
void BM_VertexPlotAxes(benchmark::State &state)
{
    Hub *hub = shownVertexHub(2);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    double longest = 0.0, rss = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        hub->x->setCurrentIndex(0);
        hub->y->setCurrentIndex(0);
        QCoreApplication::processEvents();
        const double before = residentMiB();
        state.ResumeTiming();
        Stall stall;
        hub->x->setCurrentIndex(hub->wiener + 1);
        hub->y->setCurrentIndex(hub->degree + 1);
        finishFill(stall, hub->plot);
        longest = std::max(longest, stall.longest());
        rss = residentMiB() - before;
    }
    state.counters["points"] = hub->plot->plotItems().size();
    state.counters["longest_block_s"] = longest;
    state.counters["points_MiB"] = rss;
    state.counters["peak_MiB"] = peakMiB();
}

// One paint of the shown plot with every point in it.
void BM_VertexPlotPaint(benchmark::State &state)
{
    Hub *hub = shownVertexHub(2);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    hub->x->setCurrentIndex(hub->wiener + 1);
    hub->y->setCurrentIndex(hub->degree + 1);
    Stall stall;
    finishFill(stall, hub->plot);
    QWidget *viewport = hub->plot->getView()->viewport();
    for (auto _ : state)
        viewport->repaint();
    state.counters["points"] = hub->plot->plotItems().size();
}

// The hub shown on the Vertex-Analyst, both axes chosen: "Table view" -> "X-Y Settings" ->
// "Filter" -> "Conjectures" -> "Table view", each switch refilling the plot; a switch lasts until
// its fill is complete and the events it caused are handled. Counters: the longest switch and
// the longest time the GUI thread went without handling events.
void BM_VertexSubTabSwitch(benchmark::State &state)
{
    Hub *hub = shownVertexHub(1);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    hub->x->setCurrentIndex(hub->wiener + 1);
    hub->y->setCurrentIndex(hub->degree + 1);
    {
        Stall stall;
        finishFill(stall, hub->plot);
    }
    double longestSwitch = 0.0, longestBlock = 0.0;
    int switches = 0;
    for (auto _ : state) {
        for (int tab : {2, 0, 3, 1}) {
            Stall stall;
            hub->tabs->setCurrentIndex(tab);
            finishFill(stall, hub->plot);
            longestBlock = std::max(longestBlock, stall.longest());
            longestSwitch = std::max(longestSwitch, stall.elapsed());
            ++switches;
        }
    }
    state.counters["longest_switch_s"] = longestSwitch;
    state.counters["longest_block_s"] = longestBlock;
    state.counters["points"] = hub->plot->plotItems().size();
    state.SetItemsProcessed(switches);
}

// Emptying the plot with one point per vertex row (hub hidden: no painting).
void BM_VertexPlotClear(benchmark::State &state)
{
    Hub *hub = Hub::get(Hub::Vertices);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    hub->main->hide();
    for (auto _ : state) {
        state.PauseTiming();
        hub->plot->fill(hub->analyst, hub->wiener, hub->degree, Scale, Scale, Radius);
        Stall fill;
        finishFill(fill, hub->plot);
        state.ResumeTiming();
        hub->plot->clear();
    }
    state.counters["rows"] = hub->analyst->nbGraphs();
}

// On the shown, filled plot: one turn by the right arrow key, then a double-click on a point (its
// graph is loaded and its points highlighted in both plots), each with the events it causes.
void BM_VertexPlotTurnAndPick(benchmark::State &state)
{
    Hub *hub = shownVertexHub(2);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    hub->x->setCurrentIndex(hub->wiener + 1);
    hub->y->setCurrentIndex(hub->degree + 1);
    {
        Stall stall;
        finishFill(stall, hub->plot);
    }
    PlotView *view = hub->plot->getView();
    double turn = 0.0, pick = 0.0;
    for (auto _ : state) {
        {
            Stall stall;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QCoreApplication::sendEvent(view, &press);
            settle(stall);
            turn = stall.longest();
        }
        state.PauseTiming();
        {
            // Back to the plain plot for the pick.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
            QCoreApplication::sendEvent(view, &press);
            Stall stall;
            settle(stall);
        }
        state.ResumeTiming();
        {
            const QPoint at = view->mapFromScene(hub->plot->plotItems().first()->scenePos());
            // Each mouse event of a double-click arrives in a turn of the event loop of its own.
            Stall stall;
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                                  Qt::NoModifier);
                QCoreApplication::sendEvent(view->viewport(), &event);
                stall.turn();
            }
            settle(stall);
            pick = stall.longest();
        }
    }
    state.counters["turn_block_s"] = turn;
    state.counters["pick_block_s"] = pick;
    state.counters["points"] = hub->plot->plotItems().size();
}

// Refilling the filled plot (hub hidden), until every point is there.
void BM_VertexPlotRefill(benchmark::State &state)
{
    Hub *hub = Hub::get(Hub::Vertices);
    if (!hub) {
        skipWithoutHub(state);
        return;
    }
    hub->main->hide();
    hub->plot->fill(hub->analyst, hub->wiener, hub->degree, Scale, Scale, Radius);
    {
        Stall stall;
        finishFill(stall, hub->plot);
    }
    double longest = 0.0;
    for (auto _ : state) {
        Stall stall;
        hub->plot->fill(hub->analyst, hub->wiener, hub->degree, Scale, Scale, Radius);
        finishFill(stall, hub->plot);
        longest = std::max(longest, stall.longest());
    }
    state.counters["points"] = hub->plot->plotItems().size();
    state.counters["longest_block_s"] = longest;
    state.counters["peak_MiB"] = peakMiB();
    hub->plot->clear();
}

} // namespace

BENCHMARK(BM_GraphAnalystUpdate)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PlotClear)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_PlotRefill)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_AnalystSubTabSwitch)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_VertexAnalystArrival)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_VertexPageBar)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_VertexPlotAxes)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_VertexPlotPaint)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_VertexSubTabSwitch)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_VertexPlotTurnAndPick)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_VertexPlotClear)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_VertexPlotRefill)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_VertexFilter)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Hub::release();
    benchmark::Shutdown();
    return 0;
}
