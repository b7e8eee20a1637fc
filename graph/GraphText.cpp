// Graph: the graph as text: graph strings, graph6 lines and the graph files with their dialogs.
#include "graph/Graph.h"

#include "dialogs/Prompt.h"
#include "dialogs/WholeFile.h"
#include "graph/GraphFile.h"
#include "graph/GraphInternal.h"
#include "graph/Node.h"

#include <QFile>
#include <QMutexLocker>

#include <cstring>
#include <iostream>
#include <istream>

using namespace GraphInternal;

// ---------------------------------------------------------------- graph strings

namespace
{

// A readable excerpt of refused input for the console.
QString excerpt(const QString &s)
{
    QString e = s.left(40);
    if (s.size() > 40)
        e += QStringLiteral("...");
    return e;
}

// A first part that is a whole number, however large: toInt() gives up on one beyond the int
// range, and such an order is refused rather than read as a first part that is no number.
bool isWholeNumber(QStringRef t)
{
    t = t.trimmed();
    if (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-')))
        t = t.mid(1);
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString rowsToString(int n, const quint32 *rows)
{
    QString s = QString::number(n) + QLatin1Char(' ');
    if (n < 2)
        return s;
    s.reserve(s.size() + pairCount(n));
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            s += (rows[i] & bit(j)) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

} // namespace

QString Graph::graphData()
{
    QMutexLocker graphLock(&graphMutex);
    quint32 rows[MaxNodes];
    symmetricRows(best, bestOrder, rows);
    return rowsToString(bestOrder, rows);
}

QString Graph::currentGraphData()
{
    quint32 rows[MaxNodes];
    const int n = adjacencyRows(rows);
    return rowsToString(n, rows);
}

bool Graph::parseGraphString(const QString &s, Parsed &out, QString &error) const
{
    // Lenient on purpose, as lists written by hand or by other tools expect: the first part (up to
    // the first blank) is the order as toInt() reads it, 0 when it is no number; the second part
    // holds the pair characters, where only "1" is an edge and a missing character is a non-edge;
    // whatever follows is ignored. Only an order the graph cannot hold is refused.
    const int blank = s.indexOf(QLatin1Char(' '));
    const QStringRef orderPart = blank < 0 ? s.midRef(0) : s.leftRef(blank);
    QStringRef bits;
    if (blank >= 0) {
        bits = s.midRef(blank + 1);
        const int next = bits.indexOf(QLatin1Char(' '));
        if (next >= 0)
            bits = bits.left(next);
    }

    bool number = false;
    int n = orderPart.toInt(&number, 10);
    if (!number) {
        if (isWholeNumber(orderPart)) {
            error = QStringLiteral("the order %1 is outside 0..%2")
                        .arg(excerpt(orderPart.trimmed().toString()))
                        .arg(MaxNodes);
            return false;
        }
        n = 0;
    }
    if (n < 0 || n > MaxNodes) {
        error = QStringLiteral("the order %1 is outside 0..%2").arg(n).arg(MaxNodes);
        return false;
    }

    out.n = n;
    std::memset(out.rows, 0, sizeof out.rows);
    const int given = bits.size();
    int p = 0;
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j, ++p) {
            if (p < given && bits.at(p) == QLatin1Char('1')) {
                out.rows[i] |= bit(j);
                out.rows[j] |= bit(i);
            }
        }
    }
    return true;
}

void Graph::refuse(const QString &what, const QString &error)
{
    const QString text = what + QStringLiteral(" refused: ") + error + QLatin1Char('.');
    std::cerr << text.toLocal8Bit().constData() << std::endl;
    emit signal_console(text, false, 0, QColor(Qt::red));
}

void Graph::applyParsed(const Parsed &p)
{
    {
        QMutexLocker adjLock(&adjMutex);
        std::memcpy(cur, p.rows, sizeof cur);
        order.store(p.n);
    }
    setExistence(p.n);
    newStamp();
}

void Graph::resetVertices(int n, bool backup)
{
    clear();
    if (backup)
        best_backup();
    for (int k = 0; k < n; ++k)
        addNode();
    if (backup)
        best_backup();
}

bool Graph::loadtsy(QString s, bool show)
{
    Parsed p;
    QString error;
    if (!parseGraphString(s, p, error)) {
        refuse(QStringLiteral("Graph string \"%1\"").arg(excerpt(s)), error);
        return false;
    }
    if (show)
        resetVertices(p.n, true);
    applyParsed(p);
    best_backup();
    if (show) {
        slot_unselect();
        emit signal_best_graph_changed();
    }
    return true;
}

bool Graph::loadCurrentGraph(QString s)
{
    Parsed p;
    QString error;
    if (!parseGraphString(s, p, error)) {
        refuse(QStringLiteral("Graph string \"%1\"").arg(excerpt(s)), error);
        return false;
    }
    applyParsed(p);
    return true;
}

// ---------------------------------------------------------------- graph6

bool Graph::parseGraph6(const QString &s, Parsed &out, QString &error) const
{
    // One length rule for both forms, measured without the line end: the stream form keeps one
    // character beyond the limit, so it sees every line that is too long as too long.
    int length = s.size();
    while (length > 0 && (s.at(length - 1) == QLatin1Char('\n') || s.at(length - 1) == QLatin1Char('\r')))
        --length;
    if (length > MaxGraph6Line) {
        error = QStringLiteral("the line is longer than %1 characters").arg(MaxGraph6Line);
        return false;
    }
    QString t = s.trimmed();
    static const QString header = QStringLiteral(">>graph6<<");
    if (t.startsWith(header))
        t = t.mid(header.size()).trimmed();
    if (t.isEmpty()) {
        error = QStringLiteral("the line holds no graph");
        return false;
    }
    for (int k = 0; k < t.size(); ++k) {
        const ushort c = t.at(k).unicode();
        if (c < 63 || c > 126) {
            error = QStringLiteral("character %1 (code %2) is outside the graph6 alphabet").arg(k + 1).arg(c);
            return false;
        }
    }
    const int n = t.at(0).unicode() - 63;
    if (n > MaxNodes) {
        error = n == 63 ? QStringLiteral("orders of 63 and more are above %1").arg(MaxNodes)
                        : QStringLiteral("the order %1 is above %2").arg(n).arg(MaxNodes);
        return false;
    }
    const int pairs = pairCount(n);
    const int need = (pairs + 5) / 6;
    if (t.size() - 1 < need) {
        error =
            QStringLiteral("order %1 needs %2 data characters, found %3").arg(n).arg(need).arg(t.size() - 1);
        return false;
    }

    out.n = n;
    std::memset(out.rows, 0, sizeof out.rows);
    int k = 0;
    for (int j = 1; j < n; ++j) {
        for (int i = 0; i < j; ++i, ++k) {
            const int value = t.at(1 + k / 6).unicode() - 63;
            if ((value >> (5 - k % 6)) & 1) {
                out.rows[i] |= bit(j);
                out.rows[j] |= bit(i);
            }
        }
    }
    return true;
}

bool Graph::loadg6(QString s, bool show)
{
    Parsed p;
    QString error;
    if (!parseGraph6(s, p, error)) {
        refuse(QStringLiteral("graph6 line \"%1\"").arg(excerpt(s)), error);
        return false;
    }
    if (show)
        resetVertices(p.n, true);
    applyParsed(p);
    return true;
}

bool Graph::loadg6(std::istream &in)
{
    // The whole line is consumed (the stream's length bounds the loop) and handed to the same
    // check as the string form; beyond the length limit one more character is kept, enough for
    // that check to refuse the line.
    std::string line;
    bool any = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n')
            break;
        if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            break;
        }
        if (line.size() <= std::size_t(MaxGraph6Line))
            line.push_back(static_cast<char>(c));
    }
    if (!any)
        return false;
    const QString s = QString::fromLatin1(line.data(), static_cast<int>(line.size()));
    Parsed p;
    QString error;
    if (!parseGraph6(s, p, error)) {
        refuse(QStringLiteral("graph6 line \"%1\"").arg(excerpt(s)), error);
        return false;
    }
    resetVertices(p.n, false);
    applyParsed(p);
    return true;
}

// ---------------------------------------------------------------- graph files

QString Graph::autosavePath() const
{
    return workingDir.isEmpty() ? QStringLiteral(".tsygr") : workingDir + QStringLiteral("/.tsygr");
}

QByteArray Graph::fileText(bool withStamp, bool edgeList)
{
    GraphFile f;
    {
        QMutexLocker graphLock(&graphMutex);
        const int n = getNbNodes();
        f.order = n;
        f.stamp = getID();
        f.vertices.resize(n);
        for (int k = 0; k < n; ++k) {
            const QPointF p = drawnPos(nodes[k]);
            f.vertices[k] = GraphFile::Vertex{nodes[k]->nodeName(), p.x(), p.y()};
        }
        quint32 rows[MaxNodes];
        symmetricRows(best, bestOrder, rows);
        const quint32 m = lowMask(n);
        for (int i = 0; i < MaxNodes; ++i)
            f.rows[i] = i < n ? rows[i] & m : 0u;
    }
    return edgeList ? f.edgeListText() : f.graphText(withStamp);
}

bool Graph::writeFile(const QString &fileName, const QByteArray &text)
{
    fileError.clear();
    QString reason;
    if (WholeFile::replace(fileName, text, reason))
        return true;
    fileError = QStringLiteral("cannot write %1: %2").arg(fileName, reason);
    return false;
}

bool Graph::save(QString fileName)
{
    return writeFile(fileName, fileText(false, false));
}

bool Graph::export_graph(QString fileName)
{
    return writeFile(fileName, fileText(false, true));
}

bool Graph::autosave()
{
    if (writeFile(autosavePath(), fileText(true, false)))
        return true;
    emit signal_console(QStringLiteral("Graph autosave failed: ") + fileError, false, 1, QColor(Qt::red));
    return false;
}

bool Graph::readFile(const QString &fileName, bool withStamp, bool announce)
{
    fileError.clear();
    QFile in(fileName);
    if (!in.open(QIODevice::ReadOnly)) {
        fileError = QStringLiteral("cannot open %1: %2").arg(fileName, in.errorString());
        return false;
    }
    GraphFile f;
    QString error;
    const bool tooLarge = in.size() > GraphFile::MaxBytes;
    const QByteArray data = in.read(GraphFile::MaxBytes + 1);
    if (tooLarge || !GraphFile::parse(data, withStamp, f, error)) {
        if (tooLarge)
            error = QStringLiteral("the file is larger than %1 bytes").arg(GraphFile::MaxBytes);
        fileError = fileName + QStringLiteral(", ") + error;
        // The fixed line that scripts watching the error stream look for, then the details.
        std::cerr << "ERROR IN FILE FORMAT" << std::endl;
        refuse(QStringLiteral("Graph file"), fileError);
        return false;
    }

    if (announce)
        emit signal_console(QStringLiteral("Graph:") + QString::number(f.order), false, 1, QColor(Qt::gray));
    resetVertices(f.order, false);
    for (int k = 0; k < f.order; ++k) {
        nodes[k]->setNodeName(f.vertices[k].name);
        if (displayed)
            nodes[k]->setToolTip(f.vertices[k].name);
        nodes[k]->setPosition(f.vertices[k].x, f.vertices[k].y);
        nodes[k]->setSelected(false);
    }
    Parsed p;
    p.n = f.order;
    std::memcpy(p.rows, f.rows, sizeof p.rows);
    applyParsed(p);
    // The stored stamp named a state of another process: the loaded graph takes a fresh one.
    changeBest();
    update_display();
    return true;
}

bool Graph::open(QString fileName)
{
    return readFile(fileName, false, true);
}

bool Graph::autoload()
{
    return readFile(autosavePath(), true, false);
}

void Graph::slot_load_graph()
{
    const QString file = Prompt::current()->openFileName(this, QStringLiteral("Choose graph to load"),
                                                         workingDir, QStringLiteral("*.gtsy3"));
    if (file.isEmpty())
        return;
    if (!open(file))
        Prompt::current()->warning(this, QStringLiteral("Warning"),
                                   QStringLiteral("Failed to load graph.\n") + fileError);
    update_display();
}

void Graph::slot_save_graph()
{
    const QString file = Prompt::current()->saveFileName(this, QStringLiteral("Save graph as"), workingDir,
                                                         QStringLiteral("*.gtsy3"));
    if (file.isEmpty())
        return;
    if (!save(file))
        Prompt::current()->warning(this, QStringLiteral("Warning"),
                                   QStringLiteral("Failed to save graph.\n") + fileError);
}

void Graph::slot_export_graph()
{
    const QString file = Prompt::current()->saveFileName(this, QStringLiteral("Export graph as"), workingDir,
                                                         QStringLiteral("*.cg"));
    if (file.isEmpty())
        return;
    if (!export_graph(file))
        Prompt::current()->warning(this, QStringLiteral("Warning"),
                                   QStringLiteral("Failed to export graph.\n") + fileError);
}
