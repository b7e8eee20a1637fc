#pragma once

#include "optimisation/OptimalSolutions.h"
#include "optimisation/ProblemSnapshot.h"
#include "optimisation/SignatureTables.h"
#include "optimisation/SyncedThread.h"

#include <QColor>
#include <QElapsedTimer>
#include <QString>
#include <QVector>

#include <atomic>

class Eval;
class Graph;
class Problem;
class QMutex;

// One worker of the search: a thread that runs one variable neighbourhood search job at a time
// on a private copy of the user's problem and a private graph.
//
// Threads: the worker object, its private problem and its private graph are created on the GUI
// thread; while a job runs only the worker's own thread uses the private problem and graph.
// The worker never touches the user's problem, graph or any widget: a new best graph leaves it
// as a graph string by signal_publish_graph, and the GUI side publishes it. A job stops on its
// own thread at its time limit (0: none), at its evaluation limit (0: none) or on a terminate
// request; a terminate request belongs to the job prepared or running when it arrives.
class VNS : public SyncedThread
{
    Q_OBJECT

public:
    VNS(Problem *problem, Graph *graph, int threadNo, QMutex *shared, OptimalSolutions *best);
    // Stops the running job and waits for the thread.
    ~VNS() override;

    // Prepares the next job; called while the thread is not running. start describes the
    // user's problem and graph as they were when the run started (taken on the GUI thread).
    // maxTime in milliseconds, 0 for no limit.
    void init(int nbnod, int nbarcs, int p1, int p2, int maxTime, bool fixNbArcs, OptimalSolutions *archive,
              const ProblemSnapshot &start);

    // Fixed seed for the random numbers of every following job (0: a fresh seed per job).
    void setSeed(quint32 seed) { fixedSeed.store(seed); }

    void setBestOptimalSolutions(OptimalSolutions *archive) { best = archive; }
    // Clears the worker's own archive, then the job's.
    void clear();
    void clear_stoquad_matrix();

    int getThreadNo() const { return threadNo; }
    // Evaluations of the present or last job; readable from any thread.
    int evaluations() const { return evalCount.load(std::memory_order_relaxed); }
    int getKMin() const { return kmin; }
    int getKMax() const { return kmax; }
    int getKStep() const { return kstep; }
    double getProb() const { return prob.load(); }
    bool isStartRandom() const { return start_random.load(); }

    // The worker's private problem and graph and its own archive (owned by the worker; for use
    // while no job runs).
    Problem *getOwnProblem() const { return ownProblem; }
    Graph *getOwnGraph() const { return ownGraph; }
    OptimalSolutions *getLocal() { return &local; }
    double weight(int s, int t) const { return W[s][t]; }
    void setWeight(int s, int t, double w) { W[s][t] = w; }

    // The latest serial number handed out with signal_publish_graph, over all workers.
    static qint64 lastPublication() { return publicationSerial.load(); }

    // ---- neighbourhood operations on the private graph (the worker's thread, or any thread
    // while no job runs) ----
    int quadSignature(const int *v);
    int quintSignature(const int *v);
    // Writes the signature code on the tuple, one addEdge/remEdge per pair; returns the result
    // of the last pair's call.
    bool setQuadGraph(const int *v, int code);
    bool setQuintGraph(const int *v, int code);
    void initQuadSizeVectors();
    void initQuintSizeVectors();
    void initQuintRegVectors();
    const SignatureTables::Table &getQuadSize() const { return quadSize; }
    const SignatureTables::Table &getQuintSize() const { return quintSize; }
    const SignatureTables::Table &getQuintReg() const { return quintReg; }

    // Shaking: k random moves that keep every degree, then the worker's own archive holds
    // exactly the evaluated result.
    void perturb(int k);
    // The learning quad-swap descent; true when some move reached the job's archive.
    bool ls_stoquad(bool stopWhenRegular);

    // ---- local searches for regular graphs: every move keeps every degree, except the repair ----
    // Rewrites quints (each in all 120 orders, 60 % of them drawn) to signatures with the same
    // degree at every position; true when some move reached the job's archive.
    bool ls_regular();
    // Swaps the edges and non-edges of alternating 6-cycles (each tried with probability prob);
    // sets improved only for moves the job's archive took; always false.
    bool ls_c6();
    // Moves edges from vertices above the required degree to vertices below it; true at once
    // when a move the job's archive took made the graph regular, else when some move reached it.
    bool ls_search_regular();

    // ---- local searches for a fixed number of edges ----
    // Adds or removes edges, pair by pair in lexicographic order, until the graph has the
    // required number of edges: the problem's count when the edge-count requirement is on,
    // otherwise, under the regular requirement, that of a regular graph (n d / 2). Evaluates and
    // archives nothing; true when it reached the count or came closer to it.
    bool ls_search_nbarcs();
    // The main loop's first step toward the count: one edge at a time, evening out the degrees.
    // True when it changed the graph.
    bool evenOutEdgeCount();
    // Rewrite every quad (quint) to signatures with the same number of edges; true when some
    // move reached the job's archive, or at once when stopWhenRegular and such a move left the
    // graph regular.
    bool ls_quadfixnbarcs(bool stopWhenRegular);
    bool ls_quintfixnbarcs(bool stopWhenRegular);
    // Toggles every vertex pair in a random order; true when some move reached the job's archive.
    bool ls_add_rem();
    // Below 4 vertices: every graph of the order is a candidate (at most 8), so the optimum is
    // found even where every single pair toggle fails the objective.
    bool ls_exhaustive();
    // Milliseconds since the present job started (0 outside a job).
    double timeOpt() const;

    // Runs one whole job on the calling thread (what run() does after its checks).
    void optimize();
    // Publishes the job archive's latest solution: the private graph takes it and
    // signal_publish_graph carries it to the GUI.
    void best_backup(const QString &label);

    // True once the present job has to stop; latches, and closes the job's archive.
    bool halted();

public slots:
    void run() override;

    void slot_setKMin(int v) { kmin = v; }
    void slot_setKMax(int v) { kmax = v; }
    void slot_setKStep(int v) { kstep = v; }
    void slot_setMaxTime(int ms) { maxTime = ms; }
    void slot_set_nbnod(int n) { nbnod = n; }
    void slot_set_nbarcs(int m) { nbarcs = m; }
    void slot_set_agressivity(int v);
    void slot_use_c6_regular(bool b) { use_c6_regular.store(b); }
    void slot_reset_stats(bool b) { reset_stats.store(b); }
    void slot_set_start_random(bool b);
    void slot_optimize_family_in_ls(bool b) { local.setFamily(b); }
    void slot_set_amnesy_mode(bool b) { amnesy.store(b); }
    // Evaluation limit of every following job and of the running one (0: no limit).
    void slot_set_max_evals(int n) { maxEvals.store(n); }
    // Stops the job that is prepared or running; an idle worker ignores it.
    void slot_terminateVNS();

signals:
    void signal_console(QString text, bool debug, int level, QColor colour, int threadNo);
    void signal_best_solution_changed();
    // A new best graph of the job's archive, as a graph string; serial orders publications.
    void signal_publish_graph(QString graph, qint64 serial);

private:
    enum class Offer { Refused, Local, Best };
    // The candidate step: evaluates the current graph into e and offers it to local, then to
    // best; publishes with label when best accepts.
    Offer candidateStep(Eval *e, const QString &label);
    // Evaluates the unchanged graph and offers it (no move to undo).
    void initialStep(Eval *e, const QString &label);
    void evaluate(Eval *e);
    void readRows();
    // How a walk through the rewrites of one tuple ended: go on with the next tuple, stop the
    // search (halted, or the graph's order changed under it), or a regular graph was reached.
    enum class Walk { Go, Stop, Regular };
    // Walks the rewrites that table lists for the present signature of the tuple v (4 or 5
    // vertices): each is written and offered; a refused one is undone, an accepted one becomes
    // the tuple's new signature. Sets pass on acceptance by local and result on acceptance by best.
    Walk walkRewrites(const int *v, int k, const SignatureTables::Table &table, Eval *e, const QString &label,
                      bool stopWhenRegular, bool &pass, bool &result);
    // Walks every tuple of k vertices (4 or 5), in lexicographic order, through walkRewrites with
    // table, pass after pass until a pass accepts nothing: the body of ls_quadfixnbarcs and
    // ls_quintfixnbarcs.
    bool rewriteEveryTuple(int k, const SignatureTables::Table &table, const QString &label,
                           bool stopWhenRegular);
    // Offers the evaluated current graph to local (which is emptied first when clearFirst).
    void archiveCurrent(bool clearFirst);
    void switchMoves(int k);
    void recentreWeights();
    bool isRegularGraph();
    // The graph has the number of edges the searches for regular graphs steer to.
    bool edgeCountMet();
    bool regularConstraintOn();
    // Runs the local searches chosen by the structural constraints for the loaded graph.
    bool searchChain();
    void console(const QString &text, bool debug, int level, const QColor &colour);
    void seedJob();

    // The number of edges the searches for regular graphs steer to (see ls_search_nbarcs).
    int targetEdges();

    int threadNo;
    QMutex *sharedMutex;
    Problem *ownProblem = nullptr;
    Problem *guiProblem;
    Graph *guiGraph;
    Graph *ownGraph = nullptr;
    QElapsedTimer clock;
    bool stop = false;
    bool initialised = false;
    int kmin = 4;
    int kmax = 20;
    int kstep = 1;
    int k = 0;
    std::atomic<bool> start_random{false};
    std::atomic<double> prob{0.3};
    int maxTime = 600000;
    int nbnod = 10;
    int nbarcs = 10;
    int p1 = 0;
    int p2 = 0;
    bool fixNbArcs = false;
    ProblemSnapshot startState;
    std::atomic<bool> use_c6_regular{false};
    std::atomic<bool> reset_stats{true};
    OptimalSolutions local;
    OptimalSolutions *best;
    bool improved = false;
    std::atomic<bool> amnesy{true};
    double W[64][64];
    SignatureTables::Table quintReg, quintSize, quadSize;

    std::atomic<int> maxEvals{0};
    std::atomic<int> evalCount{0};
    std::atomic<quint32> fixedSeed{0};
    // Job identity for stop requests: jobSerial grows with every init; a terminate request
    // records the serial of the job it stops.
    std::atomic<int> jobSerial{0};
    std::atomic<int> stopSerial{-1};
    std::atomic<bool> prepared{false};
    // The job this worker's thread runs (0: none yet; jobs count from 1).
    int runningJob = 0;
    quint32 rows[32];

    static std::atomic<qint64> publicationSerial;
};
