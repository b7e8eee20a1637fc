#pragma once

// What every graph reader must make of any input, shared by the libFuzzer targets
// (fuzz_graph_string, fuzz_graph6, fuzz_graph_file) and the bounded mutation test of the suite.
// Each check returns an empty string when the input was handled soundly, else what went wrong:
//   - a graph string reads as the format says (see formatReading), and only an order outside
//     0..32 is refused;
//   - a refused input leaves the graph exactly as it was (graph, best graph, stamp, names, places);
//   - what a reader accepts writes back into a text that reads back to the same graph, and that
//     text is a fixed point (read and written again, it does not change);
//   - leading zeros in an order do not change the verdict or the graph;
//   - the two graph6 forms agree on every line; a graph file read with CR LF line ends reads as
//     with LF;
//   - vertex places read from a file stay within the bounds that the view can show.

#include "graph/Graph.h"
#include "graph/GraphFile.h"
#include "graph/Node.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cmath>
#include <sstream>
#include <string>

namespace GraphReaderChecks
{

// Farther than this from the origin a vertex is out of the view's reach (its scroll range is an
// int, and the largest zoom is 100).
constexpr double ViewReach = 1e7;

// The start of an input, printable: control characters and quotes as \xNN.
inline QString excerpt(const QString &s);

// Where two texts part: "...a" became "...b", from a little before the first difference.
inline QString difference(const QString &a, const QString &b)
{
    int k = 0;
    while (k < a.size() && k < b.size() && a.at(k) == b.at(k))
        ++k;
    const int from = qMax(0, k - 20);
    return QStringLiteral("\"%1\" became \"%2\"").arg(excerpt(a.mid(from)), excerpt(b.mid(from)));
}

inline QString excerpt(const QString &s)
{
    QString e;
    for (QChar c : s.left(60)) {
        const ushort u = c.unicode();
        e += u < 0x20 || (u >= 0x7f && u < 0xa0) || u == '"' || u == '\\'
                 ? QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'))
                 : QString(c);
    }
    return s.size() > 60 ? e + QStringLiteral("...") : e;
}

// Names and places of the vertices below the order; places to the 6 digits a file keeps.
inline QString look(Graph &g)
{
    QStringList out;
    for (int k = 0; k < g.getNbNodes(); ++k) {
        const Node *v = g.getNode(k);
        out << v->nodeName() + QLatin1Char('@') + QString::number(v->getCoordX(), 'g', 6) + QLatin1Char(',') +
                   QString::number(v->getCoordY(), 'g', 6);
    }
    return out.join(QLatin1Char(';'));
}

struct State {
    QString current;
    QString best;
    qint64 stamp = 0;
    QString look;
    bool operator==(const State &o) const
    {
        return current == o.current && best == o.best && stamp == o.stamp && look == o.look;
    }
};

inline State stateOf(Graph &g)
{
    return State{g.currentGraphData(), g.graphData(), g.getID(), look(g)};
}

// The text with the leading zeros of a decimal order (the digits from start up to the first
// character in ends, or the end) removed, and with three more: both must read as the text does.
// Empty when that part is not all digits.
inline QStringList zeroVariants(const QString &s, int start, const QString &ends)
{
    int end = start;
    while (end < s.size() && !ends.contains(s.at(end)))
        ++end;
    if (end == start)
        return {};
    for (int k = start; k < end; ++k)
        if (s.at(k) < QLatin1Char('0') || s.at(k) > QLatin1Char('9'))
            return {};
    int first = start;
    while (first < end - 1 && s.at(first) == QLatin1Char('0'))
        ++first;
    const QString head = s.left(start);
    const QString rest = s.mid(first);
    return {head + rest, head + QStringLiteral("000") + rest};
}

// The graph string of the graph that s stands for, worked out here from the format alone, or an
// empty string when its order is outside 0..32: the order is the first part (up to the first
// blank) as toInt() reads it, 0 when it is no number at all; the pair characters are the second
// part, where only "1" is an edge and a missing character is a non-edge.
inline QString formatReading(const QString &s)
{
    const QStringList parts = s.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    bool number = false;
    int n = parts.at(0).toInt(&number);
    if (!number) {
        static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
        if (wholeNumber.match(parts.at(0).trimmed()).hasMatch())
            return QString(); // beyond the int range
        n = 0;
    }
    if (n < 0 || n > Graph::MaxNodes)
        return QString();
    const QString bits = parts.size() > 1 ? parts.at(1) : QString();
    QString out = QString::number(n) + QLatin1Char(' ');
    for (int p = 0; p < n * (n - 1) / 2; ++p)
        out += p < bits.size() && bits.at(p) == QLatin1Char('1') ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

inline QString checkGraphString(Graph &g, Graph &h, const QString &s)
{
    const State before = stateOf(g);
    const bool ok = g.loadtsy(s, false);
    if (!ok && !(stateOf(g) == before))
        return QStringLiteral("the refused string \"%1\" changed the graph").arg(excerpt(s));
    const QString read = g.currentGraphData();
    const QString expected = formatReading(s);
    if (ok != !expected.isEmpty() || (ok && read != expected))
        return QStringLiteral("\"%1\" reads as %2, the format gives %3")
            .arg(excerpt(s),
                 ok ? QLatin1Char('"') + excerpt(read) + QLatin1Char('"') : QStringLiteral("refused"),
                 expected.isEmpty() ? QStringLiteral("a refusal")
                                    : QLatin1Char('"') + excerpt(expected) + QLatin1Char('"'));
    if (ok) {
        if (g.getID() == before.stamp)
            return QStringLiteral("reading \"%1\" kept the old change stamp").arg(excerpt(s));
        if (g.graphData() != read)
            return QStringLiteral("after \"%1\" the best graph differs from the current one").arg(excerpt(s));
        if (!h.loadCurrentGraph(read) || h.currentGraphData() != read)
            return QStringLiteral("\"%1\", read from \"%2\", does not read back to itself")
                .arg(excerpt(read), excerpt(s));
    }
    const State hBefore = stateOf(h);
    const bool current = h.loadCurrentGraph(s);
    if (current != ok || (ok && h.currentGraphData() != read) || (!ok && !(stateOf(h) == hBefore)))
        return QStringLiteral("loadtsy and loadCurrentGraph disagree on \"%1\"").arg(excerpt(s));

    if (g.isDisplayed()) {
        // The analysts' path: the string is shown, with the vertices reset.
        const State shownBefore = stateOf(g);
        const bool okShown = g.loadtsy(s, true);
        if (okShown != ok || (ok && g.graphData() != read) || (!ok && !(stateOf(g) == shownBefore)))
            return QStringLiteral("loadtsy shown and not shown disagree on \"%1\"").arg(excerpt(s));
    }

    for (const QString &v : zeroVariants(s, 0, QStringLiteral(" "))) {
        const bool okv = h.loadCurrentGraph(v);
        if (okv != ok || (ok && h.currentGraphData() != read))
            return QStringLiteral("\"%1\" and \"%2\" differ only in leading zeros of the order, but read "
                                  "differently")
                .arg(excerpt(s), excerpt(v));
    }
    return QString();
}

// The graph6 line of the current graph, written here independently of the reader.
inline QString toGraph6(Graph &g)
{
    const int n = g.getNbNodes();
    QString out(1, QChar(63 + n));
    int value = 0, bits = 0;
    for (int j = 1; j < n; ++j) {
        for (int i = 0; i < j; ++i) {
            value = (value << 1) | (g.edge(i, j) ? 1 : 0);
            if (++bits == 6) {
                out += QChar(63 + value);
                value = bits = 0;
            }
        }
    }
    if (bits > 0)
        out += QChar(63 + (value << (6 - bits)));
    return out;
}

// Splits bytes into lines as the stream form does (LF, CR or CR LF end a line) and reads every
// line with both forms.
inline QString checkGraph6(Graph &g, Graph &h, const QByteArray &bytes)
{
    std::istringstream in(std::string(bytes.constData(), std::size_t(bytes.size())));
    int start = 0;
    const int size = bytes.size();
    while (start < size) {
        int end = start;
        while (end < size && bytes.at(end) != '\n' && bytes.at(end) != '\r')
            ++end;
        const QString line = QString::fromLatin1(bytes.constData() + start, end - start);
        start = end;
        if (start < size)
            start += bytes.at(start) == '\r' && start + 1 < size && bytes.at(start + 1) == '\n' ? 2 : 1;

        const State gBefore = stateOf(g);
        const bool a = g.loadg6(line, false);
        if (!a && !(stateOf(g) == gBefore))
            return QStringLiteral("the refused line \"%1\" changed the graph").arg(excerpt(line));
        const State hBefore = stateOf(h);
        const bool b = h.loadg6(in);
        if (!b && !(stateOf(h) == hBefore))
            return QStringLiteral("the stream form changed the graph when it refused \"%1\"")
                .arg(excerpt(line));
        if (a != b)
            return QStringLiteral("on the line \"%1\" (%2 characters) the string form %3, the stream form %4")
                .arg(excerpt(line))
                .arg(line.size())
                .arg(a ? QStringLiteral("reads") : QStringLiteral("refuses"),
                     b ? QStringLiteral("reads") : QStringLiteral("refuses"));
        if (!a)
            continue;
        if (g.currentGraphData() != h.currentGraphData())
            return QStringLiteral("the two forms read \"%1\" differently").arg(excerpt(line));
        const QString again = toGraph6(g);
        if (!h.loadg6(again, false) || h.currentGraphData() != g.currentGraphData())
            return QStringLiteral("\"%1\" read and written as \"%2\" does not read back the same")
                .arg(excerpt(line), excerpt(again));
    }
    if (h.loadg6(in))
        return QStringLiteral("the stream form read a line after the last one");
    return QString();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The same file with the order's leading zeros removed or added, and with CR LF line ends.
inline QList<QByteArray> fileVariants(const QByteArray &bytes)
{
    QList<QByteArray> out;
    // The size is given: the QByteArray overload would stop at a NUL byte.
    const QString text = QString::fromLatin1(bytes.constData(), bytes.size());
    int start = 0;
    while (start < text.size() && (text.at(start) == QLatin1Char(' ') || text.at(start) == QLatin1Char('\t')))
        ++start;
    for (const QString &v : zeroVariants(text, start, QStringLiteral("\r\n\t ")))
        out << v.toLatin1();
    QByteArray crlf = bytes;
    crlf.replace("\n", "\r\n");
    if (crlf.size() <= GraphFile::MaxBytes)
        out << crlf;
    return out;
}

inline QString checkGraphFile(Graph &g, Graph &h, const QByteArray &bytes, const QString &dir)
{
    const QString in = dir + QStringLiteral("/in.gtsy3");
    const QString a = dir + QStringLiteral("/a.gtsy3");
    const QString b = dir + QStringLiteral("/b.gtsy3");
    if (!writeBytes(in, bytes))
        return QStringLiteral("cannot write ") + in;
    const State before = stateOf(g);
    const bool ok = g.open(in);
    if (!ok && !(stateOf(g) == before))
        return QStringLiteral("a refused file changed the graph (%1)").arg(g.errorString());
    if (ok) {
        for (int k = 0; k < g.getNbNodes(); ++k) {
            const Node *v = g.getNode(k);
            for (double c : {v->getCoordX(), v->getCoordY()})
                if (!std::isfinite(c) || std::fabs(c) > ViewReach)
                    return QStringLiteral("vertex %1 was placed at %2, out of the view's reach")
                        .arg(k)
                        .arg(c);
        }
        if (!g.save(a))
            return QStringLiteral("a file that was read cannot be saved: ") + g.errorString();
        const State saved = stateOf(g);
        if (!h.open(a))
            return QStringLiteral("a file that was read and saved is refused: ") + h.errorString();
        if (h.graphData() != g.graphData() || h.currentGraphData() != g.currentGraphData())
            return QStringLiteral("saved and reopened, the graph changed");
        if (look(h) != look(g))
            return QStringLiteral("saved and reopened, the vertices changed: ") +
                   difference(look(g), look(h));
        if (!h.save(b) || readBytes(a) != readBytes(b))
            return QStringLiteral("a saved file, reopened and saved again, changed");
        if (!(stateOf(g) == saved))
            return QStringLiteral("saving changed the graph");
    }
    for (const QByteArray &variant : fileVariants(bytes)) {
        if (!writeBytes(in, variant))
            return QStringLiteral("cannot write ") + in;
        const bool okv = h.open(in);
        if (okv != ok || (ok && (h.graphData() != g.graphData() || look(h) != look(g))))
            return QStringLiteral("\"%1\" and \"%2\" differ only in the order's leading zeros or the line "
                                  "ends, but read differently")
                .arg(excerpt(QString::fromLatin1(bytes)), excerpt(QString::fromLatin1(variant)));
    }

    // The autosave form: what the reader accepts writes a text that reads back to itself.
    GraphFile f;
    QString error;
    if (GraphFile::parse(bytes, true, f, error)) {
        const QByteArray text = f.graphText(true);
        GraphFile again;
        if (!GraphFile::parse(text, true, again, error) || again.graphText(true) != text)
            return QStringLiteral("an autosave text that was read does not read back to itself: ") + error;
    }
    return QString();
}

} // namespace GraphReaderChecks
