// A bounded, deterministic fuzz of the graph readers: valid graph strings, graph6 lines and graph
// files are mutated with a fixed seed, and every result must pass the checks the libFuzzer targets
// apply (fuzz/GraphReaderChecks.h): refused without a trace, or read into a graph that writes and
// reads back the same, whatever leading zeros, line ends or long lines it carries; a graph string
// reads as its format says.

#include "fuzz/GraphReaderChecks.h"

#include "support/TestData.h"

#include <QTemporaryDir>
#include <QtTest>

#include <iostream>
#include <random>
#include <sstream>

namespace
{

class Mutator
{
public:
    explicit Mutator(unsigned seed) : rng(seed) {}

    int below(int k) { return int(rng() % unsigned(k)); }

    // One to three edits of the kinds a fuzzer makes: a byte inserted, removed or replaced, a
    // token of the formats inserted, a piece repeated, a long run of one character inserted.
    QByteArray mutate(QByteArray b)
    {
        static const QList<QByteArray> tokens{"0",    "000", " ", "\t",         "\r",     "\r\n",
                                              "\n",   "-",   "+", "1e300",      "-1e300", "1e-400",
                                              "nan",  "inf", "e", ">>graph6<<", "\xe9",   QByteArray(1, '\0'),
                                              "\xff", "~",   "?", "_",          "33",     "99999999999"};
        static const QByteArray bytes("01 \t\r\n-+.e?@ABw~_^`\xe9\xff");
        for (int edits = 1 + below(3); edits > 0; --edits) {
            const int at = below(b.size() + 1);
            switch (below(7)) {
            case 0:
                b.insert(at, bytes.at(below(bytes.size())));
                break;
            case 1:
                if (!b.isEmpty())
                    b.remove(below(b.size()), 1);
                break;
            case 2:
                if (!b.isEmpty())
                    b[below(b.size())] = bytes.at(below(bytes.size()));
                break;
            case 3:
            case 4:
                b.insert(at, tokens.at(below(tokens.size())));
                break;
            case 5:
                if (!b.isEmpty()) {
                    const int from = below(b.size());
                    b.insert(at, b.mid(from, 1 + below(40)));
                }
                break;
            default:
                // Long lines: far beyond anything a graph of 32 vertices needs.
                b.insert(at, QByteArray(4000 + below(2000), bytes.at(below(bytes.size()))));
                break;
            }
        }
        return b;
    }

private:
    std::mt19937 rng;
};

// Graph strings and graph6 lines of the networkx reference (every graph on up to 7 vertices and
// random ones up to 32).
void referenceRows(QByteArrayList &strings, QByteArrayList &lines)
{
    for (const QString &file : {QStringLiteral("graph6_geng.txt"), QStringLiteral("graph6_large.txt")}) {
        for (const QString &row : readDataLines(file)) {
            const QStringList f = row.split(QLatin1Char('\t'));
            lines << f.at(0).toLatin1();
            strings << f.at(1).toLatin1();
        }
    }
}

// A graph file of the graph string s, written out by hand: names with blanks and Latin-1 letters,
// places of every size the writer uses.
QByteArray graphFileOf(const QByteArray &s, Mutator &m)
{
    const int n = s.left(s.indexOf(' ')).toInt();
    const QByteArray bits = s.mid(s.indexOf(' ') + 1);
    QByteArray out = QByteArray::number(n) + '\n';
    for (int k = 0; k < n; ++k)
        out += "v" + QByteArray::number(k) + " \xe9\t" + QByteArray::number(m.below(20001) - 10000.5) + '\t' +
               QByteArray::number(m.below(3) == 0 ? 1.5e6 : m.below(100) * 0.125) + '\n';
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const int a = qMax(i, j), b = qMin(i, j);
            out += (i != j && bits.at(a * (a - 1) / 2 + b) == '1') ? "1\t" : "0\t";
        }
    }
    return out;
}

QString shown(const QByteArray &input)
{
    return GraphReaderChecks::excerpt(QString::fromLatin1(input.left(300)));
}

} // namespace

class TestGraphReaderMutations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void graphStrings();
    void graph6Lines();
    void graphFiles();

private:
    QByteArrayList strings;
    QByteArrayList lines;
    std::ostringstream refusals; // the readers report each refusal on the error stream
    std::streambuf *savedErr = nullptr;
};

void TestGraphReaderMutations::initTestCase()
{
    referenceRows(strings, lines);
    QVERIFY(strings.size() > 1000);
    savedErr = std::cerr.rdbuf(refusals.rdbuf());
}

void TestGraphReaderMutations::cleanupTestCase()
{
    std::cerr.rdbuf(savedErr);
}

void TestGraphReaderMutations::graphStrings()
{
    Mutator m(11);
    Graph shownGraph(QStringLiteral("graph"), true);
    Graph headless(QStringLiteral("G"), false);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray input = m.mutate(strings.at(m.below(strings.size())));
        const QString failure =
            GraphReaderChecks::checkGraphString(shownGraph, headless, QString::fromLatin1(input));
        QVERIFY2(failure.isEmpty(), qPrintable(failure + QStringLiteral("; input: ") + shown(input)));
        refusals.str(std::string());
    }
}

void TestGraphReaderMutations::graph6Lines()
{
    Mutator m(12);
    Graph first(QStringLiteral("G"), false);
    Graph second(QStringLiteral("H"), false);
    for (int round = 0; round < 1500; ++round) {
        // A few lines at a time, as a file holds them.
        QByteArray input;
        for (int k = 1 + m.below(3); k > 0; --k)
            input += lines.at(m.below(lines.size())) + (m.below(2) ? "\n" : "\r\n");
        input = m.mutate(input);
        const QString failure = GraphReaderChecks::checkGraph6(first, second, input);
        QVERIFY2(failure.isEmpty(), qPrintable(failure + QStringLiteral("; input: ") + shown(input)));
        refusals.str(std::string());
    }
}

void TestGraphReaderMutations::graphFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Mutator m(13);
    Graph shownGraph(QStringLiteral("graph"), true);
    Graph reopened(QStringLiteral("G"), false);
    for (int round = 0; round < 600; ++round) {
        const QByteArray input = m.mutate(graphFileOf(strings.at(m.below(strings.size())), m));
        const QString failure = GraphReaderChecks::checkGraphFile(shownGraph, reopened, input, dir.path());
        QVERIFY2(failure.isEmpty(), qPrintable(failure + QStringLiteral("; input: ") + shown(input)));
        refusals.str(std::string());
    }
}

QTEST_MAIN(TestGraphReaderMutations)
#include "tst_graphreadermutations.moc"
