#pragma once

#include <QString>
#include <QVector>

#include "graph/SymmetricEigenvalues.h"

#include <atomic>
#include <random>

class Graph;

// Decides whether two graphs, given as graph strings, are isomorphic.
//
// Different orders or numbers of edges answer -1 at once; different adjacency spectra answer 0
// at once; identical graphs answer 1 at once. Otherwise an exact search runs first: colour
// refinement of both graphs together, then individualisation of one vertex of the first graph
// against each candidate of the second, refined again, depth first. It settles almost every pair
// of up to 32 vertices within a few hundred refinements, with a proof either way. Only when it
// spends its node limit does the spectral local search follow: over vertex
// correspondences P (swaps, 3-rotations, double swaps, 4-rotations, restarted with growing random
// kicks) lowers a spectral objective: the distance between the spectrum of the block matrix
// [[A1, P], [P^T, A2]] and the spectrum {l + 1, l - 1 : l eigenvalue of A1} that it has exactly
// when P is an isomorphism. The answer 1 is given only for a correspondence checked edge by edge,
// so two graphs that are not isomorphic never answer 1; the answer 0 after a search only means
// that none was found within the budget.
//
// Every objective evaluation is an eigenvalue computation of order 2n; the test checks its
// evaluation budget and its stop flag before each one, so it ends soon after either runs out.
//
// Construct on the GUI thread (it owns two headless graphs); afterwards one thread at a time may
// use it.
class Isomorphic
{
public:
    static constexpr int DefaultBudget = 100000;

    Isomorphic();
    ~Isomorphic();
    Isomorphic(const Isomorphic &) = delete;
    Isomorphic &operator=(const Isomorphic &) = delete;

    // False for a string whose order lies outside 0..32: the test then answers -1 until a graph is
    // given.
    bool setG1(QString s);
    bool setG2(QString s);

    // -1: different orders or sizes (or a graph missing); 0: not isomorphic or none found;
    // 1: isomorphic (correspondence() holds a checked isomorphism).
    int isIsomorphic();

    void setBudget(int evaluations) { budget = evaluations < 0 ? 0 : evaluations; }
    int getBudget() const { return budget; }
    // Refinements the exact search may spend before the spectral search takes over.
    void setNodeLimit(int nodes) { nodeLimit = nodes < 0 ? 0 : nodes; }
    int getNodeLimit() const { return nodeLimit; }
    int getNodes() const { return nodes; }
    // The test stops before its next evaluation once *flag is true (null: no flag).
    void setStopFlag(const std::atomic<bool> *flag) { stopFlag = flag; }
    // Seeds the generator of the random kicks (seeded from the thread's generator otherwise).
    void setSeed(quint32 seed) { rng.seed(seed); }
    // Trace of the search on the error stream (on by default).
    void setTrace(bool on) { trace = on; }

    int getEvaluations() const { return evaluations; }
    double getBestObjective() const { return bestObjective; }
    // True when the last test ended on its budget or its stop flag.
    bool wasHalted() const { return halted; }
    // Entry i: the vertex of the second graph matched with vertex i of the first.
    QVector<int> correspondence() const { return QVector<int>(P.begin(), P.begin() + n); }

    // The search's own steps, public for inspection.
    double eval();
    void swap(int a, int b);
    void rotate3(int a, int b, int c);
    void rotate4(int a, int b, int c, int d);
    void perturb(int k);
    void bestbackup();
    void bestrestore();
    void display() const;

private:
    void link(int x, double v);
    bool evaluate(double &g);
    bool accept(double g, double &f, const char *letter);
    bool isomorphism(const QVector<int> &p) const;
    bool sweepSwaps(double &f);
    bool sweepRotate3(double &f);
    bool sweepDoubleSwaps(double &f);
    bool sweepRotate4(double &f);
    void traceValue(const char *prefix, double v, const char *suffix = "") const;
    QVector<double> spectrum(const quint32 *rows) const;
    bool stopRequested() const { return stopFlag && stopFlag->load(std::memory_order_relaxed); }
    // Exact search: 1 found (in P), 0 proved impossible, -1 node limit or stop flag reached.
    int exactSearch();
    // Refines the colouring of both graphs (vertices 0..n-1 first, n..2n-1 second) to a stable
    // one; false when some colour has different counts in the two graphs.
    bool refine(QVector<int> &colour) const;
    int branch(const QVector<int> &colour);

    Graph *g1;
    Graph *g2;
    bool valid1 = false;
    bool valid2 = false;
    quint32 rows1[32] = {};
    quint32 rows2[32] = {};
    // The block matrix [[A1, P], [P^T, A2]], row-major with stride 2n.
    QVector<double> work;
    SymmetricEigenvalues solver;
    QVector<double> target;
    QVector<int> P;
    QVector<int> bestP;
    int n = 0;
    int evaluations = 0;
    int budget = DefaultBudget;
    int nodeLimit = 20000;
    int nodes = 0;
    bool nodeLimitReached = false;
    double bestObjective = 0.0;
    int kick = 0;
    int cycle = 0;
    bool found = false;
    bool halted = false;
    bool trace = true;
    const std::atomic<bool> *stopFlag = nullptr;
    std::mt19937 rng;
};
