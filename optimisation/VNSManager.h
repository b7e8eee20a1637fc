#pragma once

#include "optimisation/ProblemSnapshot.h"
#include "optimisation/SyncedThread.h"

#include <QColor>
#include <QMutex>
#include <QString>
#include <QVector>

#include <climits>
#include <mutex>

class AnalystWidget;
class DataLoader;
class Graph;
class OptimalSolutions;
class Problem;
class VNS;

// The front of the search: holds the optimisation settings, owns the four workers, turns one
// press of Run into jobs (one unswept job per worker used, or one job per value of p1, or per
// pair (p1, p2)), hands them to idle workers and, when none is left, hands the graphs found to
// the graph loader.
//
// Threads: the manager, its workers and their private problems and graphs are created on the
// GUI thread, where every slot runs. slot_startVNS takes everything a run needs from the user's
// problem and graph there, so run() on the manager's thread never touches them; new best graphs
// come back from the workers as graph strings and are published on the GUI thread.
class VNSManager : public SyncedThread
{
    Q_OBJECT

public:
    static constexpr int NbWorkers = 4;
    // Largest number of jobs one run builds.
    static constexpr int MaxJobs = 100000;

    VNSManager(Problem *problem, Graph *graph, AnalystWidget *graphAnalyst, AnalystWidget *vertexAnalyst,
               DataLoader *loader);
    // Stops the run and waits for the manager's and the workers' threads.
    ~VNSManager() override;

    // The jobs of the last started run (empty after an unswept start).
    QVector<int> getJobP1() const { return jobP1; }
    QVector<int> getJobP2() const { return jobP2; }
    QVector<int> getJobNbnod() const { return jobNbnod; }
    QVector<int> getJobNbarcs() const { return jobNbarcs; }
    int nbJobs() const { return jobP1.size(); }
    OptimalSolutions *jobArchive(int i) const { return jobArchives.value(i); }
    OptimalSolutions *getBest() const { return best; }
    VNS *worker(int i) const { return workers.value(i); }
    QMutex *getSharedMutex() const { return sharedMutex; }
    int getMaxTime() const { return maxTime; }
    int getNbThreads() const { return nb_threads; }

    // Fixed seed for the workers' random numbers (0: a fresh seed per job); for reproducible runs.
    void setSeed(quint32 seed);

public slots:
    void run() override;

    void slot_set_nb_threads(int n) { nb_threads = n; }
    // Seconds; saturates instead of overflowing (a time of 0 or less means no limit).
    void slot_setMaxTime(int s) { maxTime = static_cast<int>(qBound<qint64>(0, qint64(s) * 1000, INT_MAX)); }
    void slot_set_cpu_max(int ms) { maxTime = ms; }
    void slot_set_nbnod(int n) { nbnod = n; }
    void slot_set_nbarcs(int m) { nbarcs = m; }
    void slot_fix_nbnod(bool b) { fix_nbnod = b; }
    void slot_fix_nbarcs(bool b) { fix_nbarcs = b; }
    void slot_fix_nbnod_to_p1(bool b) { fix_nbnod_to_p1 = b; }
    void slot_fix_nbarcs_to_p2(bool b) { fix_nbarcs_to_p2 = b; }
    void slot_use_param1(bool b) { use_param1 = b; }
    void slot_use_param2(bool b) { use_param2 = b; }
    void slot_set_p1min(int v) { p1min = v; }
    void slot_set_p1max(int v) { p1max = v; }
    void slot_set_p2minsq(double v) { p2minsq = v; }
    void slot_set_p2minlin(double v) { p2minlin = v; }
    void slot_set_p2mincst(double v) { p2mincst = v; }
    void slot_set_p2maxsq(double v) { p2maxsq = v; }
    void slot_set_p2maxlin(double v) { p2maxlin = v; }
    void slot_set_p2maxcst(double v) { p2maxcst = v; }
    void slot_save_graphs(bool b) { save_graphs = b; }
    void slot_set_max_evals(int n) { emit signal_max_evals(n); }
    void slot_set_amnesy_mode(bool b) { emit signal_set_amnesy_mode(b); }
    void slot_optimize_family_in_ls(bool b) { emit signal_optimize_family_in_ls(b); }
    void slot_set_start_random(bool b) { emit signal_set_start_random(b); }
    void slot_use_c6_regular(bool b) { emit signal_use_c6_regular(b); }
    void slot_reset_stats(bool b) { emit signal_reset_stats(b); }
    void slot_set_agressivity(int v) { emit signal_set_agressivity(v); }

    // Builds the job list and starts the run; only reports when a run is under way.
    void slot_startVNS();
    // No further job starts; the running jobs stop; the graphs found so far are handed over.
    void slot_stopVNS();
    void slot_new_solution() { emit signal_new_solution(); }
    void slot_console(QString text, bool debug, int level, QColor colour, int threadNo)
    {
        emit signal_console(text, debug, level, colour, threadNo);
    }
    // Publishes a worker's new best graph on the user's graph and problem (GUI thread), then
    // emits signal_new_solution. Publications overtaken by a newer one are skipped.
    void slot_publish_graph(QString graph, qint64 serial);

signals:
    void signal_optimization_starts();
    void signal_optimization_complete();
    void signal_please_wait(bool);
    void signal_graphs_ready();
    void signal_terminate_jobs();
    void signal_max_evals(int);
    void signal_set_amnesy_mode(bool);
    void signal_optimize_family_in_ls(bool);
    void signal_set_start_random(bool);
    void signal_use_c6_regular(bool);
    void signal_reset_stats(bool);
    void signal_set_agressivity(int);
    void signal_new_solution();
    void signal_console(QString text, bool debug, int level, QColor colour);
    void signal_console(QString text, bool debug, int level, QColor colour, int threadNo);

private:
    // What run() needs, fixed on the GUI thread when the run starts.
    struct Plan {
        bool swept = false;
        bool valid = true;
        int nbThreads = 1;
        int nbnod = 10;
        int nbarcs = 10;
        int maxTime = 600000;
        bool fixNbArcs = false;
        bool saveGraphs = true;
        ProblemSnapshot start;
    };
    void buildJobs();
    void appendJob(int n, int m, int p1, int p2);
    void report(const QString &text, int level, const QColor &colour);

    Problem *guiProblem;
    Graph *guiGraph;
    QVector<int> jobP1;
    QVector<int> jobP2;
    QVector<int> jobNbnod;
    QVector<int> jobNbarcs;
    int nbnod = 10;
    int nbarcs = 10;
    int maxTime = 600000;
    QVector<OptimalSolutions *> jobArchives;
    OptimalSolutions *best;
    QMutex *sharedMutex;
    // Guards nextJob and halted (a standard mutex, visible to ThreadSanitizer).
    std::mutex jobMutex;
    QVector<VNS *> workers;
    // Stored only: the hub connects them to signal_graphs_ready.
    AnalystWidget *graphAnalyst;
    AnalystWidget *vertexAnalyst;
    DataLoader *loader;
    int nb_threads = 1;
    int nextJob = 0;
    // Set by a Halt until the next start; guarded by jobMutex like nextJob.
    bool halted = false;
    bool save_graphs = true;
    bool fix_nbnod = false;
    bool fix_nbarcs = false;
    bool fix_nbnod_to_p1 = false;
    bool fix_nbarcs_to_p2 = false;
    bool use_param1 = false;
    bool use_param2 = false;
    double p2minsq = 0.0, p2minlin = 0.0, p2mincst = 0.0;
    double p2maxsq = 0.0, p2maxlin = 0.0, p2maxcst = 0.0;
    int p1min = 10;
    int p1max = 10;
    Plan plan;
};
