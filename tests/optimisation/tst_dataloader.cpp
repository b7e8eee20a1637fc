#include "dialogs/RunWindow.h"
#include "graph/Graph.h"
#include "optimisation/DataLoader.h"
#include "problem/Problem.h"
#include "support/TestData.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Graph strings of single graph6 lines below come from networkx's reader, like the data file.
// The graph loader on nauty-geng's output (all 34 graphs on 5 vertices; graph strings and
// connectivity from networkx, tests/data/loader_geng5_expected.txt), on line-end variants and
// on bad lines.
class TestDataLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void gengFile_data();
    void gengFile();
    void lineEnds_data();
    void lineEnds();
    void badLines_data();
    void badLines();
    void emptyFile();
    void missingFileChangesNothing();
    void handOverSignals();
    void cancelKeepsLinesRead_data();
    void cancelKeepsLinesRead();
    void nameBeyondAscii();

private:
    struct Loader {
        Loader() : graph(QStringLiteral("user"), false), problem(&graph, QStringLiteral("p"), false) {}
        Graph graph;
        Problem problem;
    };
    QString write(const QString &name, const QByteArray &content);
    void load(DataLoader &loader, const QString &file);

    QTemporaryDir dir;
    QStringList gengLines;
    QStringList expectedStrings;
    QStringList connectedStrings;
};

void TestDataLoader::initTestCase()
{
    QVERIFY(dir.isValid());
    QFile f(testDataPath(QStringLiteral("loader_geng5.g6")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    gengLines = QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(gengLines.size(), 34);
    for (const QString &line : readDataLines(QStringLiteral("loader_geng5_expected.txt"))) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        expectedStrings << fields[0];
        if (fields[1] == QLatin1String("1"))
            connectedStrings << fields[0];
    }
    QCOMPARE(expectedStrings.size(), 34);
    QCOMPARE(connectedStrings.size(), 21); // connected graphs on 5 vertices
}

QString TestDataLoader::write(const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    f.write(content);
    return path;
}

void TestDataLoader::load(DataLoader &loader, const QString &file)
{
    QVERIFY(loader.setFilename(file));
    loader.start();
    QVERIFY(loader.wait(60000));
}

void TestDataLoader::gengFile_data()
{
    QTest::addColumn<bool>("filter");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("kept");
    QTest::newRow("filter off") << false << true << 5 << 34;
    QTest::newRow("filter on, connected") << true << true << 5 << 21;
    QTest::newRow("filter on, any graph") << true << false << 5 << 34;
    QTest::newRow("filter on, wrong order") << true << false << 6 << 0;
}

void TestDataLoader::gengFile()
{
    QFETCH(bool, filter);
    QFETCH(bool, connected);
    QFETCH(int, order);
    QFETCH(int, kept);
    Loader l;
    l.problem.setNbNod(order);
    l.problem.setConnected(connected);
    const QString userGraph = l.graph.currentGraphData();
    DataLoader loader(&l.problem, &l.graph, nullptr);
    loader.setFilter(filter);
    load(loader, testDataPath(QStringLiteral("loader_geng5.g6")));
    const QStringList buffer = loader.getGraphs().toList();
    QCOMPARE(buffer.size(), kept);
    if (kept == 34)
        QCOMPARE(buffer, expectedStrings);
    else if (kept == 21)
        QCOMPARE(buffer, connectedStrings);
    QCOMPARE(loader.size(), kept);
    QCOMPARE(loader.invalidLines(), 0);
    // The loader works on its own graph: the user's graph is untouched.
    QCOMPARE(l.graph.currentGraphData(), userGraph);
}

void TestDataLoader::lineEnds_data()
{
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<bool>("blankLines");
    QTest::newRow("unix") << QByteArray("\n") << false;
    QTest::newRow("windows") << QByteArray("\r\n") << false;
    QTest::newRow("newline then return") << QByteArray("\n\r") << false;
    QTest::newRow("classic mac") << QByteArray("\r") << false;
    QTest::newRow("unix with blank lines") << QByteArray("\n") << true;
    QTest::newRow("windows with blank lines") << QByteArray("\r\n") << true;
}

void TestDataLoader::lineEnds()
{
    QFETCH(QByteArray, separator);
    QFETCH(bool, blankLines);
    QByteArray content;
    int parts = 0;
    for (const QString &line : gengLines) {
        content += line.toLatin1() + separator;
        ++parts;
        if (blankLines) {
            content += separator;
            ++parts;
        }
    }
    Loader l;
    DataLoader loader(&l.problem, &l.graph, nullptr);
    loader.setFilter(false);
    QSignalSpy started(&loader, &DataLoader::signal_start);
    load(loader, write(QStringLiteral("ends.g6"), content));
    QCOMPARE(loader.getGraphs().toList(), expectedStrings);
    // The part after the last line end counts as a line.
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), parts + 1);
}

void TestDataLoader::badLines_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<int>("invalid");
    QTest::newRow("g6 garbage between graphs") << "g6" << QStringList{"D?_", "hello world", "D?o"}
                                               << QStringList{"5 0000001000", "5 0000001100"} << 1;
    QTest::newRow("g6 order beyond 32")
        << "g6" << QStringList{"a", "D?_"} << QStringList{"5 0000001000"} << 1;
    QTest::newRow("g6 short data") << "g6" << QStringList{"D?", "D"} << QStringList{} << 2;
    QTest::newRow("g6 character outside the alphabet")
        << "g6" << QStringList{"D?\x7f", "D?o"} << QStringList{"5 0000001100"} << 1;
    // A NUL byte is one bad character of its line, not the end of the file.
    const QString nul(QChar(0));
    QTest::newRow("g6 line starting with NUL")
        << "g6" << QStringList{"Bw", "C~", nul + "C~", "D?_", "D?o"}
        << QStringList{"3 111", "4 111111", "5 0000001000", "5 0000001100"} << 1;
    QTest::newRow("g6 NUL inside a line")
        << "g6" << QStringList{"D?" + nul + "_", "D?o"} << QStringList{"5 0000001100"} << 1;
    QTest::newRow("g6 NUL ending the file")
        << "g6" << QStringList{"D?_", "D?o" + nul} << QStringList{"5 0000001000"} << 1;
    QTest::newRow("tsy NUL inside a line")
        << "tsy" << QStringList{"3 111", "3 1" + nul + "01", "3 101"} << QStringList{"3 111", "3 101"} << 1;
    QTest::newRow("tsy order beyond 32")
        << "tsy" << QStringList{"40 0101", "3 101"} << QStringList{"3 101"} << 1;
    // Every other line is a graph, however it is written.
    QTest::newRow("tsy lines written loosely")
        << "tsy"
        << QStringList{"5", "3 1", "3 2x1", "3  101", "abc 111", " 3 111", "3 101abc", "3 101 111", "-1 "}
        << QStringList{"5 0000000000", "3 100", "3 001", "3 000", "0 ", "0 ", "3 101", "3 101"} << 1;
    QTest::newRow("line beyond 1 MiB")
        << "tsy" << QStringList{QStringLiteral("3 111") + QString(2 << 20, QLatin1Char('1')), "3 101"}
        << QStringList{"3 101"} << 1;
}

void TestDataLoader::badLines()
{
    QFETCH(QString, type);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, kept);
    QFETCH(int, invalid);
    Loader l;
    DataLoader loader(&l.problem, &l.graph, nullptr);
    loader.setFilter(false);
    loader.setDataType(type);
    QSignalSpy console(&loader, &DataLoader::signal_console);
    load(loader, write(QStringLiteral("bad.txt"), lines.join(QLatin1Char('\n')).toLatin1()));
    QCOMPARE(loader.getGraphs().toList(), kept);
    QCOMPARE(loader.invalidLines(), invalid);
    QStringList texts;
    for (const auto &args : console)
        texts << args.at(0).toString();
    QVERIFY2(texts.contains(QString::number(invalid) + QStringLiteral(" invalid line(s) skipped.")),
             qPrintable(texts.join(QLatin1String(" | "))));
    QVERIFY(texts.contains(QString::number(kept.size()) + QStringLiteral(" graphs loaded.")));
}

void TestDataLoader::emptyFile()
{
    Loader l;
    DataLoader loader(&l.problem, &l.graph, nullptr);
    loader.addGraph(QStringLiteral("2 1"));
    QSignalSpy started(&loader, &DataLoader::signal_start);
    QSignalSpy total(&loader, &DataLoader::signal_total_elements);
    QSignalSpy complete(&loader, &DataLoader::signal_load_complete);
    QSignalSpy console(&loader, &DataLoader::signal_console);
    load(loader, write(QStringLiteral("empty.g6"), QByteArray()));
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 1);
    QCOMPARE(total.at(0).at(0).toInt(), 1);
    QCOMPARE(complete.count(), 1);
    QCOMPARE(loader.size(), 0);
    QStringList texts;
    for (const auto &args : console)
        texts << args.at(0).toString();
    QCOMPARE(texts, (QStringList{"0/1 graphs loaded.", "0 graphs loaded."}));
}

void TestDataLoader::missingFileChangesNothing()
{
    Loader l;
    DataLoader loader(&l.problem, &l.graph, nullptr);
    loader.addGraph(QStringLiteral("2 1"));
    QSignalSpy started(&loader, &DataLoader::signal_start);
    QSignalSpy complete(&loader, &DataLoader::signal_load_complete);
    QVERIFY(!loader.setFilename(dir.filePath(QStringLiteral("no such file.g6"))));
    QVERIFY(!loader.setFilename(QString()));
    loader.start();
    QVERIFY(loader.wait(60000));
    QCOMPARE(started.count(), 0);
    QCOMPARE(complete.count(), 0);
    QCOMPARE(loader.getGraphs(), QVector<QString>{QStringLiteral("2 1")});
}

void TestDataLoader::handOverSignals()
{
    Loader l;
    DataLoader loader(&l.problem, &l.graph, nullptr);
    QStringList log;
    connect(&loader, &DataLoader::signal_load_complete, [&] { log << QStringLiteral("complete"); });
    connect(&loader, &DataLoader::signal_elements_read,
            [&](int i) { log << QStringLiteral("read %1").arg(i); });
    for (int i = 0; i < 5; ++i)
        loader.addGraph(QStringLiteral("1 "));
    QCOMPARE(log.size(), 10);
    for (int i = 0; i < 10; i += 2) {
        QCOMPARE(log[i], QStringLiteral("complete"));
        QCOMPARE(log[i + 1], QStringLiteral("read 0"));
    }
    log.clear();
    loader.clear();
    loader.addGraphs({QStringLiteral("2 0"), QStringLiteral("2 1"), QStringLiteral("3 111")});
    QCOMPARE(log, (QStringList{"complete", "read 0"}));
    QCOMPARE(loader.getGraphs(), (QVector<QString>{"2 0", "2 1", "3 111"}));
}

void TestDataLoader::cancelKeepsLinesRead_data()
{
    QTest::addColumn<bool>("blankLine100");
    QTest::addColumn<int>("kept");
    QTest::newRow("cancel on a graph line") << false << 101;
    QTest::newRow("cancel on a blank line") << true << 100;
}

void TestDataLoader::cancelKeepsLinesRead()
{
    QFETCH(bool, blankLine100);
    QFETCH(int, kept);
    QByteArray content;
    for (int r = 0; r < 10; ++r)
        for (const QString &line : gengLines) {
            if (blankLine100 && r == 2 && line == gengLines.at(100 % 34))
                content += '\n';
            content += line.toLatin1() + '\n';
        }
    Loader l;
    RunWindow window(QStringLiteral("Loading graphs..."));
    window.setCancel(true); // a load clears a flag left from an earlier job
    DataLoader loader(&l.problem, &l.graph, &window);
    loader.setFilter(false);
    // Cancel as the progress of line 100 is reported: line 100 is finished, no later line read.
    connect(
        &loader, &DataLoader::signal_elements_read, &loader,
        [&](int i) {
            if (i == 100)
                window.setCancel(true);
        },
        Qt::DirectConnection);
    load(loader, write(QStringLiteral("long.g6"), content));
    QCOMPARE(loader.size(), kept);
    QCOMPARE(loader.getGraphs().at(99), expectedStrings.at(99 % 34));
    if (kept == 101)
        QCOMPARE(loader.getGraphs().at(100), expectedStrings.at(100 % 34));
    QVERIFY(!window.isCancelled());
}

void TestDataLoader::nameBeyondAscii()
{
    Loader l;
    DataLoader loader(&l.problem, &l.graph, nullptr);
    loader.setFilter(false);
    const QString path = write(QStringLiteral("gráfos ñ 图.g6"), gengLines.mid(0, 3).join('\n').toLatin1());
    QVERIFY(!path.isEmpty());
    load(loader, path);
    QCOMPARE(loader.getGraphs().toList(), expectedStrings.mid(0, 3));
    QCOMPARE(loader.getFilename(), path);
}

QTEST_MAIN(TestDataLoader)
#include "tst_dataloader.moc"
