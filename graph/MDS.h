#pragma once

#include <vector>

class Graph;

// Automatic layout: places the vertices of a graph so that the drawing distance of two vertices
// approximates their graph distance scaled to the drawing size. The stress (sum over pairs of the
// squared difference between drawing and target distance) is lowered by a gradient search with
// an adaptive step inside a neighbourhood search that re-throws random vertices.
//
// The constructor does the whole layout and writes the centred positions into vertices
// 0..n-1 of the graph through Graph::setPos (n = order of the current graph; adjacency from the
// best graph). The graph's adjacency, stamps and best graph are untouched and nothing is
// emitted: the caller redraws with Graph::update_display().
//
// Pairs without a path get a target beyond the drawing size and stop counting once they are
// drawn farther apart than it. An edgeless graph counts its largest distance as 1, so every
// target and every position stays finite. Random numbers come from the calling thread's
// generator (tsy_qrand), which the layout never seeds.
class MDS
{
public:
    // size: the target distance of the farthest connected pair (positive and finite, or nothing
    // is moved); dim: 3 for a layout in space (the depth goes to the items' z value), else 2.
    MDS(Graph *graph, double size, int dim);
    ~MDS();

    MDS(const MDS &) = delete;
    MDS &operator=(const MDS &) = delete;

    // False when nothing was written (a size that is not positive and finite).
    bool done() const { return written; }
    // Stress of the random start layout and of the layout written to the graph.
    double startStress() const { return stressAtStart; }
    double finalStress() const { return bestStress; }
    // Target distance between vertices i and j (after scaling).
    double target(int i, int j) const { return targets[idx(i, j)]; }

    // Drawing-distance pairs beyond this and with a target beyond it do not count.
    double getCutoff() const { return cutoff; }

private:
    bool load(Graph *g);
    void random_solution();
    void compute_distance();
    double stress() const;
    static double kernel(double x) { return 1.0 / x; }
    void compute_grad();
    void apply(double h);
    double unif01();
    void std_local_search();
    void local_search();
    void backup();
    void restore();
    void perturb(unsigned int k);
    void vns();
    void optimize();

    int idx(int i, int j) const { return i * n + j; }

    Graph *graph;
    int n = 0;
    int d = 2;
    double size = 0.0;
    std::vector<double> targets; // n x n
    std::vector<double> drawing; // n x n
    std::vector<double> coords;  // n x d
    std::vector<double> bestCoords;
    std::vector<double> grad;
    double cutoff = 0.0;
    double bestStress = 0.0;
    double stressAtStart = 0.0;
    bool written = false;
    static constexpr double threshold = 1e-5;
    static constexpr double initialStep = 0.05;
    unsigned int kMin = 1;
    unsigned int kMax = 1;
};
