#include "MainWindowFixture.h"
#include "ShellFixture.h"

#include "graph/Graph.h"
#include "optimisation/VNSManager.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidget.h"
#include "shell/MainWindow.h"
#include "shell/PreferenceWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <cerrno>
#include <climits>
#include <cstring>

// The main window from start to quit: the run counter, the lock while a search runs, the ways out,
// and what the preferences, the working directory and the autosave write.
class TestMainWindowLifecycle : public QObject, private MainWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void runCounter_data();
    void runCounter();
    void runLockFollowsTheSearch();
    void frameCloseTakesQuitPath();
    void quitDuringSearchWaitsForIt();
    void preferencesWriteAtOnce();
    void newVersionQuestion_data();
    void newVersionQuestion();
    void workingDirectoryDialog();
    void failedAutosaveIsReported();
    void exitAsksWhenTheSessionIsNotSaved_data();
    void exitAsksWhenTheSessionIsNotSaved();
};

void TestMainWindowLifecycle::initTestCase()
{
    isolation = std::make_unique<IsolatedSettings>();
    Prompt::install(&prompt);
}

void TestMainWindowLifecycle::init()
{
    isolation->reset();
    prompt = ShellPrompt();
}

void TestMainWindowLifecycle::cleanup()
{
    CerrCapture quiet;
    delete window;
}

void TestMainWindowLifecycle::runCounter_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("damaged"); // reported on the console and reset
    QTest::newRow("absent") << QVariant() << 1 << false;
    QTest::newRow("zero") << QVariant(0) << 1 << false;
    QTest::newRow("five") << QVariant(5) << 6 << false;
    QTest::newRow("one below the largest int") << QVariant(INT_MAX - 1) << INT_MAX << false;
    QTest::newRow("largest int") << QVariant(INT_MAX) << 1 << true;
    QTest::newRow("negative") << QVariant(-3) << 1 << true;
    QTest::newRow("smallest int") << QVariant(INT_MIN) << 1 << true;
    QTest::newRow("beyond int") << QVariant(QStringLiteral("2147483648")) << 1 << true;
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 1 << true;
}

void TestMainWindowLifecycle::runCounter()
{
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    QFETCH(bool, damaged);
    if (stored.isValid())
        QSettings().setValue(QStringLiteral("runs"), stored);
    start();
    QCOMPARE(window->hub()->runCounter(), expected);
    QCOMPARE(QSettings().value(QStringLiteral("runs")).toInt(), expected);
    const QString log = window->hub()->getConsole()->logView()->toPlainText();
    QCOMPARE(log.contains(QLatin1String("\"runs\" was damaged")), damaged);
}

void TestMainWindowLifecycle::runLockFollowsTheSearch()
{
    start();
    MainWidget *hub = window->hub();
    Problem *p = hub->getProblem();
    // A problem built on the board: minimise the number of edges of a connected graph.
    BuildCalculus catalogue;
    Calculus *size = catalogue.makeCalculus(QStringLiteral("SIZE"), true);
    Calculus *z = catalogue.makeCalculus(QStringLiteral("OBJECTIVE"), true);
    p->addInvariantItem(size);
    p->addZItem(z);
    p->link1(size, z);
    QCOMPARE(z->argument(1), size);
    hub->control<QSpinBox>(QStringLiteral("order"))->setValue(7);
    hub->control<QSpinBox>(QStringLiteral("time"))->setValue(30);
    hub->getConsole()->verbosityBox()->setValue(6);

    QSignalSpy lock(hub, &MainWidget::signal_opt_running);
    CerrCapture quiet;
    act("Run")->trigger();
    QTRY_COMPARE(lock.count(), 1);
    QCOMPARE(lock.at(0).at(0).toBool(), true);
    for (const char *t :
         {"Run", "&Open Problem", "&Save Problem", "&Open Graph", "&Save Graph", "Show Graph Backup"})
        QVERIFY2(!act(t)->isEnabled(), t);
    QVERIFY(act("Halt")->isEnabled());
    for (const char *t :
         {"&Print", "Place Vertices", "Refresh", "&Exit", "&About", "&Preferences", "Show Inspector"})
        QVERIFY2(act(t)->isEnabled(), t);
    QVERIFY(!hub->getInspectorWindow()->isEnabled());
    QVERIFY(!p->isEnabled());
    QVERIFY(!hub->getGraph()->isEnabled());
    QVERIFY(!hub->getGraphAnalystTabs()->isEnabled());
    QVERIFY(!hub->getVertexAnalystTabs()->isEnabled());
    QVERIFY(hub->getMainTabs()->isEnabled() && hub->getConsole()->isEnabled());
    // A second start while running starts nothing.
    hub->slot_run();

    // A minimal connected graph on 7 vertices is a tree: 6 edges.
    QTRY_COMPARE_WITH_TIMEOUT(hub->getGraph()->graphData().count('1'), 6, 20000);
    act("Halt")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(lock.count(), 2, 20000);
    QCOMPARE(lock.at(1).at(0).toBool(), false);
    QVERIFY(act("Run")->isEnabled() && !act("Halt")->isEnabled());
    QVERIFY(hub->getInspectorWindow()->isEnabled() && p->isEnabled() && hub->getGraph()->isEnabled());
    QTRY_VERIFY(!hub->getWaitWindow()->isVisible());
    QCOMPARE(hub->getGraph()->graphData().count('1'), 6);
    const QString log = hub->getConsole()->logView()->toPlainText();
    // Every new best graph is reported with the archive's size; "OPT SOL" only appears when the
    // archive drops solutions, which a search that finds a tree at once never does.
    QVERIFY2(log.contains(QLatin1String(" #sol = ")), qPrintable(log));
    QVERIFY2(log.contains(QLatin1String("Graphs added.")), qPrintable(log));
}

void TestMainWindowLifecycle::frameCloseTakesQuitPath()
{
    start();
    MainWidget *hub = window->hub();
    prompt.answerOk = false;
    window->close();
    QVERIFY(window->isVisible());
    QCOMPARE(prompt.titles, QStringList{QStringLiteral("Really quit?")});
    QVERIFY(QSettings().value(QStringLiteral("graph")).toString().isEmpty());

    hub->slot_set_reload(true);
    const QString graph = hub->getGraph()->graphData();
    prompt.answerOk = true;
    CerrCapture err;
    window->close();
    QTRY_VERIFY(window.isNull());
    QSettings s;
    QCOMPARE(s.value(QStringLiteral("graph")).toString(), graph);
    QVERIFY(!s.value(QStringLiteral("problem")).toString().isEmpty());
    QCOMPARE(s.value(QStringLiteral("reload")).toBool(), true);
    QVERIFY(err.text().contains(QLatin1String("Tessaly-III version 3.0.1 terminated.\n")));
}

void TestMainWindowLifecycle::quitDuringSearchWaitsForIt()
{
    start();
    MainWidget *hub = window->hub();
    BuildCalculus catalogue;
    Calculus *wiener = catalogue.makeCalculus(QStringLiteral("WIENER"), true);
    Calculus *z = catalogue.makeCalculus(QStringLiteral("OBJECTIVE"), true);
    hub->getProblem()->addInvariantItem(wiener);
    hub->getProblem()->addZItem(z);
    hub->getProblem()->link1(wiener, z);
    hub->control<QSpinBox>(QStringLiteral("threads"))->setValue(4);
    QSignalSpy lock(hub, &MainWidget::signal_opt_running);
    CerrCapture err;
    act("Run")->trigger();
    QTRY_COMPARE(lock.count(), 1);
    QPointer<VNSManager> manager = hub->getManager();
    prompt.answerOk = true;
    act("&Exit")->trigger();
    // The quit path returned: the search had ended before the settings were written.
    QVERIFY(!QSettings().value(QStringLiteral("graph")).toString().isEmpty());
    QTRY_VERIFY(window.isNull());
    QVERIFY(manager.isNull());
    QVERIFY(err.text().contains(QLatin1String("terminated.")));
}

void TestMainWindowLifecycle::preferencesWriteAtOnce()
{
    start();
    PreferenceWindow *preferences = window->hub()->getPreferences();
    act("&Preferences")->trigger();
    preferences->reloadBox()->click();
    QCOMPARE(QSettings().value(QStringLiteral("reload")).toBool(), true);
    QVERIFY(window->hub()->reloadFlag());
    preferences->askUpdateBox()->click();
    QCOMPARE(QSettings().value(QStringLiteral("noAskUpdate")).toBool(), true);
    QVERIFY(window->hub()->doNotAskUpdate());
}

void TestMainWindowLifecycle::newVersionQuestion_data()
{
    QTest::addColumn<bool>("doNotAsk");
    QTest::addColumn<int>("questions");
    QTest::newRow("asked") << false << 1;
    QTest::newRow("do not ask") << true << 0;
}

void TestMainWindowLifecycle::newVersionQuestion()
{
    QFETCH(bool, doNotAsk);
    QFETCH(int, questions);
    start();
    MainWidget *hub = window->hub();
    if (doNotAsk) {
        hub->getPreferences()->show();
        hub->getPreferences()->askUpdateBox()->click();
    }
    prompt.answerYes = false; // no download is started
    hub->slot_new_version_available(QStringLiteral("3.0.2"));
    QCOMPARE(prompt.titles.count(QStringLiteral("New Version")), questions);
}

void TestMainWindowLifecycle::workingDirectoryDialog()
{
    start();
    MainWidget *hub = window->hub();
    hub->getPreferences()->show();
    prompt.chosenDirectory.clear();
    hub->getPreferences()->workingDirectoryButton()->click();
    QCOMPARE(prompt.titles.last(), QStringLiteral("Choose tsy default working directory"));
    QVERIFY(hub->workingDirectory().isEmpty());
    QVERIFY(!QSettings().contains(QStringLiteral("wd")));

    prompt.chosenDirectory = isolation->path();
    QVERIFY(!QFileInfo(isolation->path() + "/gone").exists());
    hub->getPreferences()->workingDirectoryButton()->click();
    QCOMPARE(hub->workingDirectory(), isolation->path());
    QCOMPARE(QSettings().value(QStringLiteral("wd")).toString(), isolation->path());
    QCOMPARE(hub->getProblem()->getWD(), isolation->path());
    delete window;

    // A stored folder that no longer exists is reported and not used, but kept for later.
    QSettings().setValue(QStringLiteral("wd"), isolation->path() + "/gone");
    start();
    QVERIFY(window->hub()->workingDirectory().isEmpty());
    QVERIFY(window->hub()->getConsole()->logView()->toPlainText().contains(
        QLatin1String("/gone does not exist")));
    QCOMPARE(QSettings().value(QStringLiteral("wd")).toString(), isolation->path() + "/gone");
}

void TestMainWindowLifecycle::failedAutosaveIsReported()
{
    start();
    MainWidget *hub = window->hub();
    // Autosave files that cannot be replaced (a folder stands in their place).
    QDir work(isolation->workDir());
    work.remove(QStringLiteral(".tsypb"));
    work.remove(QStringLiteral(".tsygr"));
    QVERIFY(work.mkpath(QStringLiteral(".tsypb")) && work.mkpath(QStringLiteral(".tsygr")));
    CerrCapture quiet;
    hub->autosave();
    const QString log = hub->getConsole()->logView()->toPlainText();
    QVERIFY2(log.contains(QLatin1String(".tsypb")), qPrintable(log));
    QVERIFY2(log.contains(QLatin1String("The graph could not be saved")), qPrintable(log));
    // The settings keys were still written.
    QCOMPARE(QSettings().value(QStringLiteral("graph")).toString(), hub->getGraph()->graphData());
    QVERIFY(work.rmdir(QStringLiteral(".tsypb")) && work.rmdir(QStringLiteral(".tsygr")));
}

void TestMainWindowLifecycle::exitAsksWhenTheSessionIsNotSaved_data()
{
    QTest::addColumn<bool>("byFrame"); // closed by the window frame, else by "&Exit"
    QTest::addColumn<bool>("quitAnyway");
    QTest::newRow("Exit, stay") << false << false;
    QTest::newRow("Exit, quit anyway") << false << true;
    QTest::newRow("frame, stay") << true << false;
    QTest::newRow("frame, quit anyway") << true << true;
}

// A working directory below a regular file cannot hold the autosave files, whoever the user is.
// Quitting then names both files and the reason and asks; staying loses nothing, and a later quit
// into a usable folder saves the session.
void TestMainWindowLifecycle::exitAsksWhenTheSessionIsNotSaved()
{
    QFETCH(bool, byFrame);
    QFETCH(bool, quitAnyway);
    start();
    MainWidget *hub = window->hub();
    QFile plain(isolation->path() + "/plain");
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString unusable = plain.fileName() + "/work";
    prompt.chosenDirectory = unusable;
    hub->getPreferences()->workingDirectoryButton()->click();
    QCOMPARE(hub->workingDirectory(), unusable);
    hub->control<QLineEdit>(QStringLiteral("title"))->setText(QStringLiteral("kept"));
    const QString graph = hub->getGraph()->graphData();

    prompt.answerOk = true;
    prompt.answerYes = quitAnyway;
    CerrCapture quiet;
    if (byFrame)
        window->close();
    else
        act("&Exit")->trigger();
    const int asked = prompt.titles.indexOf(QStringLiteral("Question"));
    QVERIFY2(asked >= 0, qPrintable(prompt.titles.join(", ")));
    const QString question = prompt.texts.at(asked);
    const QString reason = QString::fromLocal8Bit(std::strerror(ENOTDIR));
    for (const char *name : {"/.tsypb: ", "/.tsygr: "})
        QVERIFY2(question.contains(unusable + name + reason), qPrintable(question));
    // The settings store still took its copies.
    QCOMPARE(QSettings().value(QStringLiteral("graph")).toString(), graph);
    QVERIFY(QSettings().value(QStringLiteral("problem")).toString().contains(QLatin1String("kept")));
    if (quitAnyway) {
        QTRY_VERIFY(window.isNull());
        return;
    }
    QTest::qWait(50);
    QVERIFY(!window.isNull() && window->isVisible());
    QVERIFY(!hub->isQuitting());
    QCOMPARE(hub->getProblem()->userTitle(), QStringLiteral("kept"));

    prompt.chosenDirectory = isolation->workDir();
    hub->getPreferences()->workingDirectoryButton()->click();
    prompt.titles.clear();
    act("&Exit")->trigger();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(prompt.titles, QStringList{QStringLiteral("Really quit?")});
    QFile saved(isolation->workDir() + "/.tsypb");
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("kept"));
}

QTEST_MAIN(TestMainWindowLifecycle)
#include "tst_mainwindowlifecycle.moc"
