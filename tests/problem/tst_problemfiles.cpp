#include "graph/Graph.h"
#include "graph/Node.h"
#include "graph/Random.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Eval.h"
#include "problem/Problem.h"
#include "problem/ProblemFile.h"
#include "problem/invPARAM.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace
{
const char *corpusFolder = TESSALY_TEST_DATA "/../../fuzz/corpus";

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The evaluation of the board on a few fixed graphs, as text.
QString evaluations(Problem &p, Graph &g)
{
    const QStringList graphs{QStringLiteral("4 111111"), QStringLiteral("5 1010011001"),
                             QStringLiteral("6 101001000100101")};
    QString out;
    for (const QString &s : graphs) {
        g.loadCurrentGraph(s);
        Eval e;
        p.eval(&e);
        out += e.display() + QLatin1Char('\n');
    }
    return out;
}

// While alive, file-system checks are made as an unprivileged user (root passes every permission
// check, so a read-only folder would not stop it).
class Unprivileged
{
public:
    Unprivileged()
    {
        if (geteuid() == 0)
            dropped = setegid(65534) == 0 && seteuid(65534) == 0;
    }
    ~Unprivileged()
    {
        if (dropped) {
            if (seteuid(0) != 0 || setegid(0) != 0)
                qFatal("cannot restore the user");
        }
    }
    bool dropped = false;
};

} // namespace

// Problem files and autosave: round trips through files, damaged files refused with the board
// unchanged, failed saves that keep the previous file and say so, and the file dialogs.
class TestProblemFiles : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void charactersOutsideLatin1();
    void damagedFiles_data();
    void damagedFiles();
    void nulByteRefusesFile_data();
    void nulByteRefusesFile();
    void failedSaves_data();
    void failedSaves();
    void dialogs_data();
    void dialogs();
    void autoloadReadsAutosave();
};

void TestProblemFiles::roundTrip_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &folder :
         {testDataPath(QStringLiteral("problems")), QString::fromLatin1(corpusFolder)}) {
        const QDir dir(folder);
        const QStringList files = dir.entryList({QStringLiteral("*.tsy3")}, QDir::Files, QDir::Name);
        QVERIFY2(!files.isEmpty(), qPrintable(folder));
        for (const QString &f : files)
            QTest::newRow(qPrintable(dir.dirName() + QLatin1Char('/') + f)) << dir.filePath(f);
    }
}

void TestProblemFiles::roundTrip()
{
    QFETCH(QString, path);
    Graph g(QStringLiteral("g"), false);
    Problem first(&g, QStringLiteral("first"), false);
    const BuildCalculus catalogue;
    for (const QString &record : QString::fromLatin1(contentOf(path)).split(QStringLiteral("<NEW>"))) {
        const QString keyword = record.section(QLatin1Char('\t'), 0, 0);
        const std::unique_ptr<Calculus> item(catalogue.makeCalculus(keyword, false));
        if (catalogue.type(keyword) != 0 && !item)
            QSKIP(qPrintable(keyword + QStringLiteral(" is still to come")));
    }
    QVERIFY(first.open(path));
    const QString text = first.saveString();

    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.tsy3"));
    QVERIFY(first.save(copy));
    QCOMPARE(contentOf(copy), text.toLatin1());

    Problem second(&g, QStringLiteral("second"), false);
    QVERIFY(second.open(copy));
    QCOMPARE(second.saveString(), text);
    QCOMPARE(evaluations(second, g), evaluations(first, g));
}

void TestProblemFiles::charactersOutsideLatin1()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("p"), false);
    p.slot_set_title(QStringLiteral("Caf\u00e9 \u03a9"));
    p.slot_set_description(QStringLiteral("\u2264 3"));
    p.getParam1()->setGivenName(QStringLiteral("\u03b1"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("greek.tsy3"));
    QVERIFY(p.save(path));

    Problem q(&g, QStringLiteral("q"), false);
    QVERIFY(q.open(path));
    QCOMPARE(q.userTitle(), QStringLiteral("Caf\u00e9 ?"));
    QCOMPARE(q.userDescription(), QStringLiteral("? 3"));
    QCOMPARE(q.getParam1()->getGivenName(), QStringLiteral("?"));
}

void TestProblemFiles::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes"); // "<none>" for no file, "<folder>" for a folder
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("cannotOpen"); // the warning box "Cannot open file"

    const QByteArray good = contentOf(testDataPath(QStringLiteral("problems/sum_under_constraint.tsy3")));
    QTest::newRow("no such file") << QByteArray("<none>") << false << true;
    QTest::newRow("a folder") << QByteArray("<folder>") << false << true;
    QTest::newRow("cut in the middle of a record") << good.left(good.size() / 2) << false << false;
    QTest::newRow("unknown keyword") << QByteArray(good).replace("SIZE", "SIZZ") << false << false;
    QTest::newRow("argument ahead of its record")
        << QByteArray(good).replace("60\t120\t2\t3", "60\t120\t2\t9") << false << false;
    QTest::newRow("constant short of a value")
        << QByteArray(good).replace("1\t1\t12", "1\t2\t12") << false << false;
    QTest::newRow("binary garbage") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << false << true;
    QTest::newRow("too large") << QByteArray("<huge>") << false << true;
}

void TestProblemFiles::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QFETCH(bool, cannotOpen);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.tsy3"));
    if (bytes == "<folder>") {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("damaged.tsy3")));
    } else if (bytes == "<huge>") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(ProblemFile::MaxBytes + 1)); // sparse: nothing is written
    } else if (bytes != "<none>") {
        QVERIFY(writeBytes(path, bytes));
    }

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("p"), false);
    QVERIFY(p.open(testDataPath(QStringLiteral("problems/complement_and_matrix.tsy3"))));
    const QString before = p.saveString();
    const QString evaluatedBefore = evaluations(p, g);

    ScriptedPrompt prompt;
    QSignalSpy console(&p, &Problem::signal_console);
    QCOMPARE(p.open(path), accepted);
    QCOMPARE(!prompt.asked.filter(QStringLiteral("warning|Opening|Cannot open file\n")).isEmpty(),
             cannotOpen);
    if (accepted)
        return;
    QVERIFY(!console.isEmpty());
    QCOMPARE(console.last().at(3).value<QColor>(), QColor(Qt::red));
    QCOMPARE(p.saveString(), before);
    QCOMPARE(evaluations(p, g), evaluatedBefore);
}

// A NUL byte marks a file that is not text (a damaged disk block, a binary saved under the
// name): nothing of it is read, whether the user opens it or the start reloads it.
void TestProblemFiles::nulByteRefusesFile_data()
{
    QTest::addColumn<QString>("kind"); // problem or graph
    QTest::addColumn<bool>("autosave");
    QTest::addColumn<QByteArray>("before"); // the NUL byte goes before this text, "" = at the end
    for (bool autosave : {false, true}) {
        const char *how = autosave ? "autosave" : "file";
        QTest::newRow(qPrintable(QStringLiteral("problem %1, start").arg(how)))
            << "problem" << autosave << QByteArray("PARAM 2");
        QTest::newRow(qPrintable(QStringLiteral("problem %1, middle").arg(how)))
            << "problem" << autosave << QByteArray("<NEW>ORDER");
        QTest::newRow(qPrintable(QStringLiteral("problem %1, end").arg(how)))
            << "problem" << autosave << QByteArray();
        QTest::newRow(qPrintable(QStringLiteral("graph %1, start").arg(how)))
            << "graph" << autosave << QByteArray("5\n");
        QTest::newRow(qPrintable(QStringLiteral("graph %1, middle").arg(how)))
            << "graph" << autosave << QByteArray("Node 3");
        QTest::newRow(qPrintable(QStringLiteral("graph %1, end").arg(how)))
            << "graph" << autosave << QByteArray();
    }
}

void TestProblemFiles::nulByteRefusesFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, autosave);
    QFETCH(QByteArray, before);

    QTemporaryDir dir;
    Graph g(QStringLiteral("graph"), true);
    Problem p(&g, QStringLiteral("p"), false);
    p.setWD(dir.path());
    g.setWD(dir.path());
    const bool problem = kind == QLatin1String("problem");

    // A valid file, then the same with one NUL byte.
    QByteArray bytes;
    if (problem) {
        bytes = contentOf(testDataPath(QStringLiteral("problems/sum_under_constraint.tsy3")));
    } else {
        Graph other(QStringLiteral("other"), false);
        other.loadtsy(QStringLiteral("5 1011001101"), true);
        other.setWD(dir.path());
        QVERIFY(autosave ? other.autosave() : other.save(dir.filePath(QStringLiteral("x"))));
        bytes = contentOf(autosave ? other.autosavePath() : dir.filePath(QStringLiteral("x")));
    }
    const int at = before.isEmpty() ? bytes.size() : bytes.indexOf(before);
    QVERIFY(at >= 0);
    bytes.insert(at, '\0');
    const QString path =
        autosave ? (problem ? p.autosavePath() : g.autosavePath())
                 : dir.filePath(problem ? QStringLiteral("nul.tsy3") : QStringLiteral("nul.gtsy3"));
    QVERIFY(writeBytes(path, bytes));

    QVERIFY(p.open(testDataPath(QStringLiteral("problems/complement_and_matrix.tsy3"))));
    g.loadtsy(QStringLiteral("4 101101"), true);
    g.getNode(2)->setNodeName(QStringLiteral("kept"));
    const QString board = p.saveString();
    const QString graphBefore =
        g.graphData() + g.currentGraphData() + QString::number(g.getID()) + g.getNode(2)->nodeName();

    ScriptedPrompt prompt;
    prompt.fileToOpen = path;
    QSignalSpy problemConsole(&p, &Problem::signal_console);
    QSignalSpy graphConsole(&g, &Graph::signal_console);
    bool read = false; // what autoload answers; the dialogs answer nothing
    if (problem && autosave)
        read = p.autoload();
    else if (problem)
        p.slot_open();
    else if (autosave)
        read = g.autoload();
    else
        g.slot_load_graph();

    QVERIFY(!read);
    QCOMPARE(p.saveString(), board);
    QCOMPARE(p.getFileName(), QString());
    QCOMPARE(g.graphData() + g.currentGraphData() + QString::number(g.getID()) + g.getNode(2)->nodeName(),
             graphBefore);
    // The reason is on the console in red, and in the box when the user chose the file.
    QSignalSpy &console = problem ? problemConsole : graphConsole;
    QVERIFY(!console.isEmpty());
    QCOMPARE(console.last().at(3).value<QColor>(), QColor(Qt::red));
    QVERIFY2(console.last().at(0).toString().contains(QStringLiteral("NUL byte")),
             qPrintable(console.last().at(0).toString()));
    QCOMPARE(prompt.messages.size(), autosave ? 0 : 1);
    if (!autosave)
        QVERIFY2(prompt.messages.first().contains(QStringLiteral("NUL byte")),
                 qPrintable(prompt.messages.first()));
}

void TestProblemFiles::failedSaves_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("autosave");
    for (bool autosave : {false, true}) {
        const char *how = autosave ? "autosave" : "save";
        for (const char *failure : {"read-only folder", "disk write failing", "missing folder"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(how, failure))) << failure << autosave;
    }
}

void TestProblemFiles::failedSaves()
{
    QFETCH(QString, failure);
    QFETCH(bool, autosave);

    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther |
                                                  QFile::ReadOther | QFile::ExeGroup | QFile::ReadGroup));
    QString folder = dir.filePath(QStringLiteral("work"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("work")));
    const QString name = autosave ? QStringLiteral(".tsypb") : QStringLiteral("problem.tsy3");
    const QByteArray previous("PARAM 2\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>DESC\tprevious\t");
    QVERIFY(writeBytes(QDir(folder).filePath(name), previous));
    if (failure == QLatin1String("missing folder"))
        folder = dir.filePath(QStringLiteral("gone"));
    const QString path = QDir(folder).filePath(name);

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("p"), false);
    QVERIFY(p.open(testDataPath(QStringLiteral("problems/sum_under_constraint.tsy3"))));
    p.slot_set_description(QString(4000, QLatin1Char('d'))); // beyond the size limit below
    p.setWD(folder);
    QSignalSpy console(&p, &Problem::signal_console);

    bool saved = true;
    if (failure == QLatin1String("read-only folder")) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                  QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
        Unprivileged user;
        if (geteuid() == 0)
            QSKIP("cannot leave the root user, which writes into read-only folders");
        saved = autosave ? p.autosave() : p.save(path);
    } else if (failure == QLatin1String("disk write failing")) {
        FileSizeLimit limit(1000);
        saved = autosave ? p.autosave() : p.save(path);
    } else {
        saved = autosave ? p.autosave() : p.save(path);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY(!saved);
    QCOMPARE(contentOf(path),
             failure == QLatin1String("missing folder") ? QByteArray("<missing>") : previous);
    // Nothing else is left behind in the folder (no temporary file).
    if (failure != QLatin1String("missing folder"))
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QVERIFY(!console.isEmpty());
    QCOMPARE(console.last().at(3).value<QColor>(), QColor(Qt::red));
    QVERIFY(console.last().at(0).toString().contains(path));
    if (autosave)
        QCOMPARE(p.getWD(), folder); // later autosaves try the same folder again
}

void TestProblemFiles::dialogs_data()
{
    QTest::addColumn<QString>("action"); // save or open
    QTest::addColumn<QString>("chosen"); // file name chosen in the dialog, relative to a folder
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("baseName"); // relative to the folder; empty: unchanged
    QTest::addColumn<QStringList>("asked");

    const QString saveDialog = QStringLiteral("save|Save results as|*.tsy3");
    const QString openDialog = QStringLiteral("open|Choose problem to load|*.tsy3");
    QTest::newRow("save cancelled") << "save"
                                    << "" << false << "" << QStringList{saveDialog};
    QTest::newRow("save under two extensions")
        << "save"
        << "prob.old.tsy3" << true << "prob.old" << QStringList{saveDialog};
    QTest::newRow("save without extension") << "save"
                                            << "plain" << true << "plain" << QStringList{saveDialog};
    QTest::newRow("save into a missing folder")
        << "save"
        << "gone/p.tsy3" << false << ""
        << QStringList{saveDialog,
                       QStringLiteral("warning|Warning|Failed to save data.\n%PATH%: No such file or "
                                      "directory\nAny previous file is unchanged.")};
    QTest::newRow("open cancelled") << "open"
                                    << "" << false << "" << QStringList{openDialog};
    QTest::newRow("open") << "open"
                          << "prob.old.tsy3" << true << "prob.old" << QStringList{openDialog};
    QTest::newRow("open a missing file")
        << "open"
        << "none.tsy3" << false << ""
        << QStringList{openDialog,
                       QStringLiteral("warning|Opening|Cannot open file\n%PATH%: No such file or directory")};
}

void TestProblemFiles::dialogs()
{
    QFETCH(QString, action);
    QFETCH(QString, chosen);
    QFETCH(bool, done);
    QFETCH(QString, baseName);
    QFETCH(QStringList, asked); // %PATH% stands for the chosen file

    QTemporaryDir dir;
    const QString source = testDataPath(QStringLiteral("problems/sum_under_constraint.tsy3"));
    QVERIFY(QFile::copy(source, dir.filePath(QStringLiteral("prob.old.tsy3"))));
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("p"), false);
    QVERIFY(p.open(testDataPath(QStringLiteral("problems/complement_and_matrix.tsy3"))));
    const QString before = p.saveString();
    ScriptedPrompt prompt;
    const QString path = chosen.isEmpty() ? QString() : dir.filePath(chosen);
    if (action == QLatin1String("save")) {
        prompt.fileToSave = path;
        p.slot_save();
    } else {
        prompt.fileToOpen = path;
        p.slot_open();
    }
    asked.replaceInStrings(QStringLiteral("%PATH%"), path);
    QCOMPARE(prompt.asked, asked);
    QCOMPARE(p.getFileName(), done ? path : QString());
    QCOMPARE(p.getBaseName(), done ? dir.filePath(baseName) : QString());
    if (action == QLatin1String("save")) {
        QCOMPARE(p.saveString(), before);
        QStringList expected = filesBefore;
        if (done) {
            if (!expected.contains(chosen))
                expected << chosen;
            expected.sort();
            QCOMPARE(contentOf(path), before.toLatin1());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), expected);
    } else {
        QCOMPARE(p.saveString() == before, !done);
    }
}

void TestProblemFiles::autoloadReadsAutosave()
{
    QTemporaryDir dir;
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("p"), false);
    QVERIFY(p.open(testDataPath(QStringLiteral("problems/sum_under_constraint.tsy3"))));
    p.setWD(dir.path());
    QCOMPARE(p.autosavePath(), dir.filePath(QStringLiteral(".tsypb")));

    Problem q(&g, QStringLiteral("q"), false);
    q.setWD(dir.path());
    const QString empty = q.saveString();
    // A new board describes its two parameter items, each block ending with an empty line.
    const QString described = q.currentDescription();
    QCOMPARE(described.count(QStringLiteral("\n\n")), 2);
    QVERIFY(described.endsWith(QStringLiteral("\n\n")));
    QVERIFY(described.contains(QStringLiteral(": PARAM 1\n")) &&
            described.contains(QStringLiteral(": PARAM 2\n")));
    QVERIFY(!q.autoload()); // nothing saved yet
    QCOMPARE(q.saveString(), empty);

    QVERIFY(p.autosave());
    QVERIFY(q.autoload());
    QCOMPARE(q.saveString(), p.saveString());
}

QTEST_MAIN(TestProblemFiles)
#include "tst_problemfiles.moc"
