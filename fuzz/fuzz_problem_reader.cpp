// Fuzzes the problem text reader: any input, read as the Latin-1 text of a problem file, must be
// refused or read without a crash, a hang or a leak, and a text the reader accepts must write a
// problem text that reads back to itself.

#include "FuzzSetup.h"

#include "graph/Graph.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <cstdint>

namespace
{
Graph *graph = nullptr;
Problem *board = nullptr;
Problem *second = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSetup::start(argc, argv);
    graph = new Graph(QStringLiteral("fuzz"), false);
    graph->loadCurrentGraph(QStringLiteral("5 1011001101"));
    board = new Problem(graph, QStringLiteral("fuzz"), false);
    second = new Problem(graph, QStringLiteral("fuzz2"), false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    const bool ok = board->openString(text);

    Eval e;
    graph->addEdge(0, 4);
    board->eval(&e);
    QString failure;
    if (e.size() < 2) {
        failure = QStringLiteral("the board lost its parameters");
    } else if (ok) {
        const QString written = board->saveString();
        if (!second->openString(written))
            failure = QStringLiteral("a problem text that was read writes a text that is refused");
        else if (second->saveString() != written)
            failure = QStringLiteral("a problem text that was read does not write back to itself");
    }
    FuzzSetup::conclude(failure);
    return 0;
}
