#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <mutex>

class Eval;
class Solution;

// The archive of non-dominated solutions, and the acceptance test of the search.
//
// Candidates are ranked first by their violation values, lexicographically (a feasible
// candidate beats every violated one), then, on the same violation level, by Pareto dominance
// of their objective points; every objective is minimised and every comparison allows 1e-6.
// A NaN counts as +infinity in every comparison, so a failed computation never dominates a
// real value. A problem without objectives gives candidates without points: the first
// feasible one is kept (replacing violated ones), and every later feasible one is refused.
//
// Points: a solution with objective vectors Z1..Zm of largest length L has L points of m
// coordinates; coordinate k of point i is Zk[i] when Zk has L values and Zk[0] otherwise.
//
// Locking: addSolution, accepts, updateSolutions, clear, open and close take the archive's
// (non-recursive) mutex. The readers (size, nbPoints, graphs, lastSolution, ...) do not: a
// thread that reads an archive shared with other threads holds lock() around the read and the
// use of what it returned, and calls none of the locking operations meanwhile. Lock order:
// a caller that also holds another lock of the engine takes that one first.
class OptimalSolutions
{
public:
    OptimalSolutions();
    ~OptimalSolutions();
    OptimalSolutions(const OptimalSolutions &) = delete;
    OptimalSolutions &operator=(const OptimalSolutions &) = delete;

    // Offers a candidate. True: accepted, the archive owns s. False: refused, the caller keeps s.
    bool addSolution(Solution *s);
    // Whether addSolution would accept a candidate with this evaluation right now. Exact for an
    // archive that no other thread changes; lets the search skip building refused candidates.
    bool accepts(const Eval &e);
    // The dominance test with insertion (no lock: called under it): true when a front point
    // covers p; otherwise removes the front points p covers, appends p and returns false.
    // A front point of another dimension ends the test with false and inserts nothing.
    bool isDominated(const QVector<double> &p);

    // Deletes the stored solutions none of whose points lies on the front.
    void updateSolutions();
    // The same without taking the lock.
    void updateSolutions2();
    // Deletes every solution and empties the front; name, family mode and closed stay.
    void clear();

    int size() const { return solutions.size(); }
    int nbPoints() const { return points.size(); }
    QStringList graphs() const;
    // Graph string of solution i, "" outside the range.
    QString graph(int i) const;
    // The most recently stored solution (the archive keeps it), null when empty.
    Solution *lastSolution() const;
    Solution *OSSolution(int i) const;
    // The front, in order of insertion.
    QList<QVector<double>> front() const { return points; }

    // Family mode (default): several points per solution and several solutions are kept.
    // Off: only single-value objectives are accepted and the archive holds one solution.
    void setFamily(bool f) { family.store(f); }
    bool isFamily() const { return family.load(); }
    void setName(const QString &n) { name = n; }
    QString getName() const { return name; }

    // A closed archive refuses every candidate until open().
    void open();
    void close();
    bool isClosed() const { return closed.load(); }

    void lock() { mutex.lock(); }
    void unlock() { mutex.unlock(); }

    // Writes the count, the name and every solution's evaluation to the standard error stream.
    void display() const;

private:
    // Outcome of the violation-level comparison of a candidate with the archive.
    enum class Level { Refuse, Replace, ReplaceWithoutPoints, PointsTest };
    Level compareLevel(const Eval &e) const;
    // Largest length of the objective vectors, -1 when one of them is empty.
    static int pointCount(const Eval &e);
    // True when some point of e is not covered by the present front.
    // True when a front point has another number of coordinates than e has objectives.
    bool otherDimension(const Eval &e) const;
    bool hasUncoveredPoint(const Eval &e, int L) const;
    static QVector<double> makePoint(const Eval &e, int L, int i);
    void deleteAll();
    void prune();

    QList<Solution *> solutions;
    // A standard mutex rather than a QMutex: ThreadSanitizer sees its ordering (scripts/tsan.sh).
    std::mutex mutex;
    QString name;
    std::atomic<bool> family{true};
    std::atomic<bool> closed{false};
    QList<QVector<double>> points;
};
