// Fuzzes the graph file reader on the path the Load dialog takes (Graph::open on the shown graph),
// with the checks of GraphReaderChecks.h: a refused file leaves the graph as it was; a file that is
// read saves, reopens to the same graph, names and places, and saves again to the same bytes; the
// autosave form reads back to itself.

#include "FuzzSetup.h"
#include "GraphReaderChecks.h"

#include <QTemporaryDir>

#include <cstdint>

namespace
{
Graph *shown = nullptr;
Graph *reopened = nullptr;
QTemporaryDir *dir = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSetup::start(argc, argv);
    shown = new Graph(QStringLiteral("graph"), true);
    reopened = new Graph(QStringLiteral("fuzz"), false);
    dir = new QTemporaryDir;
    if (!dir->isValid())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    FuzzSetup::conclude(GraphReaderChecks::checkGraphFile(*shown, *reopened, bytes, dir->path()));
    return 0;
}
