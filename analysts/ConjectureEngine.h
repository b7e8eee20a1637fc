#pragma once

#include "analysts/Conjecture.h"
#include "optimisation/SyncedThread.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QStringList>
#include <QVector>

#include <atomic>

class RunWindow;

// Proposes bounds "target <= f" (upper) or "target >= f" (lower) on one column of an analyst, where
// f is a constant plus a weighted sum of candidate terms: the other columns and, on request, their
// squares, square roots and pairwise products.
//
// A bound is an exact fit through as many data points as there are terms (the chosen points); a
// randomised local search with restarts moves the choice of points towards fits that no point
// violates and whose total gap to the points is smallest. Every fit that no point violates is
// reported once through signal_conjecture().
//
// Use: clear(), the option setters, setHeader(), setUpper(), setTarget(), addPoint() per row, then
// start(). The engine accepts data only between clear() and the start of a search (load mode); a
// search consumes the data and opens the engine for new data when it ends.
//
// The search runs on the engine's own thread and measures its own time. It stops at the time limit,
// on cancel() or when the progress window's cancel flag is set. These are checked while the
// points are taken in and the terms built, before every fit, and within a fit or an evaluation
// about once per million operations, so a search ends promptly whatever the number of terms.
// After cancel() has returned no further bound is emitted.
class ConjectureEngine : public SyncedThread
{
    Q_OBJECT

public:
    explicit ConjectureEngine(RunWindow *window);
    ~ConjectureEngine() override;

    // Options, column names and points; each is ignored outside load mode.
    void setUpper(bool b);
    void setSq(bool b);
    void setSqrt(bool b);
    void setProd(bool b);
    void setCombine(bool b);
    // Replaces the column names and drops every point.
    void setHeader(const QStringList &names);
    // Adds a data point; dropped ("Not in load mode" on the error stream outside load mode) when
    // its length differs from the number of column names, when a value is not finite (no bound can
    // be checked on it), or when it lies within 1e-6 of a held point in every coordinate.
    //
    // The last test is made later, in the order the points were added: when the search starts
    // (on its own thread, with the progress window shown and Cancel heard), or when nbPoints()
    // or heldPoints() is asked first. It takes about linear time.
    void addPoint(const QVector<double> &point);
    // The target column, by name; the last column of that name is used. Ignored while a search runs.
    void setTarget(const QString &name);
    // Empties the points and the column names and opens the engine for new data; the target, the
    // options and the last search's bounds stay. Ignored while a search runs (except by the search).
    void clear();

    // Time allowed for a search, in milliseconds (30000 after construction; at least 1).
    void setTimeLimit(int ms);
    int getTimeLimit() const { return timeLimit; }
    // Seeds the next searches with s instead of the clock's milliseconds (for repeatable runs).
    void setSeed(quint32 s);

    bool inLoadMode() const { return loadMode; }
    // The points held, repeats dropped; not while a search runs.
    int nbPoints();
    QVector<QVector<double>> heldPoints();
    QStringList getHeader() const { return header; }

    // Turns a coefficient vector (one per term of the current header, then the constant) into a
    // bound, drops it when it repeats a stored vector, keeps it and emits its line.
    void store(const QVector<double> &coeffs, int touching, double sumErr);

    // The bounds of the last search; sorted, tightest first, once the search has ended.
    QVector<Conjecture> getConjectures() const;

public slots:
    // Asks a running search to stop. Safe from any thread; after it returns, the search emits no
    // further bound, only its end messages. The request holds until the next clear().
    void cancel();

signals:
    void signal_conjecture(QString text);
    void signal_max(int ms);
    void signal_current(int ms);
    void signal_start(int ms);
    void signal_cancel();
    void signal_complete();

protected:
    void run() override;

private:
    struct Stats {
        int violated = 0;
        int touching = 0;
        double sumErr = 0.0;
    };

    enum class Prepared { Ready, Refused, Stopped };

    bool stopNow();
    void clearData();
    void emitMessage(const QString &text);
    // Moves the added points to the held ones, dropping repeats; false when the search was
    // stopped first (interruptible only).
    bool takeAddedPoints(bool interruptible);
    bool repeatsHeldPoint(const QVector<double> &point) const;
    void hold(const QVector<double> &point);
    // Builds the candidate terms: Refused (with a message) when the target is unknown, the points
    // are too few or their term values would not fit in memory; Stopped when the search was
    // stopped meanwhile.
    Prepared prepare();
    void finish();
    // Fits the chosen points of curOrder; fills s and c (empty after a failed fit).
    void fit(Stats &s, QVector<double> &c, int site);
    // Fills s; a stop meanwhile leaves it counting 1000000 violations.
    void evaluate(const QVector<double> &c, Stats &s);
    bool violates(int p, const QVector<double> &c) const;
    static bool better(const Stats &a, const Stats &b);
    void swapScan(QVector<double> &c, bool &improved);
    void repairMove(QVector<double> &c, bool &improved);
    void accept(bool &improved);
    QString formula(const QVector<double> &coeffs, int precision, bool dropTiny) const;
    bool formulaHolds(const QVector<double> &coeffs, int precision, bool dropTiny);
    void best_backup();
    void best_restore();
    void loc_backup();
    void loc_restore();

    RunWindow *runWindow; // not owned; may be null
    QVector<QVector<double>> points;
    // Added points not yet compared with the held ones.
    QVector<QVector<double>> added;
    // The held points by their grid cells (see repeatsHeldPoint): the first held point of each
    // cell key, and for every held point the next one with the same key (-1 ends).
    QHash<quint64, int> cellFirst;
    QVector<int> cellNext;
    QVector<double> targetValues;
    QStringList header;
    QString target;
    bool upper = true;
    bool sq = false;
    bool sqrt = false;
    bool prod = false;
    bool combine = false;
    std::atomic<bool> loadMode{true};
    QVector<int> bestOrder, curOrder, locOrder;
    Stats best, cur, loc;
    QVector<QVector<double>> storedCoeffs;
    QVector<Conjecture> conjectures;
    mutable QMutex conjecturesMutex;
    int nbTerms = 0;
    int timerStep = 100;
    int timeLimit = 30000;
    int lastReported = 0;
    bool seeded = false;
    quint32 seed = 0;
    QRandomGenerator rng;
    QElapsedTimer clock;
    // cancel() and the emission of a bound exclude each other, so no bound follows a cancel.
    QMutex emitMutex;
    std::atomic<bool> stopRequested{false};
    bool stopped = false;
};
