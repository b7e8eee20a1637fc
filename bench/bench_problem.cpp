// Per-candidate cost of the problem board in the search: copying an evaluation record, and
// evaluating a small problem (one objective over a value item) on a graph that has just changed,
// before any invariant work. Then the board as the user meets it: opening a large problem file
// on the white board, and clearing such a board by opening another problem over it.

#include "graph/Graph.h"
#include "graph/Random.h"
#include "problem/Eval.h"
#include "problem/Problem.h"
#include "problem/Z.h"
#include "problem/invConstant.h"

#include <QApplication>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace
{
Graph *makeGraph(int n)
{
    tsy_srand(12345);
    auto *g = new Graph(QStringLiteral("bench"), false);
    g->randomGraph(n);
    return g;
}

// One objective minimising a constant value; the board's default requirement (connected) only,
// or every structural requirement switched on.
Problem *makeProblem(Graph *g, bool allPenalties)
{
    auto *p = new Problem(g, QStringLiteral("bench"), false);
    auto *value = new invConstant(false);
    value->loadData(1, 1, {3.5});
    p->addOperatorItem(value);
    auto *z = new Z(false);
    p->addZItem(z);
    p->link1(value, z);
    p->setNbNod(g->getNbNodes());
    if (allPenalties) {
        p->setConnectedBar(true);
        p->setChemical(true);
        p->setRegular(true);
        p->setRegDegree(3);
        p->setDegmax(true);
        p->setDegmaxValue(5);
        p->setDiameter(true);
        p->setDiameterValue(2);
    }
    return p;
}

void evaluate(benchmark::State &state, bool allPenalties)
{
    const int n = static_cast<int>(state.range(0));
    Graph *g = makeGraph(n);
    Problem *p = makeProblem(g, allPenalties);
    Eval e;
    bool add = true;
    for (auto _ : state) {
        // A move of the search: the graph changes, then the candidate is evaluated.
        if (add)
            g->addEdge(0, n - 1);
        else
            g->remEdge(0, n - 1);
        add = !add;
        p->eval(&e);
        benchmark::DoNotOptimize(e.value(0));
    }
    delete p;
    delete g;
}

void BM_EvalDefaultRequirements(benchmark::State &state)
{
    evaluate(state, false);
}

void BM_EvalAllRequirements(benchmark::State &state)
{
    evaluate(state, true);
}

// The search keeps a copy of the record of every candidate it archives.
void BM_EvalCopy(benchmark::State &state)
{
    Graph *g = makeGraph(20);
    Problem *p = makeProblem(g, true);
    Eval e;
    p->eval(&e);
    for (auto _ : state) {
        Eval copy(e);
        benchmark::DoNotOptimize(copy.size());
    }
    delete p;
    delete g;
}

// Evaluating into a record while a copy of its previous content is kept (the archive's case).
void BM_EvalWhileCopiesAreKept(benchmark::State &state)
{
    Graph *g = makeGraph(20);
    Problem *p = makeProblem(g, false);
    Eval e;
    Eval kept;
    for (auto _ : state) {
        g->addEdge(1, 2);
        p->eval(&e);
        kept = e;
        benchmark::DoNotOptimize(kept.size());
    }
    delete p;
    delete g;
}

// A problem text as a user's large file holds it: the two parameters, then blocks of invariants and
// operators whose arguments reach into the block before, one objective at the end; `items` items
// in all, about 1.2 arrows per item.
QString largeProblemText(int items)
{
    QStringList records;
    auto record = [&records](const QString &keyword, int index, QVector<int> args, const QString &tail) {
        QStringList f{keyword,
                      QString(),
                      QStringLiteral("0"),
                      QStringLiteral("0"),
                      QStringLiteral("0"),
                      QStringLiteral("0"),
                      QString::number((index % 40) * 120),
                      QString::number((index / 40) * 150)};
        args.resize(4);
        for (int a : args)
            f << (a < 0 ? QStringLiteral("NULL") : QString::number(a));
        records << f.join(QLatin1Char('\t')) + tail;
    };
    const QVector<int> none{-1, -1, -1, -1};
    record(QStringLiteral("PARAM 2"), 0, none, QString());
    record(QStringLiteral("PARAM 1"), 1, none, QString());
    int last = 1;
    for (int b = 2; b + 1 < items; b += 10) {
        const int previous = b >= 12 ? b - 1 : b;
        const struct {
            const char *keyword;
            QVector<int> args;
        } block[10] = {{"ORDER", none},
                       {"SIZE", none},
                       {"DEGREES", none},
                       {"ADJACENCY", none},
                       {"+", {b + 1, previous == b ? b : previous, -1, -1}},
                       {"/", {b + 4, b, -1, -1}},
                       {"MAX", {b + 2, -1, -1, -1}},
                       {"EIGENVALUES", {b + 3, -1, -1, -1}},
                       {"MAX", {b + 7, -1, -1, -1}},
                       {"-", {b + 8, b + 5, -1, -1}}};
        for (int i = 0; i < 10 && b + i + 1 < items; ++i) {
            QVector<int> args = block[i].args;
            for (int &a : args)
                if (a >= b + i)
                    a = -1; // a block cut short keeps its arguments before their users
            record(QLatin1String(block[i].keyword), b + i, args, QString());
            last = b + i;
        }
    }
    record(QStringLiteral("Z"), items - 1, {last, -1, -1, -1}, QStringLiteral("\tmin"));
    for (const QString &display :
         {QStringLiteral("Colors"), QStringLiteral("Labels"), QStringLiteral("E_Labels")})
        record(display, items, none, QString());
    return records.join(QStringLiteral("<NEW>")) + QStringLiteral("<NEW>DESC\tLarge board\t");
}

const QString smallProblemText = QStringLiteral("ORDER\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>"
                                                "DESC\tSmall board\t");

// The board of the main window: a board with a user interface (every item has its dialog) on a
// drawn graph.
struct WhiteBoard {
    Graph graph{QStringLiteral("graph"), true};
    Problem board{&graph, QStringLiteral("problem"), true};
    WhiteBoard() { graph.randomGraph(10); }
    void open(const QString &text)
    {
        if (!board.openString(text))
            std::abort();
    }
    // What the event loop does before the window answers again: the posted events, deferred
    // deletions included. Measured with the command that left them.
    static void answer()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

enum class Before { SmallBoard, LargeBoard, LargeBoardJustOpened };

// One command on the board, opening the large problem or the small one, measured with the event
// loop's work that follows it. Before it the board holds the small problem, the large one, or the
// large one opened by the command just before (no event loop in between, as when a script or a
// test drives the board).
void boardCommand(benchmark::State &state, Before before, bool large)
{
    const QString text = largeProblemText(static_cast<int>(state.range(0)));
    const QString &timed = large ? text : smallProblemText;
    WhiteBoard w;
    for (auto _ : state) {
        state.PauseTiming();
        w.open(before == Before::SmallBoard ? smallProblemText : text);
        if (before != Before::LargeBoardJustOpened)
            WhiteBoard::answer();
        state.ResumeTiming();
        w.open(timed);
        WhiteBoard::answer();
    }
}

void BM_BoardOpen(benchmark::State &state)
{
    boardCommand(state, Before::SmallBoard, true);
}

// Opening a large problem over another one.
void BM_BoardReopen(benchmark::State &state)
{
    boardCommand(state, Before::LargeBoard, true);
}

// Clearing a large board: opening a small problem over it.
void BM_BoardClear(benchmark::State &state)
{
    boardCommand(state, Before::LargeBoard, false);
}

void BM_BoardClearJustOpened(benchmark::State &state)
{
    boardCommand(state, Before::LargeBoardJustOpened, false);
}
} // namespace

BENCHMARK(BM_EvalDefaultRequirements)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_EvalAllRequirements)->Arg(10)->Arg(20)->Arg(32);
BENCHMARK(BM_EvalCopy);
BENCHMARK(BM_EvalWhileCopiesAreKept);
// Boards of 100 to 990 items (a board holds at most 997).
BENCHMARK(BM_BoardOpen)->Arg(100)->Arg(300)->Arg(600)->Arg(990)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoardReopen)->Arg(100)->Arg(300)->Arg(600)->Arg(990)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoardClear)->Arg(100)->Arg(300)->Arg(600)->Arg(990)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoardClearJustOpened)->Arg(100)->Arg(300)->Arg(600)->Arg(990)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
