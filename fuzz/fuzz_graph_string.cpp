// Fuzzes the graph string readers (loadtsy, shown and not, and loadCurrentGraph) with the checks
// of GraphReaderChecks.h: any input, read as Latin-1 text, reads as the format says into a graph
// whose string reads back to itself, whatever leading zeros its order carries, or, when its order
// is outside 0..32, is refused without a trace.

#include "FuzzSetup.h"
#include "GraphReaderChecks.h"

#include <cstdint>

namespace
{
Graph *shown = nullptr;
Graph *headless = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSetup::start(argc, argv);
    shown = new Graph(QStringLiteral("graph"), true);
    headless = new Graph(QStringLiteral("fuzz"), false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString s = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    FuzzSetup::conclude(GraphReaderChecks::checkGraphString(*shown, *headless, s));
    return 0;
}
