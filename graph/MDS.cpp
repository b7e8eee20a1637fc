#include "graph/MDS.h"

#include "graph/Graph.h"
#include "graph/Random.h"

#include <QPointF>

#include <cmath>

namespace
{
// Steps of one gradient search. A search normally ends long before, when its step has shrunk
// below 1e-8; the bound only keeps a pathological stress landscape from holding the caller.
constexpr int maxGradientSteps = 20000;
constexpr int vnsIterations = 10;
} // namespace

MDS::MDS(Graph *graph, double size, int dim) : graph(graph), d(dim == 3 ? 3 : 2), size(size)
{
    if (graph == nullptr || !(size > 0.0) || !std::isfinite(size))
        return;
    n = graph->getNbNodes();
    if (n <= 0)
        return;
    load(graph);
    coords.assign(static_cast<size_t>(n) * d, 0.0);
    bestCoords.assign(coords.size(), 0.0);
    grad.assign(coords.size(), 0.0);
    drawing.assign(static_cast<size_t>(n) * n, 0.0);
    random_solution();
    kMin = 1;
    kMax = static_cast<unsigned int>(n);
    optimize();
}

MDS::~MDS() = default;

bool MDS::load(Graph *g)
{
    graph = g;
    const double unreachable = 2.0 * n;
    targets.assign(static_cast<size_t>(n) * n, unreachable);
    std::vector<bool> adjacent(static_cast<size_t>(n) * n, false);
    for (int u = 0; u < n; ++u)
        for (int v = 0; v < n; ++v)
            adjacent[idx(u, v)] = g->bestEdge(u, v);

    double largest = 0.0;
    std::vector<int> queue(n);
    std::vector<bool> marked(n);
    for (int s = 0; s < n; ++s) {
        std::fill(marked.begin(), marked.end(), false);
        int head = 0;
        int tail = 0;
        queue[tail++] = s;
        marked[s] = true;
        targets[idx(s, s)] = 0.0;
        while (head < tail) {
            const int u = queue[head++];
            const double next = targets[idx(s, u)] + 1.0;
            for (int v = 0; v < n; ++v) {
                if (!marked[v] && adjacent[idx(u, v)]) {
                    queue[tail++] = v;
                    marked[v] = true;
                    targets[idx(s, v)] = next;
                    if (next > largest + threshold)
                        largest = next;
                }
            }
        }
    }
    // Without any edge no distance is finite; counting the largest as 1 keeps every target finite.
    if (largest < 1.0)
        largest = 1.0;
    const double factor = size / largest;
    for (double &t : targets)
        t *= factor;
    cutoff = largest * factor;
    return true;
}

double MDS::unif01()
{
    return (tsy_qrand() % 100000) / 100000.0;
}

void MDS::random_solution()
{
    for (double &c : coords)
        c = unif01() * cutoff;
}

void MDS::compute_distance()
{
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            double s = 0.0;
            for (int c = 0; c < d; ++c) {
                const double t = coords[i * d + c] - coords[j * d + c];
                s += t * t;
            }
            const double dist = std::sqrt(s);
            drawing[idx(i, j)] = dist;
            drawing[idx(j, i)] = dist;
        }
    }
}

double MDS::stress() const
{
    double s = 0.0;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const double t = targets[idx(i, j)];
            const double dd = drawing[idx(i, j)];
            if (t > cutoff && dd > cutoff)
                continue;
            s += (dd - t) * (dd - t);
        }
    }
    return s;
}

void MDS::compute_grad()
{
    std::fill(grad.begin(), grad.end(), 0.0);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (i == j)
                continue;
            const double t = targets[idx(i, j)];
            const double dd = drawing[idx(i, j)];
            if (t > cutoff && dd > cutoff)
                continue;
            const double w = kernel(t) * (dd - t);
            for (int c = 0; c < d; ++c)
                grad[i * d + c] += w * (coords[i * d + c] - coords[j * d + c]);
        }
    }
}

void MDS::apply(double h)
{
    for (size_t k = 0; k < coords.size(); ++k)
        coords[k] -= h * grad[k];
}

void MDS::std_local_search()
{
    double h = initialStep;
    compute_distance();
    double reference = 2.0 * stress();
    int successes = 0;
    for (int step = 0; h > 1e-8 && step < maxGradientSteps; ++step) {
        compute_grad();
        apply(h);
        compute_distance();
        const double s = stress();
        if (s < reference - threshold) {
            if (s < bestStress - threshold) {
                bestStress = s;
                backup();
            }
            if (++successes >= 6)
                h *= 1.25;
            reference = s;
        } else {
            // Go back most of the way: a tenth of the failed move remains.
            h *= 0.9;
            apply(-h);
            compute_distance();
            successes = 0;
        }
    }
}

void MDS::local_search()
{
    std_local_search();
    restore();
}

void MDS::backup()
{
    bestCoords = coords;
}

void MDS::restore()
{
    coords = bestCoords;
}

void MDS::perturb(unsigned int k)
{
    // Thrown vertices land inside the drawing, whatever its size, like the start layout.
    for (unsigned int t = 0; t < k; ++t) {
        const int v = static_cast<int>(static_cast<unsigned int>(tsy_qrand()) % static_cast<unsigned int>(n));
        for (int c = 0; c < d; ++c)
            coords[v * d + c] = cutoff * unif01();
    }
}

void MDS::vns()
{
    unsigned int k = kMin;
    compute_distance();
    double reference = stress();
    for (int it = 0; it < vnsIterations; ++it) {
        local_search();
        compute_distance();
        const double s = stress();
        if (s < reference - threshold) {
            if (bestStress < threshold)
                return;
            k = kMin;
            reference = s;
        } else {
            if (++k > kMax)
                k = kMin;
            restore();
        }
        perturb(k);
    }
    restore();
    compute_distance();
}

void MDS::optimize()
{
    compute_distance();
    bestStress = stress();
    stressAtStart = bestStress;
    backup();
    vns();

    double mean[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < d; ++c)
            mean[c] += coords[i * d + c];
    for (int c = 0; c < d; ++c)
        mean[c] /= n;
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < d; ++c)
            coords[i * d + c] -= mean[c];

    // Nothing that is not a finite number may reach a vertex item.
    for (double c : coords)
        if (!std::isfinite(c))
            return;
    for (int i = 0; i < n; ++i) {
        if (d == 3)
            graph->setPos(i, coords[i * d], coords[i * d + 1], coords[i * d + 2]);
        else
            graph->setPos(i, QPointF(coords[i * d], coords[i * d + 1]));
    }
    written = true;
}
