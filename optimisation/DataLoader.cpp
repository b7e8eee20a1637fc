#include "optimisation/DataLoader.h"

#include "dialogs/RunWindow.h"
#include "graph/Graph.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <iostream>
#include <limits>

namespace
{

// Reads a file one line at a time through a fixed-size buffer, so that memory does not grow with
// the file: a full run of a graph generator can be gigabytes. Line ends are "\n", "\r", "\r\n"
// and "\n\r"; the part after the last line end is a line too. Every byte, NUL included, belongs
// to its line. A line longer than MaxLine is consumed whole but handed out as too long.
class LineSource
{
public:
    static constexpr int MaxLine = 1 << 20;

    explicit LineSource(QIODevice *device) : device(device) { buffer.resize(1 << 16); }

    // The next line into line (without its end); false when the input is exhausted.
    bool next(QByteArray &line, bool &tooLong)
    {
        line.clear();
        tooLong = false;
        if (done)
            return false;
        for (;;) {
            const int c = get();
            if (c < 0) {
                done = true;
                return true;
            }
            if (c == '\n' || c == '\r') {
                const int other = c == '\n' ? '\r' : '\n';
                if (peek() == other)
                    get();
                return true;
            }
            if (line.size() < MaxLine)
                line.append(char(c));
            else
                tooLong = true;
        }
    }

private:
    int peek()
    {
        if (pos == filled && !fill())
            return -1;
        return (unsigned char)buffer[pos];
    }
    int get()
    {
        const int c = peek();
        if (c >= 0)
            ++pos;
        return c;
    }
    bool fill()
    {
        if (ended)
            return false;
        const qint64 got = device->read(buffer.data(), buffer.size());
        pos = 0;
        filled = got > 0 ? int(got) : 0;
        if (got <= 0)
            ended = true;
        return filled > 0;
    }

    QIODevice *device;
    QByteArray buffer;
    int pos = 0;
    int filled = 0;
    bool ended = false;
    bool done = false;
};

} // namespace

DataLoader::DataLoader(Problem *problem, Graph *graph, RunWindow *runWindow)
    : SyncedThread(nullptr), problem(problem), graph(graph), runWindow(runWindow)
{
    ownGraph = new Graph(QStringLiteral("loader"), false);
    if (problem) {
        ownProblem = problem->clone();
        ownProblem->setGraph(ownGraph);
    }
}

DataLoader::~DataLoader()
{
    abort.store(true);
    wait();
    delete ownProblem;
    delete ownGraph;
}

bool DataLoader::setFilename(QString name)
{
    if (isRunning())
        return false;
    std::lock_guard<std::mutex> locker(settingsMutex);
    filename = name;
    if (file.isOpen())
        file.close();
    file.setFileName(name);
    snapshot = ProblemSnapshot::take(problem, nullptr);
    return !name.isEmpty() && file.open(QIODevice::ReadOnly);
}

QString DataLoader::getFilename() const
{
    std::lock_guard<std::mutex> locker(settingsMutex);
    return filename;
}

void DataLoader::setDataType(QString type)
{
    std::lock_guard<std::mutex> locker(settingsMutex);
    dataType = type;
}

QString DataLoader::getDataType() const
{
    std::lock_guard<std::mutex> locker(settingsMutex);
    return dataType;
}

void DataLoader::addGraph(QString g)
{
    std::lock_guard<std::mutex> load(loadMutex);
    {
        std::lock_guard<std::mutex> locker(mutex);
        graphs.append(g);
    }
    emit signal_load_complete();
    emit signal_elements_read(0);
}

void DataLoader::addGraphs(QVector<QString> list)
{
    std::lock_guard<std::mutex> load(loadMutex);
    {
        std::lock_guard<std::mutex> locker(mutex);
        graphs += list;
    }
    emit signal_load_complete();
    emit signal_elements_read(0);
}

void DataLoader::clear()
{
    std::lock_guard<std::mutex> load(loadMutex);
    std::lock_guard<std::mutex> locker(mutex);
    graphs.clear();
}

int DataLoader::size()
{
    std::lock_guard<std::mutex> locker(mutex);
    return graphs.size();
}

QVector<QString> DataLoader::getGraphs()
{
    std::lock_guard<std::mutex> locker(mutex);
    return graphs;
}

void DataLoader::run()
{
    EndMark mark(this);
    std::unique_lock<std::mutex> settings(settingsMutex);
    if (!file.isOpen())
        return;
    std::lock_guard<std::mutex> load(loadMutex);
    const bool g6 = dataType == QLatin1String("g6");
    const ProblemSnapshot start = snapshot;
    settings.unlock();

    // A first pass counts the lines for the progress window; the second reads them one by one.
    int n = 0;
    {
        LineSource counter(&file);
        QByteArray line;
        bool tooLong = false;
        while (counter.next(line, tooLong) && n < std::numeric_limits<int>::max() && !abort.load())
            ++n;
    }
    if (!file.seek(0)) {
        file.close();
        emit signal_console(QStringLiteral("The graph file could not be read again."));
        return;
    }
    LineSource source(&file);
    std::cerr << n << " graphs to read" << std::endl;
    emit signal_start(n);
    emit signal_total_elements(n);
    if (runWindow)
        runWindow->setCancel(false);

    const bool filtering = filter.load();
    bool evaluating = filtering && ownProblem && start.applyTo(ownProblem);
    if (filtering && !evaluating)
        emit signal_console(QStringLiteral("The problem could not be read: graphs are loaded unfiltered."));
    QVector<QString> kept;
    int refused = 0;
    Eval e;
    QByteArray bytes;
    for (int i = 0; i < n; ++i) {
        if (i % 100 == 0) {
            emit signal_elements_read(i);
            if (i % 1000 == 0) {
                std::cerr << i << std::endl;
                if (i % 10000 == 0)
                    emit signal_console(QString::number(i) + QStringLiteral("/") + QString::number(n) +
                                        QStringLiteral(" graphs loaded."));
            }
        }
        bool tooLong = false;
        if (!source.next(bytes, tooLong))
            break;
        // A blank line is skipped, but a cancel is still seen after it. No graph line holds a
        // NUL byte: such a line is bad whatever the format.
        if (tooLong || bytes.contains('\0')) {
            ++refused;
        } else if (!bytes.isEmpty()) {
            const QString line = QString::fromUtf8(bytes);
            const bool read = g6 ? ownGraph->loadg6(line, false) : ownGraph->loadtsy(line, false);
            if (!read) {
                ++refused;
            } else {
                bool keep = true;
                if (evaluating) {
                    ownProblem->eval(&e);
                    keep = !e.violated();
                }
                if (keep)
                    kept.append(ownGraph->currentGraphData());
            }
        }
        if ((runWindow && runWindow->isCancelled()) || abort.load()) {
            std::cerr << "Cancelled" << std::endl;
            break;
        }
    }

    file.close();
    invalid.store(refused);
    if (refused > 0)
        emit signal_console(QString::number(refused) + QStringLiteral(" invalid line(s) skipped."));
    {
        std::lock_guard<std::mutex> locker(mutex);
        graphs = kept;
    }
    emit signal_console(QString::number(kept.size()) + QStringLiteral(" graphs loaded."));
    emit signal_load_complete();
    emit signal_elements_read(0);
    if (runWindow)
        runWindow->setCancel(false);
}
