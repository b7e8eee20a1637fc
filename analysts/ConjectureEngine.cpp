#include "analysts/ConjectureEngine.h"

#include "analysts/RunWindow.h"
#include "graph/LinearSolve.h"

#include <QTime>

#include <cmath>
#include <iostream>
#include <utility>

namespace
{

constexpr double tolerance = 1e-6;
// A fit costs a cube of the number of terms; beyond this many terms a single fit would keep the
// search from noticing a cancel or its time limit for seconds or minutes.
constexpr int maxTerms = 256;
constexpr int shakeSwaps = 1000;
constexpr int turnsPerPass = 5;

QString num(double v, int precision = 6)
{
    return QString::number(v, 'g', precision);
}

} // namespace

ConjectureEngine::ConjectureEngine(RunWindow *window) : SyncedThread(nullptr), runWindow(window) {}

ConjectureEngine::~ConjectureEngine()
{
    cancel();
    wait();
}

void ConjectureEngine::setUpper(bool b)
{
    if (loadMode)
        upper = b;
}

void ConjectureEngine::setSq(bool b)
{
    if (loadMode)
        sq = b;
}

void ConjectureEngine::setSqrt(bool b)
{
    if (loadMode)
        sqrt = b;
}

void ConjectureEngine::setProd(bool b)
{
    if (loadMode)
        prod = b;
}

void ConjectureEngine::setCombine(bool b)
{
    if (loadMode)
        combine = b;
}

void ConjectureEngine::setHeader(const QStringList &names)
{
    if (!loadMode)
        return;
    header = names;
    points.clear();
}

void ConjectureEngine::addPoint(const QVector<double> &point)
{
    if (!loadMode) {
        std::cerr << "Not in load mode" << std::endl;
        return;
    }
    if (point.size() != header.size())
        return;
    for (double v : point)
        if (!std::isfinite(v))
            return;
    for (const QVector<double> &q : points) {
        bool equal = true;
        for (int j = 0; equal && j < point.size(); ++j)
            equal = !(point[j] > q[j] + tolerance) && !(q[j] - tolerance > point[j]);
        if (equal)
            return;
    }
    points.append(point);
}

void ConjectureEngine::setTarget(const QString &name)
{
    if (!isRunning())
        target = name;
}

void ConjectureEngine::clear()
{
    if (isRunning())
        return;
    clearData();
    stopRequested = false;
}

void ConjectureEngine::clearData()
{
    points.clear();
    header.clear();
    loadMode = true;
}

void ConjectureEngine::setTimeLimit(int ms)
{
    if (!isRunning())
        timeLimit = qMax(1, ms);
}

void ConjectureEngine::setSeed(quint32 s)
{
    seeded = true;
    seed = s;
}

void ConjectureEngine::cancel()
{
    QMutexLocker lock(&emitMutex);
    stopRequested = true;
}

QVector<Conjecture> ConjectureEngine::getConjectures() const
{
    QMutexLocker lock(&conjecturesMutex);
    return conjectures;
}

void ConjectureEngine::emitMessage(const QString &text)
{
    emit signal_conjecture(text);
}

bool ConjectureEngine::stopNow()
{
    if (stopped)
        return true;
    const qint64 e = clock.elapsed();
    if (e >= timeLimit) {
        stopped = true;
        return true;
    }
    const int step = static_cast<int>(e / timerStep) * timerStep;
    if (step > lastReported) {
        lastReported = step;
        emit signal_current(step);
    }
    if (stopRequested || (runWindow && runWindow->isCancelled()))
        stopped = true;
    return stopped;
}

// ---- Formulas -------------------------------------------------------------------------------------

QString ConjectureEngine::formula(const QVector<double> &coeffs, int precision, bool dropTiny) const
{
    QString f = target + (upper ? QStringLiteral(" <= ") : QStringLiteral(" >= "));
    const int n = coeffs.size() - 1;
    for (int j = 0; j < n; ++j) {
        const double c = coeffs[j];
        const QString name = j < header.size() ? header[j] : QString();
        if (dropTiny && std::fabs(c) <= tolerance)
            continue;
        if (c == 0.0)
            continue;
        f += (c > 0 ? QStringLiteral("+") : QString()) + num(c, precision) + QLatin1Char(' ') + name;
    }
    const double c = coeffs[n];
    if ((dropTiny && std::fabs(c) > tolerance) || (!dropTiny && c != 0.0))
        f += (c > 0 ? QStringLiteral("+") : QString()) + num(c, precision);
    return f;
}

// Whether the bound as written (coefficients rounded to the precision, the dropped ones as 0)
// still holds on every data point of the running search.
bool ConjectureEngine::formulaHolds(const QVector<double> &coeffs, int precision, bool dropTiny) const
{
    const int n = coeffs.size() - 1;
    QVector<double> written(coeffs.size(), 0.0);
    for (int j = 0; j <= n; ++j) {
        if (dropTiny && std::fabs(coeffs[j]) <= tolerance)
            continue;
        written[j] = num(coeffs[j], precision).toDouble();
    }
    for (int p = 0; p < points.size(); ++p)
        if (violates(p, written))
            return false;
    return true;
}

void ConjectureEngine::store(const QVector<double> &coeffs, int touching, double sumErr)
{
    if (coeffs.isEmpty())
        return;
    for (const QVector<double> &s : storedCoeffs) {
        if (s.size() != coeffs.size())
            continue;
        bool repeat = true;
        for (int j = 0; repeat && j < coeffs.size(); ++j) {
            double d = std::fabs(coeffs[j] - s[j]);
            if (std::fabs(coeffs[j]) >= 1.0)
                d /= std::fabs(coeffs[j]);
            repeat = !(d > tolerance);
        }
        if (repeat)
            return;
    }

    // Six significant digits, as the table shows values, unless the rounding (or leaving out a
    // tiny coefficient of a large term) would make the written bound fail on a data point.
    QString text = formula(coeffs, 6, true);
    const bool checkable = !loadMode && points.size() == targetValues.size() &&
                           (points.isEmpty() || points[0].size() == coeffs.size() - 1);
    if (checkable && !formulaHolds(coeffs, 6, true)) {
        bool found = false;
        for (int precision : {8, 10, 12, 15, 17}) {
            if (formulaHolds(coeffs, precision, true)) {
                text = formula(coeffs, precision, true);
                found = true;
                break;
            }
        }
        if (!found)
            text = formula(coeffs, 17, false);
    }

    QMutexLocker emitLock(&emitMutex);
    if (stopRequested)
        return;
    {
        QMutexLocker lock(&conjecturesMutex);
        conjectures.append(Conjecture(text, touching, sumErr));
    }
    storedCoeffs.append(coeffs);
    emit signal_conjecture(text + QStringLiteral(" [") + QString::number(touching) + QStringLiteral(" ; ") +
                           num(sumErr) + QStringLiteral("]"));
}

// ---- Search states --------------------------------------------------------------------------------

void ConjectureEngine::best_backup()
{
    std::cerr << "Sol improved " << cur.violated << " " << cur.touching << " " << cur.sumErr << std::endl;
    bestOrder = curOrder;
    best = cur;
}

void ConjectureEngine::best_restore()
{
    curOrder = bestOrder;
    cur = best;
}

void ConjectureEngine::loc_backup()
{
    locOrder = curOrder;
    loc = cur;
}

void ConjectureEngine::loc_restore()
{
    curOrder = locOrder;
    cur = loc;
}

bool ConjectureEngine::better(const Stats &a, const Stats &b)
{
    return a.violated < b.violated || (a.violated == b.violated && a.sumErr < b.sumErr);
}

// ---- The search -----------------------------------------------------------------------------------

bool ConjectureEngine::prepare()
{
    int t = -1;
    for (int j = 0; j < header.size(); ++j)
        if (header[j] == target)
            t = j;
    if (t < 0) {
        emitMessage(QStringLiteral("Cannot find conjecture: unknown target variable."));
        return false;
    }
    const int N = points.size();
    targetValues.clear();
    std::cerr << "Conjecture Engine starts data.size() = " << N << std::endl;
    for (QVector<double> &p : points) {
        targetValues.append(p[t]);
        p.remove(t);
    }
    header.removeAt(t);
    for (const QString &name : header)
        std::cerr << name.toUtf8().constData() << std::endl;
    const int m = header.size();

    // Count the terms first, so that a request for too many builds nothing.
    int count = m + (sq ? m : 0) + (sqrt ? m : 0);
    const int base = combine ? count : m;
    if (prod)
        count += base * (base + 1) / 2;
    if (count == 0 || N < 2 * count) {
        emitMessage(QStringLiteral("Not enough data points to find conjectures. ") + QString::number(count) +
                    QLatin1Char(' ') + QString::number(N));
        return false;
    }
    if (count > maxTerms) {
        emitMessage(QStringLiteral("Too many candidate terms to find conjectures. ") +
                    QString::number(count));
        return false;
    }

    nbTerms = m;
    if (sq) {
        for (int i = 0; i < m; ++i) {
            header.append(header[i] + QStringLiteral("^2"));
            for (QVector<double> &p : points)
                p.append(p[i] * p[i]);
        }
    }
    if (sqrt) {
        for (int i = 0; i < m; ++i) {
            header.append(QStringLiteral("SQRT(|") + header[i] + QStringLiteral("|)"));
            for (QVector<double> &p : points)
                p.append(std::sqrt(std::fabs(p[i])));
        }
    }
    if (combine)
        nbTerms = header.size();
    if (prod) {
        for (int j = 0; j < nbTerms; ++j) {
            for (int i = 0; i <= j; ++i) {
                header.append(QStringLiteral("[") + header[i] + QStringLiteral("*") + header[j] +
                              QStringLiteral("]"));
                for (QVector<double> &p : points)
                    p.append(p[j] * p[i]);
            }
        }
    }
    nbTerms = header.size();
    if (nbTerms == 0 || N < 2 * nbTerms) {
        emitMessage(QStringLiteral("Not enough data points to find conjectures. ") +
                    QString::number(nbTerms) + QLatin1Char(' ') + QString::number(N));
        return false;
    }
    return true;
}

bool ConjectureEngine::violates(int p, const QVector<double> &c) const
{
    const int n = c.size() - 1;
    const QVector<double> &x = points[p];
    double f = c[n];
    for (int j = 0; j < n; ++j)
        f += c[j] * x[j];
    if (!std::isfinite(f))
        return true;
    const double y = targetValues[p];
    return upper ? y - f > tolerance : f - y > tolerance;
}

void ConjectureEngine::evaluate(const QVector<double> &c, Stats &s) const
{
    const int n = c.size() - 1;
    for (int p = 0; p < points.size(); ++p) {
        const QVector<double> &x = points[p];
        double f = c[n];
        for (int j = 0; j < n; ++j)
            f += c[j] * x[j];
        const double y = targetValues[p];
        if (!std::isfinite(f))
            ++s.violated; // an overflowing bound cannot be checked, so it does not hold
        else if (std::fabs(f - y) < tolerance)
            ++s.touching;
        else if (upper ? y - f > tolerance : f - y > tolerance)
            ++s.violated;
        else
            s.sumErr += upper ? f - y : y - f;
    }
}

void ConjectureEngine::fit(Stats &s, QVector<double> &c, int site)
{
    s = Stats();
    c.clear();
    const int n = nbTerms;
    QVector<QVector<double>> A(n);
    QVector<double> b(n);
    for (int k = 0; k < n; ++k) {
        A[k] = points[curOrder[k]];
        b[k] = targetValues[curOrder[k]];
    }
    try {
        c = solve(A, b);
    } catch (int) {
        std::cerr << "(" << site << ")Exception in solve()" << std::endl;
        s.violated = 1000000;
        c.clear();
        return;
    }
    evaluate(c, s);
}

void ConjectureEngine::accept(bool &improved)
{
    if (better(cur, loc)) {
        loc_backup();
        improved = true;
        if (better(cur, best))
            best_backup();
    } else {
        loc_restore();
    }
}

void ConjectureEngine::swapScan(QVector<double> &c, bool &improved)
{
    const int N = points.size();
    const int n = nbTerms;
    for (int i = n; i < N; ++i) {
        for (int j = 0; j < n; ++j) {
            if (stopNow())
                return;
            std::swap(curOrder[j], curOrder[i]);
            fit(cur, c, 3);
            if (cur.violated == 0)
                store(c, cur.touching, cur.sumErr);
            accept(improved);
        }
    }
}

void ConjectureEngine::repairMove(QVector<double> &c, bool &improved)
{
    const int N = points.size();
    const int n = nbTerms;
    for (int i = 0; i < n; ++i)
        std::swap(curOrder[static_cast<int>(rng.bounded(static_cast<quint32>(n)))], curOrder[i]);
    // The violators of the latest fit become the first chosen points (none after a failed fit).
    if (!c.isEmpty()) {
        int w = 0;
        for (int q = 0; q < N; ++q) {
            if (violates(curOrder[q], c)) {
                std::swap(curOrder[w], curOrder[q]);
                ++w;
            }
        }
    }
    fit(cur, c, 2);
    if (cur.violated == 0)
        store(c, cur.touching, cur.sumErr);
    accept(improved);
}

void ConjectureEngine::run()
{
    EndMark endMark(this);
    clock.start();
    lastReported = 0;
    stopped = false;
    rng.seed(seeded ? seed : static_cast<quint32>(QTime::currentTime().msec()));
    if (runWindow)
        runWindow->setCancel(false);
    emit signal_start(timeLimit);
    emit signal_max(timeLimit);
    loadMode = false;
    {
        QMutexLocker lock(&conjecturesMutex);
        storedCoeffs.clear();
        conjectures.clear();
    }

    if (!prepare()) {
        // Close the progress window here too: nothing else would while no search runs.
        clearData();
        emit signal_cancel();
        emit signal_complete();
        return;
    }

    const int N = points.size();
    const int n = nbTerms;
    curOrder.resize(N);
    for (int i = 0; i < N; ++i)
        curOrder[i] = i;
    bestOrder = curOrder;
    locOrder = curOrder;
    best = Stats();
    loc = Stats();
    best.violated = loc.violated = N;

    QVector<double> c;
    while (!stopNow()) {
        fit(loc, c, 1);
        bool improved = false;
        do {
            if (stopNow())
                break;
            improved = false;
            for (int turn = 0; turn < turnsPerPass && !stopNow(); ++turn) {
                loc_restore();
                if (loc.violated == 0)
                    swapScan(c, improved);
                else
                    repairMove(c, improved);
            }
        } while (improved);
        best_restore();
        for (int k = 0; k < shakeSwaps; ++k) {
            const int a = static_cast<int>(rng.bounded(static_cast<quint32>(N - n))) + n;
            const int b = static_cast<int>(rng.bounded(static_cast<quint32>(n)));
            std::swap(curOrder[a], curOrder[b]);
        }
        loc_backup();
    }

    emitMessage(QStringLiteral("---"));
    clearData();
    emit signal_cancel();

    // Most touching points first, then the smaller error sums; each pass swaps a strictly
    // misordered neighbour pair, so the passes end.
    {
        QMutexLocker lock(&conjecturesMutex);
        bool swapped = true;
        while (swapped) {
            swapped = false;
            for (int k = 0; k + 1 < conjectures.size(); ++k) {
                if (conjectures[k] < conjectures[k + 1]) {
                    std::swap(conjectures[k], conjectures[k + 1]);
                    swapped = true;
                }
            }
        }
        for (const Conjecture &cj : conjectures)
            std::cerr << cj.getFormula().toUtf8().constData() << std::endl;
    }
    emit signal_complete();
}
