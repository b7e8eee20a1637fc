#include "analysts/DataLoader.h"

#include "analysts/RunWindow.h"
#include "graph/Graph.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <iostream>

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
    QByteArray bytes = file.readAll();
    file.close();
    const ProblemSnapshot start = snapshot;
    settings.unlock();

    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    QString text = QString::fromUtf8(bytes);
    bytes.clear();
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    text.clear();
    const int n = lines.size();

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
        const QString &line = lines.at(i);
        // A blank line is skipped, but a cancel is still seen after it.
        if (!line.isEmpty()) {
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
