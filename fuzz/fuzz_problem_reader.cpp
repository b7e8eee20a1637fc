// Fuzzes the problem text reader: any input, read as the Latin-1 text of a problem file, must be
// refused or read without a crash, a hang or a leak, and a text the reader accepts must write a
// problem text that reads back to itself.

#include "graph/Graph.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace
{
QApplication *app = nullptr;
Graph *graph = nullptr;
Problem *board = nullptr;
Problem *second = nullptr;
std::ostringstream *sink = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = new QApplication(*argc, *argv);
    graph = new Graph(QStringLiteral("fuzz"), false);
    graph->loadCurrentGraph(QStringLiteral("5 1011001101"));
    board = new Problem(graph, QStringLiteral("fuzz"), false);
    second = new Problem(graph, QStringLiteral("fuzz2"), false);
    // The reader reports every refusal on the standard error stream: keep the fuzzer's output
    // readable.
    sink = new std::ostringstream;
    std::cerr.rdbuf(sink->rdbuf());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    const bool ok = board->openString(text);
    sink->str(std::string());

    Eval e;
    graph->addEdge(0, 4);
    board->eval(&e);
    if (e.size() < 2)
        std::abort();
    if (ok) {
        const QString written = board->saveString();
        if (!second->openString(written) || second->saveString() != written)
            std::abort();
    }
    return 0;
}
