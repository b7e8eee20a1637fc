#include "analysts/ConjectureEngine.h"

#include "dialogs/RunWindow.h"
#include "graph/LinearSolve.h"

#include <QFile>
#include <QTime>
#include <QVarLengthArray>

#include <cmath>
#include <cstring>
#include <iostream>
#include <utility>

namespace
{

constexpr double tolerance = 1e-6;
constexpr int shakeSwaps = 1000;
constexpr int turnsPerPass = 5;
// Operations between two looks at the stop conditions inside a long loop.
constexpr qint64 pollWork = qint64(1) << 20;

QString num(double v, int precision = 6)
{
    return QString::number(v, 'g', precision);
}

// Equal points: within the tolerance in every coordinate (the two have the same length).
bool samePoint(const QVector<double> &p, const QVector<double> &q)
{
    for (int j = 0; j < p.size(); ++j)
        if (p[j] > q[j] + tolerance || q[j] - tolerance > p[j])
            return false;
    return true;
}

// Repeats are found through a grid: every coordinate falls into a cell, and a held point equal
// to a new one lies in the new point's cell or a neighbour in each coordinate.
//
// Cells are 1/1024 wide below 2^35 in magnitude, offset by half a cell so that integers and
// short decimals lie well inside; beyond, a cell is a range of doubles sharing their leading 20
// bits (a relative width near 1e-6). cellOf never decreases as x grows, so every value between
// two values lies in a cell between theirs.
constexpr double linearLimit = 34359738368.0;   // 2^35
constexpr qint64 linearCells = qint64(1) << 45; // 2^35 * 1024

qint64 cellOf(double x)
{
    if (x > -linearLimit && x < linearLimit)
        return static_cast<qint64>(std::floor(x * 1024.0 + 0.5));
    const double a = std::fabs(x);
    quint64 bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    const double limit = linearLimit;
    quint64 limitBits = 0;
    std::memcpy(&limitBits, &limit, sizeof limitBits);
    const qint64 k = linearCells + 1 + static_cast<qint64>((bits >> 32) - (limitBits >> 32));
    return x > 0 ? k : -k;
}

quint64 cellKey(int coordinate, qint64 cell)
{
    // splitmix64's finaliser over the coordinate and the cell; keys of a point are XORed.
    quint64 z = static_cast<quint64>(cell) * 0x9E3779B97F4A7C15ull +
                static_cast<quint64>(coordinate + 1) * 0xC2B2AE3D27D4EB4Full;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Coordinates of a new point near a cell border; each doubles the cells to look in. Past this
// many the held points are compared one by one.
constexpr int maxBorderCoordinates = 10;

// Free memory the system can give without swapping, in bytes; -1 when unknown.
qint64 availableMemory()
{
    QFile f(QStringLiteral("/proc/meminfo"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        bool ok = false;
        const qint64 kib = line.mid(13).trimmed().split(' ').first().toLongLong(&ok);
        return ok ? kib * 1024 : -1;
    }
    return -1;
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
    added.clear();
    cellFirst.clear();
    cellNext.clear();
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
    added.append(point);
}

int ConjectureEngine::nbPoints()
{
    if (!isRunning())
        takeAddedPoints(false);
    return points.size();
}

QVector<QVector<double>> ConjectureEngine::heldPoints()
{
    if (isRunning())
        return {};
    takeAddedPoints(false);
    return points;
}

bool ConjectureEngine::takeAddedPoints(bool interruptible)
{
    for (int k = 0; k < added.size(); ++k) {
        if (interruptible && k % 1024 == 0 && stopNow())
            return false;
        if (!repeatsHeldPoint(added[k]))
            hold(added[k]);
    }
    added.clear();
    return true;
}

// Whether some held point equals point. A held point q equal to p has, in every coordinate j,
// p[j] - m <= q[j] <= p[j] + m with m = 2e-6 + 1e-14 |p[j]| (the tolerance and the rounding of
// the comparison), so its cell lies between the cells of those two bounds, which are at most one
// apart; the cells of every such combination are looked up.
bool ConjectureEngine::repeatsHeldPoint(const QVector<double> &point) const
{
    quint64 key = 0;
    QVarLengthArray<quint64, maxBorderCoordinates> flips;
    bool scan = false;
    for (int j = 0; j < point.size() && !scan; ++j) {
        const double m = 2 * tolerance + 1e-14 * std::fabs(point[j]);
        const qint64 lo = cellOf(point[j] - m);
        const qint64 hi = cellOf(point[j] + m);
        key ^= cellKey(j, lo);
        if (hi == lo)
            continue;
        if (hi - lo > 1 || flips.size() == maxBorderCoordinates)
            scan = true;
        else
            flips.append(cellKey(j, lo) ^ cellKey(j, hi));
    }
    if (scan) {
        for (const QVector<double> &q : points)
            if (samePoint(point, q))
                return true;
        return false;
    }
    for (int choice = 0; choice < (1 << flips.size()); ++choice) {
        quint64 k = key;
        for (int f = 0; f < flips.size(); ++f)
            if (choice >> f & 1)
                k ^= flips[f];
        for (int i = cellFirst.value(k, -1); i >= 0; i = cellNext[i])
            if (samePoint(point, points[i]))
                return true;
    }
    return false;
}

void ConjectureEngine::hold(const QVector<double> &point)
{
    quint64 key = 0;
    for (int j = 0; j < point.size(); ++j)
        key ^= cellKey(j, cellOf(point[j]));
    cellNext.append(cellFirst.value(key, -1));
    cellFirst.insert(key, points.size());
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
    added.clear();
    cellFirst.clear();
    cellNext.clear();
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
bool ConjectureEngine::formulaHolds(const QVector<double> &coeffs, int precision, bool dropTiny)
{
    const int n = coeffs.size() - 1;
    QVector<double> written(coeffs.size(), 0.0);
    for (int j = 0; j <= n; ++j) {
        if (dropTiny && std::fabs(coeffs[j]) <= tolerance)
            continue;
        written[j] = num(coeffs[j], precision).toDouble();
    }
    const int chunk = static_cast<int>(qMax<qint64>(1, pollWork / (n + 1)));
    for (int p = 0; p < points.size(); ++p) {
        if (p % chunk == chunk - 1 && stopNow())
            return false;
        if (violates(p, written))
            return false;
    }
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
    // A search stopped during the checks leaves the bound unchecked: it is not reported.
    if (checkable && stopped)
        return;

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

ConjectureEngine::Prepared ConjectureEngine::prepare()
{
    // The index served the repeat test only.
    cellFirst = QHash<quint64, int>();
    cellNext = QVector<int>();
    int t = -1;
    for (int j = 0; j < header.size(); ++j)
        if (header[j] == target)
            t = j;
    if (t < 0) {
        emitMessage(QStringLiteral("Cannot find conjecture: unknown target variable."));
        return Prepared::Refused;
    }
    const int N = points.size();
    targetValues.clear();
    targetValues.reserve(N);
    std::cerr << "Conjecture Engine starts data.size() = " << N << std::endl;
    for (QVector<double> &p : points) {
        targetValues.append(p[t]);
        p.remove(t);
    }
    header.removeAt(t);
    for (const QString &name : header)
        std::cerr << name.toUtf8().constData() << std::endl;
    const int m = header.size();

    // Count the terms first, so that too few points or too little memory builds nothing.
    qint64 count = qint64(m) * (1 + (sq ? 1 : 0) + (sqrt ? 1 : 0));
    const qint64 factors = combine ? count : m;
    if (prod)
        count += factors * (factors + 1) / 2;
    if (count == 0 || N < 2 * count) {
        emitMessage(QStringLiteral("Not enough data points to find conjectures. ") + QString::number(count) +
                    QLatin1Char(' ') + QString::number(N));
        return Prepared::Refused;
    }
    // The term values of every point and the fit's n x n work matrix, with room to spare. A
    // table the system cannot hold would end the whole program, unsaved work and all.
    const double needed =
        (double(N) * double(count + 4) + 2.0 * double(count) * double(count)) * sizeof(double);
    const qint64 available = availableMemory();
    if (available >= 0 && needed > double(available)) {
        emitMessage(
            QStringLiteral("Not enough memory to find conjectures: %1 terms on %2 points need %3 MiB, "
                           "%4 MiB are free.")
                .arg(count)
                .arg(N)
                .arg(qint64(needed / 1048576.0))
                .arg(available >> 20));
        return Prepared::Refused;
    }
    const int n = static_cast<int>(count);

    // The names first, then the values point by point (each point's terms in the same order);
    // the stop conditions are looked at about once per million values.
    if (sq)
        for (int i = 0; i < m; ++i)
            header.append(header[i] + QStringLiteral("^2"));
    if (sqrt)
        for (int i = 0; i < m; ++i)
            header.append(QStringLiteral("SQRT(|") + header[i] + QStringLiteral("|)"));
    const int base = combine ? header.size() : m;
    if (prod)
        for (int j = 0; j < base; ++j)
            for (int i = 0; i <= j; ++i)
                header.append(QStringLiteral("[") + header[i] + QStringLiteral("*") + header[j] +
                              QStringLiteral("]"));
    const int chunk = static_cast<int>(qMax<qint64>(1, pollWork / n));
    for (int k = 0; k < N; ++k) {
        if (k % chunk == 0 && stopNow())
            return Prepared::Stopped;
        QVector<double> &p = points[k];
        p.resize(n);
        double *v = p.data();
        int w = m;
        if (sq)
            for (int i = 0; i < m; ++i)
                v[w++] = v[i] * v[i];
        if (sqrt)
            for (int i = 0; i < m; ++i)
                v[w++] = std::sqrt(std::fabs(v[i]));
        if (prod)
            for (int j = 0; j < base; ++j)
                for (int i = 0; i <= j; ++i)
                    v[w++] = v[j] * v[i];
    }
    nbTerms = header.size();
    return Prepared::Ready;
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

void ConjectureEngine::evaluate(const QVector<double> &c, Stats &s)
{
    const int n = c.size() - 1;
    const int chunk = static_cast<int>(qMax<qint64>(1, pollWork / (n + 1)));
    for (int p = 0; p < points.size(); ++p) {
        if (p % chunk == chunk - 1 && stopNow()) {
            // Not every point was seen: the fit is neither stored nor accepted.
            s.violated = 1000000;
            return;
        }
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
        c = solve(A, b, [this]() { return stopNow(); });
    } catch (int) {
        std::cerr << "(" << site << ")Exception in solve()" << std::endl;
        s.violated = 1000000;
        c.clear();
        return;
    }
    if (c.isEmpty()) {
        // Stopped during the elimination.
        s.violated = 1000000;
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
        const int chunk = static_cast<int>(qMax<qint64>(1, pollWork / (n + 1)));
        int w = 0;
        for (int q = 0; q < N; ++q) {
            if (q % chunk == chunk - 1 && stopNow())
                return;
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

    // The progress window is up: a stop while the points are taken in or the terms built ends
    // the search as a stop during the search does.
    const Prepared prepared = takeAddedPoints(true) ? prepare() : Prepared::Stopped;
    if (prepared == Prepared::Refused) {
        // Close the progress window here too: nothing else would while no search runs.
        clearData();
        emit signal_cancel();
        emit signal_complete();
        return;
    }
    if (prepared == Prepared::Stopped) {
        finish();
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
    finish();
}

void ConjectureEngine::finish()
{
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
