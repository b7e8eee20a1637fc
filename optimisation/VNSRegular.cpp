// The search worker's local searches for regular graphs and for a fixed number of edges.
#include "optimisation/VNS.h"

#include "graph/Graph.h"
#include "graph/Random.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <cstdlib>

namespace
{

// Steps the increasing tuple v of k vertices below n to the next one in lexicographic order, the
// last position running fastest; false after the last tuple.
bool nextTuple(int *v, int k, int n)
{
    int i = k - 1;
    while (i >= 0 && v[i] == n - k + i)
        --i;
    if (i < 0)
        return false;
    ++v[i];
    for (int j = i + 1; j < k; ++j)
        v[j] = v[j - 1] + 1;
    return true;
}

} // namespace

// ---------------------------------------------------------------- regular graphs

int VNS::targetEdges()
{
    if (ownProblem->getFixNbArcs() || !ownProblem->getRegular())
        return ownProblem->getNbArcs();
    // Regularity alone fixes the count: a D-regular graph on n vertices has n * D / 2 edges.
    return ownGraph->getNbNodes() * ownProblem->getRegDegree() / 2;
}

VNS::Walk VNS::walkRewrites(const int *v, int k, const SignatureTables::Table &table, Eval *e,
                            const QString &label, bool stopWhenRegular, bool &pass, bool &result)
{
    const int n = ownGraph->getNbNodes();
    const auto signature = [&] {
        return k == 4 ? SignatureTables::quadSignature(rows, v) : SignatureTables::quintSignature(rows, v);
    };
    const auto write = [&](int code) {
        if (k == 4)
            setQuadGraph(v, code);
        else
            setQuintGraph(v, code);
    };
    int s = signature();
    for (int x = 0; x < table.at(s).size(); ++x) {
        if (halted())
            return Walk::Stop;
        write(table.at(s).at(x));
        const Offer offer = candidateStep(e, label);
        if (offer == Offer::Refused) {
            write(s);
            continue;
        }
        pass = true;
        if (offer == Offer::Best) {
            result = true;
            if (stopWhenRegular && isRegularGraph())
                return Walk::Regular;
        }
        // Publishing may have loaded another worker's graph: the walk goes on from what the
        // tuple holds now, so that an undo writes back exactly what was there.
        if (ownGraph->getNbNodes() != n)
            return Walk::Stop;
        readRows();
        s = signature();
    }
    return Walk::Go;
}

bool VNS::ls_regular()
{
    Eval e;
    initialStep(&e, QStringLiteral("ls_regular init"));
    const QString label = QStringLiteral("ls_regular");
    const int n = ownGraph->getNbNodes();
    if (n < 1)
        return false;
    const int o = tsy_qrand() % n;
    if (n < 5)
        return false;
    // A const view: indexing a shared table through a non-const reference would copy it.
    const SignatureTables::Table &table = quintReg;
    bool result = false;
    bool pass;
    int v[5];
    do {
        pass = false;
        readRows();
        for (int i0 = 0; i0 < n; ++i0) {
            v[0] = (i0 + o) % n;
            for (int i1 = 0; i1 < n; ++i1) {
                if (i1 == i0)
                    continue;
                v[1] = (i1 + o) % n;
                for (int i2 = 0; i2 < n; ++i2) {
                    if (i2 == i0 || i2 == i1)
                        continue;
                    // A pass at 32 vertices is 24 million tuples: look at the limits on the way.
                    if (halted())
                        return result;
                    v[2] = (i2 + o) % n;
                    for (int i3 = 0; i3 < n; ++i3) {
                        if (i3 == i0 || i3 == i1 || i3 == i2)
                            continue;
                        v[3] = (i3 + o) % n;
                        for (int i4 = 0; i4 < n; ++i4) {
                            if (i4 == i0 || i4 == i1 || i4 == i2 || i4 == i3)
                                continue;
                            if (!(tsy_rand() < 0.6))
                                continue;
                            v[4] = (i4 + o) % n;
                            if (walkRewrites(v, 5, table, &e, label, false, pass, result) != Walk::Go)
                                return result;
                        }
                    }
                }
            }
        }
    } while (pass);
    return result;
}

bool VNS::ls_c6()
{
    Eval record;
    const QString label = QStringLiteral("ls_c6");
    initialStep(&record, label);
    const int n = ownGraph->getNbNodes();
    if (n < 1)
        return false;
    const int o = tsy_qrand() % n;
    const double bias = prob.load();
    auto adjacent = [this](int x, int y) { return (rows[x] >> y) & 1u; };
    bool pass;
    do {
        pass = false;
        readRows();
        for (int i = 0; i < n; ++i) {
            const int a = (i + o) % n;
            for (int j = 0; j < n; ++j) {
                const int b = (j + o) % n;
                for (int c = 0; c < n; ++c) {
                    // An accepted swap reverses the pairs of the prefix: the levels below
                    // re-check theirs against the graph as it is now.
                    if (!adjacent(a, b))
                        break;
                    if (halted())
                        return false;
                    if (c == a || c == b || adjacent(b, c))
                        continue;
                    for (int d = 0; d < n; ++d) {
                        if (!adjacent(a, b) || adjacent(b, c))
                            break;
                        if (d == a || d == b || d == c || !adjacent(c, d))
                            continue;
                        for (int e = 0; e < n; ++e) {
                            if (!adjacent(a, b) || adjacent(b, c) || !adjacent(c, d))
                                break;
                            if (e == a || e == b || e == c || e == d || adjacent(d, e))
                                continue;
                            for (int f = 0; f < n; ++f) {
                                // The six pairs, as they are right before the swap.
                                if (!adjacent(a, b) || adjacent(b, c) || !adjacent(c, d) || adjacent(d, e))
                                    break;
                                if (f == a || f == b || f == c || f == d || f == e || !adjacent(e, f) ||
                                    adjacent(a, f))
                                    continue;
                                if (!(tsy_rand() < bias))
                                    continue;
                                if (halted())
                                    return false;
                                ownGraph->addEdge(b, c);
                                ownGraph->addEdge(d, e);
                                ownGraph->addEdge(f, a);
                                ownGraph->remEdge(a, b);
                                ownGraph->remEdge(c, d);
                                ownGraph->remEdge(e, f);
                                const bool before = improved;
                                const Offer offer = candidateStep(&record, label);
                                if (offer == Offer::Refused) {
                                    ownGraph->remEdge(b, c);
                                    ownGraph->remEdge(d, e);
                                    ownGraph->remEdge(f, a);
                                    ownGraph->addEdge(a, b);
                                    ownGraph->addEdge(c, d);
                                    ownGraph->addEdge(e, f);
                                    continue;
                                }
                                pass = true;
                                // Only a graph that reached the job's archive counts as an
                                // improvement of this search.
                                if (offer == Offer::Local)
                                    improved = before;
                                if (ownGraph->getNbNodes() != n)
                                    return false;
                                readRows();
                            }
                        }
                    }
                }
            }
        }
    } while (pass);
    return false;
}

bool VNS::ls_search_regular()
{
    Eval e;
    evaluate(&e);
    const QString label = QStringLiteral("ls_search_regular");
    const int degree = ownProblem->getRegDegree();
    bool result = false;
    bool pass;
    do {
        pass = false;
        const int n = ownGraph->getNbNodes();
        readRows();
        for (int u = 0; u < n; ++u) {
            if (halted())
                return result;
            const int du = __builtin_popcount(rows[u]);
            if (du >= degree)
                continue;
            for (int v = 0; v < n; ++v) {
                const int dv = __builtin_popcount(rows[v]);
                if (dv <= degree)
                    continue;
                // The counts du and dv stay as they were read: several edges may move from v
                // to u, each judged by the archive.
                for (int w = 0; w < n; ++w) {
                    if (w == u || w == v || !((rows[v] >> w) & 1u) || ((rows[u] >> w) & 1u))
                        continue;
                    if (halted())
                        return result;
                    ownGraph->addEdge(u, w);
                    ownGraph->remEdge(v, w);
                    const Offer offer = candidateStep(&e, label);
                    if (offer == Offer::Refused) {
                        ownGraph->addEdge(v, w);
                        ownGraph->remEdge(u, w);
                        continue;
                    }
                    pass = true;
                    if (offer == Offer::Best) {
                        result = true;
                        if (isRegularGraph())
                            return true;
                    }
                    if (ownGraph->getNbNodes() != n)
                        return result;
                    readRows();
                }
            }
        }
    } while (pass);
    return result;
}

// ---------------------------------------------------------------- fixed number of edges

bool VNS::evenOutEdgeCount()
{
    const int target = targetEdges();
    const int n = ownGraph->getNbNodes();
    readRows();
    int degree[32];
    int m = 0;
    for (int i = 0; i < n; ++i) {
        degree[i] = __builtin_popcount(rows[i]);
        m += degree[i];
    }
    m /= 2;
    // Too many edges lose an edge of the largest degree sum, too few gain a missing pair of the
    // smallest degree sum (ties: the first pair in lexicographic order). Each step moves the
    // count by one, so at most n (n - 1) / 2 steps are made.
    bool result = false;
    while (m != target) {
        const bool removing = m > target;
        int bestI = -1, bestJ = -1, bestSum = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                if (bool((rows[i] >> j) & 1u) != removing)
                    continue;
                const int sum = degree[i] + degree[j];
                if (bestI < 0 || (removing ? sum > bestSum : sum < bestSum)) {
                    bestI = i;
                    bestJ = j;
                    bestSum = sum;
                }
            }
        if (bestI < 0)
            break; // the complete or the empty graph: no pair is left to toggle
        const int step = removing ? -1 : 1;
        if (removing)
            ownGraph->remEdge(bestI, bestJ);
        else
            ownGraph->addEdge(bestI, bestJ);
        rows[bestI] ^= 1u << bestJ;
        rows[bestJ] ^= 1u << bestI;
        degree[bestI] += step;
        degree[bestJ] += step;
        m += step;
        result = true;
    }
    return result;
}

bool VNS::ls_search_nbarcs()
{
    const int target = targetEdges();
    const int n = ownGraph->getNbNodes();
    readRows();
    int m = 0;
    for (int i = 0; i < n; ++i)
        m += __builtin_popcount(rows[i]);
    m /= 2;
    // Pairs are toggled in lexicographic order (0-1, 0-2, ..., 1-2, ...), each kept when it brings
    // the count closer. This may leave the first vertices bare or full; evening out the degrees
    // is the work of the degree-repairing searches that follow. Every kept toggle brings the
    // distance down by one, so there are at most |m - target| of them, and a pass that keeps
    // none ends the search.
    int distance = std::abs(m - target);
    bool result = false;
    bool pass;
    do {
        pass = false;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const bool present = (rows[i] >> j) & 1u;
                const int after = std::abs(m + (present ? -1 : 1) - target);
                if (after >= distance)
                    continue;
                if (present)
                    ownGraph->remEdge(i, j);
                else
                    ownGraph->addEdge(i, j);
                rows[i] ^= 1u << j;
                rows[j] ^= 1u << i;
                m += present ? -1 : 1;
                distance = after;
                pass = true;
                if (distance == 0)
                    return true;
            }
        result |= pass;
    } while (pass);
    return result;
}

bool VNS::ls_quadfixnbarcs(bool stopWhenRegular)
{
    return rewriteEveryTuple(4, quadSize, QStringLiteral("ls_quadfixnbarcs"), stopWhenRegular);
}

bool VNS::ls_quintfixnbarcs(bool stopWhenRegular)
{
    return rewriteEveryTuple(5, quintSize, QStringLiteral("ls_quintfixnbarcs"), stopWhenRegular);
}

bool VNS::rewriteEveryTuple(int k, const SignatureTables::Table &table, const QString &label,
                            bool stopWhenRegular)
{
    Eval e;
    evaluate(&e);
    bool result = false;
    bool pass;
    do {
        pass = false;
        const int n = ownGraph->getNbNodes();
        readRows();
        if (n < k)
            break; // no tuple: the pass accepts nothing
        int v[5];
        for (int i = 0; i < k; ++i)
            v[i] = i;
        do {
            if (halted())
                return result;
            switch (walkRewrites(v, k, table, &e, label, stopWhenRegular, pass, result)) {
            case Walk::Go:
                break;
            case Walk::Regular:
                return true;
            case Walk::Stop:
                return result;
            }
        } while (nextTuple(v, k, n));
    } while (pass);
    return result;
}
