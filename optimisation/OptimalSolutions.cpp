#include "optimisation/OptimalSolutions.h"

#include "optimisation/Solution.h"
#include "problem/Eval.h"

#include <cmath>
#include <iostream>
#include <limits>

namespace
{

const double Tolerance = 1e-6;

// NaN ranks as the worst value.
inline double key(double v)
{
    return std::isnan(v) ? std::numeric_limits<double>::infinity() : v;
}

// a covers b: no coordinate where a is worse than b by more than the tolerance.
template <typename CoordB> bool covers(const QVector<double> &a, CoordB b)
{
    for (int j = 0; j < a.size(); ++j)
        if (key(a[j]) - Tolerance > key(b(j)))
            return false;
    return true;
}

inline bool sameValue(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return a == b || std::fabs(a - b) <= Tolerance;
}

// Coordinate k of point i of a candidate with objective vectors z and largest length L.
inline double coordinate(const QList<QVector<double>> &z, int L, int i, int k)
{
    const QVector<double> &v = z.at(k);
    return v.size() == L ? v.at(i) : v.at(0);
}

} // namespace

OptimalSolutions::OptimalSolutions() = default;

OptimalSolutions::~OptimalSolutions()
{
    deleteAll();
}

void OptimalSolutions::deleteAll()
{
    qDeleteAll(solutions);
    solutions.clear();
}

int OptimalSolutions::pointCount(const Eval &e)
{
    int L = 0;
    for (const QVector<double> &v : e.z()) {
        if (v.isEmpty())
            return -1;
        L = qMax(L, v.size());
    }
    return L;
}

QVector<double> OptimalSolutions::makePoint(const Eval &e, int L, int i)
{
    const QList<QVector<double>> &z = e.z();
    QVector<double> p(z.size());
    for (int k = 0; k < z.size(); ++k)
        p[k] = coordinate(z, L, i, k);
    return p;
}

OptimalSolutions::Level OptimalSolutions::compareLevel(const Eval &e) const
{
    const bool candidateViolated = e.violated();
    if (solutions.isEmpty())
        return candidateViolated ? Level::ReplaceWithoutPoints : Level::PointsTest;
    const Eval &f = *solutions.first()->getValue();
    if (!f.violated())
        return candidateViolated ? Level::Refuse : Level::PointsTest;
    if (!candidateViolated)
        return Level::Replace;
    // Both violated: the first value that differs by more than the tolerance decides. A value
    // the candidate lacks reads as 1e12; values beyond the archive's count are not compared.
    for (int i = 0; i < f.size(); ++i) {
        const double fv = key(f.value(i));
        const double ev = key(e.value(i));
        if (fv < ev - Tolerance)
            return Level::Refuse;
        if (fv > ev + Tolerance)
            return Level::ReplaceWithoutPoints;
    }
    return Level::PointsTest;
}

bool OptimalSolutions::otherDimension(const Eval &e) const
{
    for (const QVector<double> &q : points)
        if (q.size() != e.z().size())
            return true;
    return false;
}

bool OptimalSolutions::hasUncoveredPoint(const Eval &e, int L) const
{
    const QList<QVector<double>> &z = e.z();
    for (int i = 0; i < L; ++i) {
        bool covered = false;
        for (const QVector<double> &q : points)
            if (covers(q, [&](int k) { return coordinate(z, L, i, k); })) {
                covered = true;
                break;
            }
        if (!covered)
            return true;
    }
    return false;
}

bool OptimalSolutions::accepts(const Eval &e)
{
    if (closed.load())
        return false;
    std::lock_guard<std::mutex> locker(mutex);
    const int L = pointCount(e);
    if (L < 0 || (!family.load() && L >= 2))
        return false;
    switch (compareLevel(e)) {
    case Level::Refuse:
        return false;
    case Level::Replace:
    case Level::ReplaceWithoutPoints:
        return true;
    case Level::PointsTest:
        break;
    }
    if (L == 0)
        return !e.violated() && solutions.isEmpty();
    return !otherDimension(e) && hasUncoveredPoint(e, L);
}

bool OptimalSolutions::isDominated(const QVector<double> &p)
{
    const QList<QVector<double>> snapshot = points;
    bool dominated = false;
    for (const QVector<double> &q : snapshot) {
        if (q.size() != p.size())
            return false;
        if (covers(q, [&](int j) { return p.at(j); }))
            dominated = true;
    }
    if (dominated)
        return true;
    // Rebuilt rather than removed by value: a point holding NaN never compares equal to itself.
    QList<QVector<double>> kept;
    kept.reserve(snapshot.size() + 1);
    for (const QVector<double> &q : snapshot)
        if (!covers(p, [&](int j) { return q.at(j); }))
            kept.append(q);
    kept.append(p);
    points = kept;
    return false;
}

bool OptimalSolutions::addSolution(Solution *s)
{
    if (closed.load() || !s)
        return false;
    std::lock_guard<std::mutex> locker(mutex);
    const Eval &e = *s->getValue();
    const int L = pointCount(e);
    if (L < 0 || (!family.load() && L >= 2))
        return false;

    switch (compareLevel(e)) {
    case Level::Refuse:
        return false;
    case Level::ReplaceWithoutPoints:
        deleteAll();
        points.clear();
        solutions.append(s);
        return true;
    case Level::Replace:
        deleteAll();
        points.clear();
        break;
    case Level::PointsTest:
        // Points of another number of objectives cannot be compared with the front: such a
        // candidate would be kept without points and lost at the next pruning.
        if (otherDimension(e))
            return false;
        break;
    }

    // Without objectives every feasible graph is as good as another: the first one found is
    // kept (it replaces violated ones), later ones add nothing. Refusing them all would leave
    // a search of constraints alone with violated graphs only.
    if (L == 0) {
        if (e.violated() || !solutions.isEmpty())
            return false;
        solutions.append(s);
        return true;
    }

    bool anyInserted = false;
    for (int i = 0; i < L; ++i)
        if (!isDominated(makePoint(e, L, i)))
            anyInserted = true;
    if (!anyInserted)
        return false;
    if (!family.load()) {
        deleteAll();
        points.clear();
        points.append(makePoint(e, L, 0));
    }
    solutions.append(s);
    return true;
}

void OptimalSolutions::prune()
{
    const QList<Solution *> snapshot = solutions;
    for (Solution *s : snapshot) {
        const Eval &e = *s->getValue();
        const QList<QVector<double>> &z = e.z();
        int L = 0;
        for (const QVector<double> &v : z)
            L = qMax(L, v.size());
        bool onFront = false;
        // A solution with an empty objective vector has no points either.
        if (L >= 1 && pointCount(e) >= 1) {
            for (int i = 0; i < L && !onFront; ++i)
                for (const QVector<double> &q : points) {
                    if (q.size() != z.size())
                        continue;
                    bool equal = true;
                    for (int j = 0; j < q.size() && equal; ++j)
                        equal = sameValue(q.at(j), coordinate(z, L, i, j));
                    if (equal) {
                        onFront = true;
                        break;
                    }
                }
        }
        if (!onFront) {
            solutions.removeOne(s);
            delete s;
        }
    }
}

void OptimalSolutions::updateSolutions()
{
    std::lock_guard<std::mutex> locker(mutex);
    prune();
}

void OptimalSolutions::updateSolutions2()
{
    prune();
}

void OptimalSolutions::clear()
{
    std::lock_guard<std::mutex> locker(mutex);
    deleteAll();
    points.clear();
}

QStringList OptimalSolutions::graphs() const
{
    QStringList list;
    list.reserve(solutions.size());
    for (const Solution *s : solutions)
        list.append(s->getGraph());
    return list;
}

QString OptimalSolutions::graph(int i) const
{
    if (i < 0 || i >= solutions.size())
        return QString();
    return solutions.at(i)->getGraph();
}

Solution *OptimalSolutions::lastSolution() const
{
    return solutions.isEmpty() ? nullptr : solutions.last();
}

Solution *OptimalSolutions::OSSolution(int i) const
{
    if (i < 0 || i >= solutions.size())
        return nullptr;
    return solutions.at(i);
}

void OptimalSolutions::open()
{
    std::lock_guard<std::mutex> locker(mutex);
    closed.store(false);
}

void OptimalSolutions::close()
{
    std::lock_guard<std::mutex> locker(mutex);
    closed.store(true);
}

void OptimalSolutions::display() const
{
    std::cerr << solutions.size() << "-----------Solutions-------------" << name.toUtf8().constData()
              << std::endl;
    for (const Solution *s : solutions)
        s->display();
}
