#pragma once

#include "optimisation/ProblemSnapshot.h"
#include "optimisation/SyncedThread.h"

#include <QFile>
#include <QString>
#include <QVector>

#include <atomic>
#include <mutex>

class Graph;
class Problem;
class RunWindow;

// The thread that turns a file of graphs (graph6 lines, or graph strings) into a buffer of graph
// strings for the analyst tabs; the same buffer receives the graphs a search run found.
//
// A load reads every line into the loader's own headless graph and, with the filter on,
// evaluates it with the loader's own copy of the user's problem (taken when the file is set, on
// the GUI thread); graphs that violate the problem are dropped, lines the graph reader refuses
// are skipped and counted. The buffer is replaced once, at the end of the load, so readers on the
// GUI thread (getGraphs, size) wait only for that short moment; a hand-over by the search
// (clear, addGraph, addGraphs) waits until a running load has ended.
class DataLoader : public SyncedThread
{
    Q_OBJECT

public:
    // Construct on the GUI thread: it makes the loader's own graph and problem.
    DataLoader(Problem *problem, Graph *graph, RunWindow *runWindow);
    ~DataLoader() override;

    // Opens the file for the next load and takes the user's problem as it stands (GUI thread).
    // Refused (false, nothing changes) while a load runs. False when the file does not open.
    bool setFilename(QString name);
    QString getFilename() const;
    // "g6" (default) or "tsy"; read when a load starts.
    void setDataType(QString type);
    QString getDataType() const;
    // With the filter on (default) a graph that violates the problem is not kept.
    void setFilter(bool on) { filter.store(on); }
    bool getFilter() const { return filter.load(); }

    // Appends g and reports one completed load.
    void addGraph(QString g);
    // Appends every string of list in order and reports one completed load.
    void addGraphs(QVector<QString> list);
    void clear();
    int size();
    QVector<QString> getGraphs();
    // Lines refused by the graph reader in the last load.
    int invalidLines() const { return invalid.load(); }

public slots:
    void run() override;

signals:
    void signal_load_complete();
    void signal_elements_read(int i);
    void signal_total_elements(int n);
    void signal_console(QString text);
    void signal_start(int n);

private:
    Problem *problem;
    Graph *graph;
    std::atomic<bool> filter{true};
    QString filename;
    QString dataType = QStringLiteral("g6");
    QFile file;
    QVector<QString> graphs;
    RunWindow *runWindow;
    // Standard mutexes, whose ordering ThreadSanitizer sees (scripts/tsan.sh).
    // Guards graphs, briefly.
    std::mutex mutex;
    // Held for a whole load and by the hand-over operations, which thus wait for a load.
    std::mutex loadMutex;
    // Guards filename, dataType, file and snapshot between the GUI thread and the load.
    mutable std::mutex settingsMutex;
    ProblemSnapshot snapshot;
    Problem *ownProblem = nullptr;
    Graph *ownGraph = nullptr;
    std::atomic<int> invalid{0};
    // Set by the destructor: a running load ends after its current line.
    std::atomic<bool> abort{false};
};
