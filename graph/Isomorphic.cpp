#include "graph/Isomorphic.h"

#include "graph/Graph.h"
#include "graph/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iostream>
#include <limits>
#include <map>
#include <vector>

namespace
{
constexpr double tolerance = 1e-6;
constexpr int maxCycles = 10;
constexpr int kicksPerCycle = 10;
} // namespace

Isomorphic::Isomorphic()
    : g1(new Graph(QStringLiteral("G1"), false)), g2(new Graph(QStringLiteral("G2"), false)), target(64, 0.0),
      P(64, 0), bestP(64, 0), rng(static_cast<quint32>(tsy_qrand()))
{
}

Isomorphic::~Isomorphic()
{
    delete g1;
    delete g2;
}

bool Isomorphic::setG1(QString s)
{
    valid1 = g1->loadtsy(s, false);
    return valid1;
}

bool Isomorphic::setG2(QString s)
{
    valid2 = g2->loadtsy(s, false);
    return valid2;
}

void Isomorphic::traceValue(const char *prefix, double v, const char *suffix) const
{
    if (trace)
        std::cerr << prefix << QString::number(v, 'g', 6).toStdString() << suffix << std::endl;
}

QVector<double> Isomorphic::spectrum(const quint32 *rows) const
{
    QVector<double> a(n * n, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a[i * n + j] = (rows[i] >> j) & 1u ? 1.0 : 0.0;
    SymmetricEigenvalues s;
    s.compute(a.constData(), n); // NaN values on failure
    QVector<double> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = s.value(i); // descending
    return v;
}

bool Isomorphic::isomorphism(const QVector<int> &p) const
{
    for (int i = 0; i < n; ++i) {
        quint32 mapped = 0;
        for (int j = 0; j < n; ++j)
            if ((rows1[i] >> j) & 1u)
                mapped |= 1u << p[j];
        if (mapped != rows2[p[i]])
            return false;
    }
    return true;
}

void Isomorphic::link(int x, double v)
{
    const int size = 2 * n;
    work[x * size + n + P[x]] = v;
    work[(n + P[x]) * size + x] = v;
}

double Isomorphic::eval()
{
    ++evaluations;
    const int size = 2 * n;
    if (!solver.compute(work.constData(), size))
        return std::numeric_limits<double>::infinity();
    double f = 0.0;
    for (int i = 0; i < size; ++i)
        f += std::fabs(solver.value(i) - target[i]);
    return std::isfinite(f) ? f : std::numeric_limits<double>::infinity();
}

void Isomorphic::swap(int a, int b)
{
    link(a, 0.0);
    link(b, 0.0);
    std::swap(P[a], P[b]);
    link(a, 1.0);
    link(b, 1.0);
}

void Isomorphic::rotate3(int a, int b, int c)
{
    link(a, 0.0);
    link(b, 0.0);
    link(c, 0.0);
    const int pa = P[a];
    P[a] = P[b];
    P[b] = P[c];
    P[c] = pa;
    link(a, 1.0);
    link(b, 1.0);
    link(c, 1.0);
}

void Isomorphic::rotate4(int a, int b, int c, int d)
{
    // With d == c this is the 3-rotation of a, b, c, as the four writes below then give.
    link(a, 0.0);
    link(b, 0.0);
    link(c, 0.0);
    if (d != c)
        link(d, 0.0);
    const int pa = P[a];
    P[a] = P[b];
    P[b] = P[c];
    P[c] = P[d];
    P[d] = pa;
    link(a, 1.0);
    link(b, 1.0);
    link(c, 1.0);
    link(d, 1.0);
}

void Isomorphic::perturb(int k)
{
    if (n < 2)
        return;
    for (int t = 0; t < k; ++t) {
        const int a = static_cast<int>(rng() % static_cast<unsigned>(n));
        int b = static_cast<int>(rng() % static_cast<unsigned>(n - 1));
        if (b == a)
            b = n - 1;
        swap(a, b);
    }
}

void Isomorphic::bestbackup()
{
    std::copy(P.begin(), P.begin() + n, bestP.begin());
}

void Isomorphic::bestrestore()
{
    std::copy(bestP.begin(), bestP.begin() + n, P.begin());
    const int size = 2 * n;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            work[i * size + n + j] = work[(n + i) * size + j] = 0.0;
    for (int i = 0; i < n; ++i)
        link(i, 1.0);
}

void Isomorphic::display() const
{
    for (int i = 0; i < 2 * n; ++i) {
        std::cerr << "[" << (i < P.size() ? P[i] : 0) << "] ";
        for (int j = 0; j < 2 * n; ++j)
            std::cerr << work[i * 2 * n + j] << " ";
        std::cerr << std::endl;
    }
}

bool Isomorphic::evaluate(double &g)
{
    if (evaluations >= budget || (stopFlag && stopFlag->load(std::memory_order_relaxed))) {
        halted = true;
        return false;
    }
    g = eval();
    return true;
}

bool Isomorphic::accept(double g, double &f, const char *letter)
{
    if (!(g < f - tolerance))
        return false;
    f = g;
    if (g < bestObjective - tolerance) {
        bestObjective = g;
        bestbackup();
        traceValue(letter, g);
        kick = 0;
        cycle = 0;
        // A spectrum this close can only come from an isomorphism; the edge check makes sure.
        if (g < tolerance && isomorphism(P))
            found = true;
    }
    return true;
}

// Each sweep returns whether it accepted a move; it stops early when the test is found or halted.
bool Isomorphic::sweepSwaps(double &f)
{
    bool any = false;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            swap(a, b);
            double g;
            if (!evaluate(g)) {
                swap(a, b);
                return any;
            }
            if (accept(g, f, "d ")) {
                any = true;
                if (found)
                    return any;
            } else {
                swap(a, b);
            }
        }
    }
    return any;
}

bool Isomorphic::sweepRotate3(double &f)
{
    bool any = false;
    for (int a = 0; a < n; ++a) {
        for (int b = 0; b < n; ++b) {
            if (b == a)
                continue;
            for (int c = 0; c < n; ++c) {
                if (c == a || c == b)
                    continue;
                rotate3(a, b, c);
                double g;
                if (!evaluate(g)) {
                    rotate3(c, b, a);
                    return any;
                }
                if (accept(g, f, "t ")) {
                    any = true;
                    if (found)
                        return any;
                } else {
                    rotate3(c, b, a);
                }
            }
        }
    }
    return any;
}

bool Isomorphic::sweepDoubleSwaps(double &f)
{
    bool any = false;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            swap(a, b);
            bool under = false;
            for (int c = 0; c < n && !halted && !found; ++c) {
                if (c == a || c == b)
                    continue;
                for (int d = 0; d < n; ++d) {
                    if (d == a || d == b || d == c)
                        continue;
                    swap(c, d);
                    double g;
                    if (!evaluate(g)) {
                        swap(c, d);
                        break;
                    }
                    if (accept(g, f, "w ")) {
                        under = true;
                        if (found)
                            break;
                    } else {
                        swap(c, d);
                    }
                }
            }
            if (!under)
                swap(a, b);
            any = any || under;
            if (halted || found)
                return any;
        }
    }
    return any;
}

bool Isomorphic::sweepRotate4(double &f)
{
    bool any = false;
    for (int a = 0; a < n; ++a) {
        for (int b = 0; b < n; ++b) {
            if (b == a)
                continue;
            for (int c = 0; c < n; ++c) {
                if (c == a || c == b)
                    continue;
                for (int d = 0; d < n; ++d) {
                    if (d == a || d == b)
                        continue;
                    rotate4(a, b, c, d);
                    double g;
                    if (!evaluate(g)) {
                        rotate4(d, c, b, a);
                        return any;
                    }
                    if (accept(g, f, "q ")) {
                        any = true;
                        if (found)
                            return any;
                    } else {
                        rotate4(d, c, b, a);
                    }
                }
            }
        }
    }
    return any;
}

bool Isomorphic::refine(QVector<int> &colour) const
{
    const int size = 2 * n;
    int classes = 0;
    {
        QVector<int> seen;
        for (int c : qAsConst(colour))
            if (!seen.contains(c))
                seen.append(c);
        classes = seen.size();
    }
    // At most one round per vertex can split a class, so 2n + 1 rounds always reach stability.
    for (int round = 0; round <= size; ++round) {
        std::map<std::vector<int>, int> ids;
        std::vector<std::vector<int>> signature(size);
        for (int v = 0; v < size; ++v) {
            const quint32 row = v < n ? rows1[v] : rows2[v - n];
            const int base = v < n ? 0 : n;
            std::vector<int> sig;
            sig.reserve(n + 1);
            for (int u = 0; u < n; ++u)
                if ((row >> u) & 1u)
                    sig.push_back(colour[base + u]);
            std::sort(sig.begin(), sig.end());
            sig.insert(sig.begin(), colour[v]);
            signature[v] = std::move(sig);
            ids.emplace(signature[v], 0);
        }
        // Ids in the order of the signatures, so both graphs name equal classes alike.
        int next = 0;
        for (auto &entry : ids)
            entry.second = next++;
        for (int v = 0; v < size; ++v)
            colour[v] = ids[signature[v]];
        const bool stable = next == classes;
        classes = next;
        if (stable)
            break;
    }
    QVector<int> balance(classes, 0);
    for (int v = 0; v < size; ++v)
        balance[colour[v]] += v < n ? 1 : -1;
    for (int b : qAsConst(balance))
        if (b != 0)
            return false;
    return true;
}

int Isomorphic::branch(const QVector<int> &colour)
{
    if (stopRequested()) {
        halted = true;
        return -1;
    }
    if (nodes >= nodeLimit) {
        nodeLimitReached = true;
        return -1;
    }
    ++nodes;
    // The smallest class with more than one vertex of the first graph.
    QVector<int> count(2 * n + 1, 0);
    for (int v = 0; v < n; ++v)
        ++count[colour[v]];
    int cell = -1;
    for (int c = 0; c < count.size(); ++c)
        if (count[c] > 1 && (cell < 0 || count[c] < count[cell]))
            cell = c;
    if (cell < 0) {
        // Every class is one vertex of each graph: that pairing is the only candidate here.
        for (int v = 0; v < n; ++v)
            for (int w = 0; w < n; ++w)
                if (colour[n + w] == colour[v])
                    P[v] = w;
        return isomorphism(P) ? 1 : 0;
    }
    int v = 0;
    while (colour[v] != cell)
        ++v;
    const int fresh = 2 * n; // above every class id
    for (int w = 0; w < n; ++w) {
        if (colour[n + w] != cell)
            continue;
        QVector<int> c = colour;
        c[v] = fresh;
        c[n + w] = fresh;
        if (!refine(c))
            continue;
        const int r = branch(c);
        if (r != 0)
            return r;
    }
    return 0;
}

int Isomorphic::exactSearch()
{
    QVector<int> colour(2 * n, 0);
    if (!refine(colour))
        return 0;
    return branch(colour);
}

int Isomorphic::isIsomorphic()
{
    evaluations = 0;
    found = false;
    halted = false;
    if (!valid1 || !valid2)
        return -1;
    if (g1->getNbNodes() != g2->getNbNodes() || g1->getNbEdges() != g2->getNbEdges())
        return -1;
    n = g1->adjacencyRows(rows1);
    g2->adjacencyRows(rows2);
    for (int i = 0; i < n; ++i)
        P[i] = i;
    bestbackup();
    bestObjective = 0.0;
    // Identical graphs (every graph below two vertices among them) need no search.
    if (isomorphism(P))
        return 1;

    const QVector<double> l2 = spectrum(rows2);
    const QVector<double> l1 = spectrum(rows1);
    for (int i = 0; i < n; ++i)
        if (!(std::fabs(l1[i] - l2[i]) <= tolerance))
            return 0;

    nodes = 0;
    nodeLimitReached = false;
    const int exact = exactSearch();
    if (exact == 1) {
        bestbackup();
        bestObjective = 0.0;
        return 1;
    }
    if (exact == 0 || halted)
        return 0;

    for (int i = 0; i < n; ++i) {
        target[2 * i] = l1[i] + 1.0;
        target[2 * i + 1] = l1[i] - 1.0;
    }
    std::sort(target.begin(), target.begin() + 2 * n, std::greater<double>());

    const int size = 2 * n;
    work.fill(0.0, size * size);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            work[i * size + j] = (rows1[i] >> j) & 1u ? 1.0 : 0.0;
            work[(n + i) * size + n + j] = (rows2[i] >> j) & 1u ? 1.0 : 0.0;
        }
        link(i, 1.0);
    }
    double f = eval();
    traceValue("", f);
    bestObjective = f;
    bestbackup();
    evaluations = 0;

    cycle = 1;
    kick = 0;
    while (!found) {
        if (evaluations >= budget || (stopFlag && stopFlag->load(std::memory_order_relaxed))) {
            halted = true;
            break;
        }
        bestrestore();
        perturb(kick);
        if (!evaluate(f))
            break;
        const std::function<bool(double &)> sweeps[4] = {
            [this](double &v) { return sweepSwaps(v); }, [this](double &v) { return sweepRotate3(v); },
            [this](double &v) { return sweepDoubleSwaps(v); }, [this](double &v) { return sweepRotate4(v); }};
        for (const auto &sweep : sweeps) {
            while (!found && !halted && evaluations < budget && sweep(f)) {
            }
            if (found || halted)
                break;
        }
        if (found || halted)
            break;
        if (++kick >= kicksPerCycle) {
            if (cycle >= maxCycles)
                break;
            ++cycle;
            kick = 0;
        }
    }
    if (found) {
        bestbackup();
        return 1;
    }

    bestrestore();
    traceValue("", f, " loc");
    return bestObjective <= tolerance && isomorphism(P) ? 1 : 0;
}
