// The Graph-Analyst over every connected graph on 9 vertices (nauty-geng -c 9, 261,080 graphs):
// the load through the graph loader, then one update with WIENER, RANDIC and the largest
// adjacency eigenvalue marked for the analyst. Counters: graphs per second and the process's peak
// resident memory. bench/analyst_networkx_rate.py measures the same values with networkx.
//
// Then the X-Y plot of those rows in the real hub: emptying a filled plot, refilling it (what every
// change of an X-Y setting does), and switching the analyst's inner tabs with the hub shown (each
// switch refills the plot, and showing the X-Y page paints it).
//
// Needs nauty-geng on the PATH (Debian package nauty); the order can be changed with the
// environment variable TESSALY_BENCH_ORDER.

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/DataLoader.h"
#include "analysts/FilterWidget.h"
#include "analysts/PlotWidget.h"
#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/MainWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
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

// The real hub, its settings and files kept in a temporary folder, with the Graph-Analyst
// holding one row per connected graph, loaded and updated as a user does it. Built once, shared
// by the plot benchmarks.
class Hub
{
public:
    static Hub *get()
    {
        if (!instance)
            instance = new Hub;
        return instance->ready ? instance : nullptr;
    }
    // Before the application ends: the hub goes first, then its folder.
    static void release()
    {
        delete instance;
        instance = nullptr;
    }
    ~Hub() { delete main; }

    MainWidget *main = nullptr;
    Analyst *analyst = nullptr;
    PlotWidget *plot = nullptr;
    QTabWidget *tabs = nullptr;
    QComboBox *x = nullptr;
    QComboBox *y = nullptr;

private:
    Hub()
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
        markForAnalyst(*main->getProblem());
        // Only the Graph-Analyst takes the graphs: a vertex table of 2.3 million rows is not
        // what is measured here.
        QObject::disconnect(main->getLoader(), nullptr, main->getVertexAnalyst(), nullptr);
        main->getGraphAnalyst()->slot_set_filter_mode(false);
        if (!main->getLoader()->setFilename(dir.filePath(QStringLiteral("geng.g6"))))
            return;
        main->getLoader()->start();
        main->getLoader()->wait();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        analyst = main->getGraphAnalyst()->getAnalyst();
        plot = main->getGraphPlot();
        tabs = main->getGraphAnalystTabs();
        x = main->findChild<QComboBox *>(QStringLiteral("graphAnalystTabsX"));
        y = main->findChild<QComboBox *>(QStringLiteral("graphAnalystTabsY"));
        ready = analyst->nbGraphs() > 0 && x && y && x->count() > 2;
    }

    static inline Hub *instance = nullptr;
    QTemporaryDir dir;
    BuildCalculus catalogue;
    bool ready = false;
};

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
        state.ResumeTiming();
        hub->plot->clear();
    }
    state.counters["rows"] = hub->analyst->nbGraphs();
}

// Refilling a filled plot: the old points go, one new point per row (hub hidden).
void BM_PlotRefill(benchmark::State &state)
{
    Hub *hub = Hub::get();
    if (!hub) {
        state.SkipWithError("the hub could not load the graphs");
        return;
    }
    hub->main->hide();
    hub->plot->fill(hub->analyst, 0, 1, Scale, Scale, Radius);
    for (auto _ : state)
        hub->plot->fill(hub->analyst, 0, 1, Scale, Scale, Radius);
    state.counters["points"] = hub->plot->plotItems().size();
    hub->plot->clear();
}

// The hub shown on the Graph-Analyst, both axes chosen: "Table view" -> "X-Y Settings" -> "Table
// view", each switch with the events it causes (refill, and the paint of the shown plot). The time
// covers both switches; the longest single switch is a counter.
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
    QCoreApplication::processEvents();
    double longest = 0.0;
    int switches = 0;
    for (auto _ : state) {
        for (int tab : {2, 1}) {
            QElapsedTimer t;
            t.start();
            hub->tabs->setCurrentIndex(tab);
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            longest = std::max(longest, t.elapsed() / 1000.0);
            ++switches;
        }
    }
    state.counters["longest_switch_s"] = longest;
    state.counters["points"] = hub->plot->plotItems().size();
    state.SetItemsProcessed(switches);
    hub->x->setCurrentIndex(0);
    hub->main->hide();
}

} // namespace

BENCHMARK(BM_GraphAnalystUpdate)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_PlotClear)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_PlotRefill)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_AnalystSubTabSwitch)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

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
