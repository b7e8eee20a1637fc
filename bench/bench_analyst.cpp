// The Graph-Analyst over every connected graph on 9 vertices (nauty-geng -c 9, 261,080 graphs):
// the load through the graph loader, then one update with WIENER, RANDIC and the largest
// adjacency eigenvalue marked for the analyst. Counters: graphs per second and the process's peak
// resident memory. bench/analyst_networkx_rate.py measures the same values with networkx.
//
// Needs nauty-geng on the PATH (Debian package nauty); the order can be changed with the
// environment variable TESSALY_BENCH_ORDER.

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/DataLoader.h"
#include "analysts/FilterWidget.h"
#include "graph/Graph.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

struct Board {
    Board() : graph(QStringLiteral("user"), false), problem(&graph, QStringLiteral("user"), false)
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
    Graph graph;
    Problem problem;
};

void BM_GraphAnalystUpdate(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("geng.g6"));
    QProcess geng;
    geng.setStandardOutputFile(file);
    geng.start(QStringLiteral("nauty-geng"),
               {QStringLiteral("-c"), QStringLiteral("-q"), QString::number(order())});
    if (!geng.waitForFinished(600000) || geng.exitCode() != 0) {
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

} // namespace

BENCHMARK(BM_GraphAnalystUpdate)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
