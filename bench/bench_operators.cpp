// Cost of one recomputation of the operators that objectives use most, on results of the largest
// size (32 vertices), and of every other operator at argument sizes 10, 20 and 32 (the name ends in
// the size). Items are headless and read their arguments in place, as in a search worker.
//
//   bench_operators --benchmark_filter=CHOLESKY

#include "graph/Graph.h"
#include "operators/ConstraintLE.h"
#include "operators/OperatorFactory.h"
#include "operators/operADD.h"
#include "operators/operDIV.h"
#include "operators/operEIG.h"
#include "operators/operSUM.h"
#include "operators/operVAR.h"
#include "problem/Operator.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

// An argument with a fixed 32 x 32 (or n x 1) result.
class Preset : public Operator
{
public:
    Preset(int r, int c, bool symmetric)
    {
        rows = r;
        cols = c;
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j)
                M[i][j] = symmetric ? double((i * 7 + j * 7 + i * j) % 5) - 2.0 : 1.0 + (i * 31 + j) % 13;
        sRows = sCols = QStringLiteral("n");
    }
    void recompute() override {}
};

template <class Item> void run(benchmark::State &state, Calculus *a, Calculus *b)
{
    Item item(false);
    item.arg1 = a;
    item.arg2 = b;
    for (auto _ : state) {
        item.recompute();
        benchmark::DoNotOptimize(item.M[0][0]);
    }
}

void BM_AddMatrices(benchmark::State &state)
{
    Preset a(32, 32, false), b(32, 32, false);
    run<operADD>(state, &a, &b);
}
BENCHMARK(BM_AddMatrices);

void BM_DivideByValue(benchmark::State &state)
{
    Preset a(32, 32, false), b(1, 1, false);
    run<operDIV>(state, &a, &b);
}
BENCHMARK(BM_DivideByValue);

void BM_SumMatrix(benchmark::State &state)
{
    Preset a(32, 32, false);
    run<operSUM>(state, &a, nullptr);
}
BENCHMARK(BM_SumMatrix);

void BM_VarianceVector(benchmark::State &state)
{
    Preset a(32, 1, false);
    run<operVAR>(state, &a, nullptr);
}
BENCHMARK(BM_VarianceVector);

void BM_EigenvaluesOfOrder(benchmark::State &state)
{
    const int n = int(state.range(0));
    Preset a(n, n, true);
    run<operEIG>(state, &a, nullptr);
}
BENCHMARK(BM_EigenvaluesOfOrder)->Arg(8)->Arg(16)->Arg(32);

void BM_ConstraintLessOrEqual(benchmark::State &state)
{
    Preset a(32, 1, false), b(32, 1, false);
    run<ConstraintLE>(state, &a, &b);
}
BENCHMARK(BM_ConstraintLessOrEqual);

// ---- every other operator at sizes 10, 20 and 32 -------------------------------------------------

// A preset result of r x c entries given by f(i, j).
template <class F> std::unique_ptr<Preset> preset(int r, int c, F f)
{
    auto p = std::make_unique<Preset>(r, c, false);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            p->M[i][j] = f(i, j);
    return p;
}

// The argument shapes an operator is measured on.
enum class Shape {
    Matrix,         // a symmetric n x n matrix with mixed signs
    Positive,       // a symmetric positive definite n x n matrix of non-negative entries
    TwoMatrices,    // two n x n matrices
    MatrixAndIndex, // an n x n matrix and the value 2
    Vector,         // an n x 1 vector with repeated entries
    Degrees,        // the degree vector of the graph
    TwoVectors,     // two n x 1 vectors
    VectorAndIndex, // an n x 1 vector and the value 2
    FourMatrices,   // conditions and alternatives, n x n each
    None,           // no argument
};

struct Measured {
    const char *keyword;
    Shape shape;
};

const Measured measured[] = {
    {"*", Shape::TwoMatrices},
    {"EXP", Shape::Matrix},
    {"FLOOR", Shape::Matrix},
    {"SQRT", Shape::Positive},
    {"COLUMN", Shape::MatrixAndIndex},
    {"TRANSPOSE", Shape::Matrix},
    {"EIGENVECTORS", Shape::Matrix},
    {"DETERMINANT", Shape::Matrix},
    {"INERTIA", Shape::Matrix},
    {"CHOLESKY", Shape::Positive},
    {"LAPLACIANOF", Shape::Matrix},
    {"SUMROW", Shape::Matrix},
    {"SUMCOL", Shape::Matrix},
    {"MAXROW", Shape::Matrix},
    {"MAXCOL", Shape::Matrix},
    {"NBEQ", Shape::Matrix},
    {"SUMGE", Shape::Matrix},
    {"SUMPRODUCT", Shape::TwoMatrices},
    {"CORR", Shape::TwoVectors},
    {"ECORR", Shape::Degrees},
    {"EUCLIDIANDIST", Shape::TwoMatrices},
    {"MANHATTANDIST", Shape::TwoMatrices},
    {"DPALINDROMIC", Shape::Vector},
    {"SORT", Shape::Vector},
    {"VALUE AT", Shape::VectorAndIndex},
    {"IFGE", Shape::FourMatrices},
    {"MOMENT", Shape::None},
    {"RANDICTYPE", Shape::Degrees},
    {"DIAG", Shape::Vector},
};

std::vector<std::unique_ptr<Graph>> graphs;
std::vector<std::unique_ptr<Calculus>> arguments;

// A connected graph of order n: the cycle with the chords {i, i + 3} for every even i.
Graph *benchGraph(int n)
{
    graphs.push_back(std::make_unique<Graph>(QStringLiteral("bench"), false));
    Graph *g = graphs.back().get();
    g->clear();
    for (int i = 0; i < n; ++i)
        g->addNode();
    for (int i = 0; i < n; ++i) {
        g->addEdge(i, (i + 1) % n);
        if (i % 2 == 0)
            g->addEdge(i, (i + 3) % n);
    }
    return g;
}

std::vector<Calculus *> argumentsFor(Shape shape, int n, Graph *g)
{
    const auto mixed = [](int i, int j) { return double((i * 7 + j * 7 + i * j) % 5) - 2.0; };
    const auto keep = [](std::unique_ptr<Preset> p) {
        arguments.push_back(std::move(p));
        return arguments.back().get();
    };
    const auto vector = [&](int salt) {
        return keep(preset(n, 1, [salt](int i, int) { return double((i * 5 + salt) % 7); }));
    };
    const auto matrix = [&](int salt) {
        return keep(preset(n, n, [&mixed, salt](int i, int j) { return mixed(i, j) + salt; }));
    };
    const auto value = [&](double v) { return keep(preset(1, 1, [v](int, int) { return v; })); };
    switch (shape) {
    case Shape::Matrix:
        return {matrix(0)};
    case Shape::Positive:
        return {keep(
            preset(n, n, [&mixed, n](int i, int j) { return i == j ? 2.0 * n : std::abs(mixed(i, j)); }))};
    case Shape::TwoMatrices:
        return {matrix(0), matrix(1)};
    case Shape::MatrixAndIndex:
        return {matrix(0), value(2)};
    case Shape::Vector:
        return {vector(0)};
    case Shape::Degrees:
        return {keep(preset(n, 1, [g](int i, int) {
            int d = 0;
            for (int j = 0; j < g->getNbNodes(); ++j)
                d += g->edge(i, j) ? 1 : 0;
            return double(d);
        }))};
    case Shape::TwoVectors:
        return {vector(0), vector(3)};
    case Shape::VectorAndIndex:
        return {vector(0), value(2)};
    case Shape::FourMatrices:
        return {matrix(0), matrix(1), matrix(2), matrix(3)};
    case Shape::None:
        return {};
    }
    return {};
}

void runKeyword(benchmark::State &state, QString keyword, std::vector<Calculus *> args, Graph *g)
{
    std::unique_ptr<Calculus> item(OperatorFactory::make(keyword, false));
    item->setGraph(g);
    Calculus **argSlot[4] = {&item->arg1, &item->arg2, &item->arg3, &item->arg4};
    for (size_t k = 0; k < args.size() && k < 4; ++k)
        *argSlot[k] = args[k];
    for (auto _ : state) {
        item->recompute();
        benchmark::DoNotOptimize(item->M[0][0]);
    }
    // 1 when the operator refused its arguments (the measure is then not meaningful)
    state.counters["failed"] = item->rows == 0 ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    for (int n : {10, 20, 32}) {
        Graph *g = benchGraph(n);
        for (const Measured &m : measured) {
            const std::string name = std::string(m.keyword) + "/" + std::to_string(n);
            benchmark::RegisterBenchmark(name.c_str(), runKeyword, QString::fromLatin1(m.keyword),
                                         argumentsFor(m.shape, n, g), g);
        }
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    arguments.clear();
    graphs.clear();
    return 0;
}
