// Fuzzes the problem file path the window takes: the input is a problem file opened on a shown
// board (Problem::open, as the Open dialog does) and evaluated. A file that is read must save
// (Problem::save, as the Save dialog does), open again on a second shown board, and save from
// there to the same bytes: whatever the reader accepts, the writer writes in a form it accepts.
// A file holding a NUL byte is refused and leaves the board as it was.

#include "FuzzSetup.h"

#include "graph/Graph.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstring>

namespace
{
Graph *graph = nullptr;
Problem *board = nullptr;
Problem *second = nullptr;
QTemporaryDir *dir = nullptr;

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSetup::start(argc, argv);
    graph = new Graph(QStringLiteral("graph"), true);
    graph->loadtsy(QStringLiteral("5 1011001101"), true);
    board = new Problem(graph, QStringLiteral("problem"), true);
    second = new Problem(graph, QStringLiteral("problem2"), true);
    dir = new QTemporaryDir;
    if (!dir->isValid())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString in = dir->filePath(QStringLiteral("in.tsy3"));
    const QString a = dir->filePath(QStringLiteral("a.tsy3"));
    const QString b = dir->filePath(QStringLiteral("b.tsy3"));
    if (!writeBytes(in, QByteArray(reinterpret_cast<const char *>(data), int(size))))
        std::abort();
    const QString before = board->saveString();
    const bool ok = board->open(in);
    Eval e;
    board->eval(&e);
    QString failure;
    if (e.size() < 2)
        failure = QStringLiteral("the board lost its parameters");
    else if (std::memchr(data, 0, size) && (ok || board->saveString() != before))
        failure = QStringLiteral("a file holding a NUL byte was read");
    else if (ok && !board->save(a))
        failure = QStringLiteral("a problem that was read cannot be saved");
    else if (ok && !second->open(a))
        failure = QStringLiteral("a problem that was read and saved is refused");
    else if (ok && (!second->save(b) || readBytes(a) != readBytes(b)))
        failure = QStringLiteral("a problem saved, reopened and saved again changed");
    FuzzSetup::conclude(failure);
    return 0;
}
