// The search worker's quad and quint moves and its general local searches (quad swaps, pair toggles).
#include "optimisation/VNS.h"

#include "graph/Graph.h"
#include "graph/Random.h"
#include "problem/Eval.h"

#include <algorithm>
#include <cmath>

namespace
{

// Writes the signature code on the tuple v: bit b sets the pair pairs[b] (positions in v), one
// addEdge/remEdge per pair in bit order; returns the result of the last pair's call.
template <int Pairs> bool writeSignature(Graph *graph, const int *v, int code, const int (&pairs)[Pairs][2])
{
    bool last = false;
    for (int b = 0; b < Pairs; ++b) {
        const int a = v[pairs[b][0]], c = v[pairs[b][1]];
        last = (code >> b) & 1 ? graph->addEdge(a, c) : graph->remEdge(a, c);
    }
    return last;
}

} // namespace

// ---------------------------------------------------------------- signatures

void VNS::readRows()
{
    ownGraph->adjacencyRows(rows);
}

int VNS::quadSignature(const int *v)
{
    readRows();
    return SignatureTables::quadSignature(rows, v);
}

int VNS::quintSignature(const int *v)
{
    readRows();
    return SignatureTables::quintSignature(rows, v);
}

bool VNS::setQuadGraph(const int *v, int code)
{
    return writeSignature(ownGraph, v, code, SignatureTables::quadPairs);
}

bool VNS::setQuintGraph(const int *v, int code)
{
    return writeSignature(ownGraph, v, code, SignatureTables::quintPairs);
}

void VNS::initQuadSizeVectors()
{
    quadSize = SignatureTables::buildQuadSize();
}

void VNS::initQuintSizeVectors()
{
    quintSize = SignatureTables::buildQuintSize();
}

void VNS::initQuintRegVectors()
{
    quintReg = SignatureTables::buildQuintReg();
}

// ---------------------------------------------------------------- learning quad-swap descent

bool VNS::ls_stoquad(bool stopWhenRegular)
{
    Eval e;
    initialStep(&e, QStringLiteral("ls_stoquad init"));
    const QString label = QStringLiteral("ls_stoquad");
    const int n = ownGraph->getNbNodes();
    int P[32];
    for (int i = 0; i < n; ++i)
        P[i] = i;
    const double bias = prob.load();
    bool result = false;
    bool pass;
    do {
        for (int i = 0; i < n; ++i)
            std::swap(P[i], P[tsy_qrand() % n]);
        pass = false;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                for (int l = j + 1; l < n; ++l)
                    for (int m = l + 1; m < n; ++m) {
                        if (halted())
                            continue;
                        const int v[4] = {P[i], P[j], P[l], P[m]};
                        readRows();
                        int s = SignatureTables::quadSignature(rows, v);
                        for (int t = 0; t < 64; ++t) {
                            if (t == s)
                                continue;
                            if (halted())
                                break;
                            const double r = tsy_rand();
                            if (!(std::tanh(W[s][t]) + bias > 2.0 * r - 0.5))
                                continue;
                            setQuadGraph(v, t);
                            const Offer offer = candidateStep(&e, label);
                            if (offer == Offer::Refused) {
                                W[s][t] -= 0.1;
                                setQuadGraph(v, s);
                                continue;
                            }
                            W[s][t] += 1.0;
                            pass = true;
                            if (offer == Offer::Best) {
                                result = true;
                                if (stopWhenRegular && isRegularGraph())
                                    return true;
                            }
                            // Publishing may have loaded another worker's graph: read the quad again.
                            readRows();
                            s = SignatureTables::quadSignature(rows, v);
                        }
                    }
    } while (pass);
    recentreWeights();
    return result;
}

void VNS::recentreWeights()
{
    double sum = 0.0;
    int count = 0;
    for (const auto &row : W)
        for (double w : row)
            if (std::fabs(w) > 0.01) {
                sum += w;
                ++count;
            }
    if (count == 0)
        return;
    const double mean = sum / count;
    for (auto &row : W)
        for (double &w : row)
            if (std::fabs(w) > 0.01)
                w -= mean;
}

// ---------------------------------------------------------------- pair toggles

bool VNS::ls_add_rem()
{
    Eval e;
    initialStep(&e, QStringLiteral("ls_stoquad init"));
    const QString label = QStringLiteral("ls_add_rem");
    const int n = ownGraph->getNbNodes();
    int P[32];
    for (int i = 0; i < n; ++i)
        P[i] = i;
    bool result = false;
    bool pass;
    do {
        for (int i = 0; i < n; ++i)
            std::swap(P[i], P[tsy_qrand() % n]);
        pass = false;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                if (halted())
                    return result;
                // Both cells of the pair and a fresh change stamp: a one-cell flip could add but
                // never remove an edge, and the items would keep their cached values.
                const bool wasEdge = ownGraph->edge(P[i], P[j]);
                if (wasEdge)
                    ownGraph->remEdge(P[i], P[j]);
                else
                    ownGraph->addEdge(P[i], P[j]);
                const Offer offer = candidateStep(&e, label);
                if (offer == Offer::Refused) {
                    if (wasEdge)
                        ownGraph->addEdge(P[i], P[j]);
                    else
                        ownGraph->remEdge(P[i], P[j]);
                    continue;
                }
                pass = true;
                result |= offer == Offer::Best;
                if (ownGraph->getNbNodes() != n)
                    return result;
            }
    } while (pass);
    return result;
}

bool VNS::ls_exhaustive()
{
    Eval e;
    initialStep(&e, QStringLiteral("ls_stoquad init"));
    const QString label = QStringLiteral("ls_exhaustive");
    const int n = ownGraph->getNbNodes();
    if (n > 3)
        return false;
    int pairs[3][2];
    int count = 0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            pairs[count][0] = i;
            pairs[count][1] = j;
            ++count;
        }
    bool result = false;
    for (int mask = 0; mask < (1 << count); ++mask) {
        if (halted())
            return result;
        for (int p = 0; p < count; ++p) {
            if ((mask >> p) & 1)
                ownGraph->addEdge(pairs[p][0], pairs[p][1]);
            else
                ownGraph->remEdge(pairs[p][0], pairs[p][1]);
        }
        result |= candidateStep(&e, label) == Offer::Best;
    }
    return result;
}
