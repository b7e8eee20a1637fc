// Fuzzes the graph6 readers: the input is split into lines as a file is, and every line goes
// through the string form and the stream form, which must agree (GraphReaderChecks.h); a line
// they read must give the same graph when written in graph6 again.

#include "FuzzSetup.h"
#include "GraphReaderChecks.h"

#include <cstdint>

namespace
{
Graph *first = nullptr;
Graph *second = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSetup::start(argc, argv);
    first = new Graph(QStringLiteral("fuzz"), false);
    second = new Graph(QStringLiteral("fuzz2"), false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    FuzzSetup::conclude(GraphReaderChecks::checkGraph6(*first, *second, bytes));
    return 0;
}
