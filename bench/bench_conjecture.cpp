// The conjecture engine on the rows of every connected graph on 9 vertices (nauty-geng -c 9,
// 261,080 graphs): ORDER, SIZE, ZAGREB1 (sum of squared degrees), TRIANGLES, WIENER and the
// largest adjacency eigenvalue, so that most rows differ and the rest are true repeats.
//
// - BM_ConjectureFit: one fit (the linear solve) of 324, 1,000 and 2,700 terms.
// - BM_ConjectureLoad: the engine takes every row (addPoint) and drops the repeats.
// - BM_ConjecturePanelStart: the panel's "Search" on an analyst with these rows: how long the
//   click keeps the GUI thread (gui_block_ms), when the progress window shows (window_ms), and
//   how long a Cancel pressed as soon as it shows takes to end the search (cancel_ms).
// - BM_ConjectureCancelLongFit: a search with 2,700 candidate terms (24 variables, squares,
//   roots and combined products) on 5,400 rows; Cancel is pressed while it fits, and cancel_ms is
//   how long the search then takes to end.
//
// Needs nauty-geng on the PATH (Debian package nauty); the order can be changed with the
// environment variable TESSALY_BENCH_ORDER.

#include "analysts/Analyst.h"
#include "analysts/ConjectureEngine.h"
#include "analysts/ConjectureWidget.h"
#include "dialogs/RunWindow.h"
#include "graph/LinearSolve.h"
#include "graph/SymmetricEigenvalues.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

using Rows = QVector<QVector<double>>;

int order()
{
    const int n = qEnvironmentVariableIntValue("TESSALY_BENCH_ORDER");
    return n >= 2 && n <= 10 ? n : 9;
}

const QStringList &columns()
{
    static const QStringList names{"ORDER", "SIZE", "ZAGREB1", "TRIANGLES", "WIENER", "LAMBDA1"};
    return names;
}

// One row per graph6 line.
QVector<double> invariants(const QByteArray &g6)
{
    const int n = g6.at(0) - 63;
    QVector<QVector<double>> adj(n, QVector<double>(n, 0.0));
    QVector<quint32> mask(n, 0);
    int bit = 0;
    for (int j = 1; j < n; ++j) {
        for (int i = 0; i < j; ++i, ++bit) {
            const int byte = 1 + bit / 6;
            if ((g6.at(byte) - 63) >> (5 - bit % 6) & 1) {
                adj[i][j] = adj[j][i] = 1.0;
                mask[i] |= 1u << j;
                mask[j] |= 1u << i;
            }
        }
    }
    double size = 0, zagreb = 0, triangles = 0, wiener = 0;
    for (int v = 0; v < n; ++v) {
        const int d = __builtin_popcount(mask[v]);
        size += d;
        zagreb += d * d;
        for (int u = v + 1; u < n; ++u)
            if (mask[v] >> u & 1)
                triangles += __builtin_popcount(mask[v] & mask[u] & ~((2u << u) - 1));
        quint32 seen = 1u << v, frontier = seen;
        for (int level = 1; frontier; ++level) {
            quint32 next = 0;
            for (int u = 0; u < n; ++u)
                if (frontier >> u & 1)
                    next |= mask[u];
            next &= ~seen;
            wiener += level * __builtin_popcount(next);
            seen |= next;
            frontier = next;
        }
    }
    static SymmetricEigenvalues eig;
    eig.compute(adj, n);
    return {double(n), size / 2, zagreb, triangles, wiener / 2, eig.value(0)};
}

const Rows &rows()
{
    static Rows data;
    if (!data.isEmpty())
        return data;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("geng.g6"));
    QProcess geng;
    geng.setStandardOutputFile(file);
    geng.start(QStringLiteral("nauty-geng"),
               {QStringLiteral("-c"), QStringLiteral("-q"), QString::number(order())});
    if (!geng.waitForFinished(600000) || geng.exitCode() != 0)
        return data;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return data;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (!line.isEmpty())
            data.append(invariants(line));
    }
    return data;
}

void BM_ConjectureLoad(benchmark::State &state)
{
    const Rows &data = rows();
    if (data.isEmpty()) {
        state.SkipWithError("nauty-geng is not available");
        return;
    }
    ConjectureEngine engine(nullptr);
    int kept = 0;
    for (auto _ : state) {
        engine.clear();
        engine.setHeader(columns());
        for (const auto &r : data)
            engine.addPoint(r);
        kept = engine.nbPoints();
    }
    state.counters["rows"] = data.size();
    state.counters["kept"] = kept;
    state.counters["rows_per_s"] = benchmark::Counter(static_cast<double>(data.size()) * state.iterations(),
                                                      benchmark::Counter::kIsRate);
}

void BM_ConjecturePanelStart(benchmark::State &state)
{
    const Rows &data = rows();
    if (data.isEmpty()) {
        state.SkipWithError("nauty-geng is not available");
        return;
    }
    Analyst analyst;
    analyst.setHeader(columns());
    for (int i = 0; i < data.size(); ++i)
        analyst.push_back(data[i], i);
    analyst.buildTable();
    ConjectureWidget panel(&analyst);
    panel.setHeader(analyst.getHeader());
    RunWindow *window = panel.getRunWindow();
    double block = 0, shown = 0, cancelled = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        panel.slot_run();
        block = clock.nsecsElapsed() / 1e6;
        while (!window->isVisible() && panel.isSearching())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        shown = clock.nsecsElapsed() / 1e6;
        QElapsedTimer cancel;
        cancel.start();
        window->getCancelButton()->click();
        while (panel.isSearching())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        cancelled = cancel.nsecsElapsed() / 1e6;
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    state.counters["rows"] = data.size();
    state.counters["gui_block_ms"] = block;
    state.counters["window_ms"] = shown;
    state.counters["cancel_ms"] = cancelled;
}

void BM_ConjectureCancelLongFit(benchmark::State &state)
{
    const int m = 24;
    QStringList header;
    for (int j = 0; j < m; ++j)
        header << QStringLiteral("x%1").arg(j);
    header << QStringLiteral("Y");
    const int n = 3 * m * (3 * m + 1) / 2 + 3 * m;
    // Values in general position, so that a fit eliminates through every column.
    Rows data;
    quint64 random = 7;
    for (int r = 0; r < 2 * n; ++r) {
        QVector<double> p;
        for (int j = 0; j <= m; ++j) {
            random = random * 6364136223846793005ull + 1442695040888963407ull;
            p << 1.0 + 4.0 * double(random >> 11) / 9007199254740992.0;
        }
        data << p;
    }
    RunWindow window(QStringLiteral("Searching conjectures"));
    ConjectureEngine engine(&window);
    double cancelled = 0;
    for (auto _ : state) {
        engine.clear();
        engine.setSq(true);
        engine.setSqrt(true);
        engine.setProd(true);
        engine.setCombine(true);
        engine.setHeader(header);
        engine.setUpper(true);
        engine.setTarget(QStringLiteral("Y"));
        for (const auto &p : data)
            engine.addPoint(p);
        engine.setTimeLimit(600000);
        engine.start();
        // Let the terms be built and the first fit begin.
        QThread::msleep(3000);
        QElapsedTimer clock;
        clock.start();
        window.setCancel(true);
        engine.wait();
        cancelled = clock.nsecsElapsed() / 1e6;
        state.SetIterationTime(cancelled / 1e3);
    }
    state.counters["terms"] = n;
    state.counters["rows"] = data.size();
    state.counters["cancel_ms"] = cancelled;
}

// One fit of n terms through n points (the linear solve alone).
void BM_ConjectureFit(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    QVector<QVector<double>> A(n, QVector<double>(n));
    QVector<double> b(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            A[i][j] = std::fmod((i + 1) * 0.618034 * (j + 3) + j * 0.1, 7.0);
        b[i] = std::fmod(i * 0.7548777, 3.0);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(solve(A, b));
    state.counters["terms"] = n;
}

} // namespace

BENCHMARK(BM_ConjectureFit)->Arg(324)->Arg(1000)->Arg(2700)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ConjectureLoad)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ConjecturePanelStart)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_ConjectureCancelLongFit)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
