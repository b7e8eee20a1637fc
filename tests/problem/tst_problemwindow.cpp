#include "shell/ShellFixture.h"
#include "support/FileSizeLimit.h"

#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidget.h"
#include "shell/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTextEdit>
#include <QToolBox>
#include <QTreeWidget>

#include <memory>

namespace
{
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

} // namespace

// The problem as the user reaches it in the main window: the Notebook's title and comments, the
// "Save Problem" and "Open Problem" actions, and components added from the tree and the board's
// menu.
class TestProblemWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void notebookKeepsLineBreaks();
    void failedSaveSaysWhy_data();
    void failedSaveSaysWhy();
    void fullBoardRefusesComponents();

private:
    QAction *act(const char *text) { return window->action(QString::fromLatin1(text)); }
    QString file(const QString &name) const { return isolation->path() + QLatin1Char('/') + name; }

    std::unique_ptr<IsolatedSettings> isolation;
    ShellPrompt prompt;
    QPointer<MainWindow> window;
};

void TestProblemWindow::initTestCase()
{
    isolation = std::make_unique<IsolatedSettings>();
    Prompt::install(&prompt);
}

void TestProblemWindow::init()
{
    isolation->reset();
    prompt.titles.clear();
    prompt.texts.clear();
    CerrCapture quiet;
    window = new MainWindow;
}

void TestProblemWindow::cleanup()
{
    // As after a user's command: every object deleted with the window would otherwise look
    // through the events its board posted.
    QCoreApplication::processEvents();
    CerrCapture quiet;
    delete window;
}

void TestProblemWindow::notebookKeepsLineBreaks()
{
    MainWidget *hub = window->hub();
    Problem *problem = hub->getProblem();
    auto *title = hub->control<QLineEdit>(QStringLiteral("title"));
    auto *comments = hub->control<QTextEdit>(QStringLiteral("comments"));
    hub->getInspectorWindow()->show();
    hub->getToolBox()->setCurrentIndex(MainWidget::PageNotebook);

    // Paragraphs typed in the comments; a title of two lines, as a problem file can bring.
    QTest::keyClicks(comments, QStringLiteral("First"));
    QTest::keyClick(comments, Qt::Key_Return);
    QTest::keyClicks(comments, QStringLiteral("second"));
    QTest::keyClick(comments, Qt::Key_Return);
    QTest::keyClick(comments, Qt::Key_Return);
    QTest::keyClicks(comments, QStringLiteral("fourth"));
    title->setText(QStringLiteral("Title\nsubtitle"));
    const QString description = QStringLiteral("First\nsecond\n\nfourth");
    QCOMPARE(problem->userDescription(), description);
    QCOMPARE(problem->userTitle(), QStringLiteral("Title\nsubtitle"));

    prompt.saveFile = file(QStringLiteral("notes.tsy3"));
    act("&Save Problem")->trigger();
    title->clear();
    comments->clear();
    QCOMPARE(problem->userDescription(), QString());
    prompt.openFile = prompt.saveFile;
    {
        CerrCapture quiet;
        act("&Open Problem")->trigger();
    }
    QCOMPARE(comments->toPlainText(), description);
    QCOMPARE(title->text(), QStringLiteral("Title\nsubtitle"));
    // The boxes hand the text straight back to the problem: it must come back unchanged.
    QCOMPARE(problem->userDescription(), description);
    QCOMPARE(problem->userTitle(), QStringLiteral("Title\nsubtitle"));
}

void TestProblemWindow::failedSaveSaysWhy_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("reason"); // what the message must say
    QTest::newRow("the name of a folder") << "folder"
                                          << "directory";
    QTest::newRow("inside a missing folder") << "missing folder"
                                             << "No such file or directory";
    QTest::newRow("the disk fills up") << "full disk"
                                       << "could not be written completely";
}

void TestProblemWindow::failedSaveSaysWhy()
{
    QFETCH(QString, failure);
    QFETCH(QString, reason);
    MainWidget *hub = window->hub();
    const QByteArray previous("PARAM 2\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL<NEW>DESC\tprevious\t");
    QString path = file(QStringLiteral("kept.tsy3"));
    QVERIFY(writeBytes(path, previous));
    if (failure == QLatin1String("folder")) {
        path = file(QStringLiteral("folder.tsy3"));
        QVERIFY(QDir().mkpath(path));
    } else if (failure == QLatin1String("missing folder")) {
        path = file(QStringLiteral("gone/p.tsy3"));
    }
    hub->control<QTextEdit>(QStringLiteral("comments"))->setPlainText(QString(4000, QLatin1Char('d')));
    prompt.saveFile = path;
    {
        CerrCapture quiet;
        if (failure == QLatin1String("full disk")) {
            FileSizeLimit limit(1000);
            act("&Save Problem")->trigger();
        } else {
            act("&Save Problem")->trigger();
        }
    }
    const int box = prompt.titles.lastIndexOf(QStringLiteral("Warning"));
    QVERIFY(box >= 0);
    const QString text = prompt.texts.at(box);
    QVERIFY2(text.startsWith(QStringLiteral("Failed to save data.\n") + path + QStringLiteral(": ")),
             qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QCOMPARE(contentOf(file(QStringLiteral("kept.tsy3"))), previous);
    if (failure == QLatin1String("folder"))
        QVERIFY(QDir(path).isEmpty());
    QVERIFY(!QFile::exists(file(QStringLiteral("gone"))));
    QCOMPARE(hub->getProblem()->getFileName(), QString());
}

void TestProblemWindow::fullBoardRefusesComponents()
{
    MainWidget *hub = window->hub();
    Problem *problem = hub->getProblem();
    // A saved board two items short of full: three display items, two parameters.
    const QString head = QStringLiteral("\t\t0\t0\t0\t0\t0\t0\t");
    const QString nulls = QStringLiteral("NULL\tNULL\tNULL\tNULL<NEW>");
    QString text;
    for (int i = 0; i < Problem::MaxItemRecords - 7; ++i)
        text += QStringLiteral("ORDER") + head + nulls;
    for (const char *keyword : {"PARAM 2", "PARAM 1", "Colors", "Labels", "E_Labels"})
        text += QLatin1String(keyword) + head + nulls;
    text += QStringLiteral("DESC\t\t");
    QVERIFY(writeBytes(file(QStringLiteral("almost.tsy3")), text.toLatin1()));
    prompt.openFile = file(QStringLiteral("almost.tsy3"));
    {
        CerrCapture quiet;
        act("&Open Problem")->trigger();
    }
    QCOMPARE(problem->evaluationStack().size(), Problem::MaxItemRecords - 5);

    // The board's menu and the component tree fill it; the next component is refused.
    QAction *objective = nullptr;
    for (QAction *a : window->findChildren<QAction *>())
        if (a->text() == QLatin1String("OBJECTIVE"))
            objective = a;
    QVERIFY(objective);
    QTreeWidget *tree = hub->getComponentTree();
    QTreeWidgetItem *size =
        tree->findItems(QStringLiteral("SIZE"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QVERIFY(size);
    objective->trigger();
    emit tree->itemDoubleClicked(size, 0);
    QCOMPARE(problem->objectiveStack().size(), 1);
    QCOMPARE(problem->evaluationStack().size(), Problem::MaxItemRecords - 4);
    QVERIFY(!prompt.titles.contains(QStringLiteral("Board full")));
    const QString full = problem->saveString();
    emit tree->itemDoubleClicked(size, 0);
    objective->trigger();
    QCOMPARE(problem->saveString(), full);
    const QString refusal = QStringLiteral("Item not added: the board is full (a problem holds at most 997 "
                                           "items, its two parameters included).");
    QCOMPARE(prompt.titles.mid(1), QStringList({"Board full", "Board full"}));
    QCOMPARE(prompt.texts.mid(1), QStringList({refusal, refusal}));
    QVERIFY(hub->getConsole()->logView()->toPlainText().contains(refusal));

    // The full board saves, and the file opens again.
    prompt.saveFile = file(QStringLiteral("full.tsy3"));
    act("&Save Problem")->trigger();
    QVERIFY(hub->getConsole()->logView()->toPlainText().contains(QStringLiteral("Problem saved")));
    hub->getConsole()->logView()->clear();
    QCoreApplication::processEvents(); // as between two commands of a user
    prompt.openFile = prompt.saveFile;
    {
        CerrCapture quiet;
        act("&Open Problem")->trigger();
    }
    QVERIFY(hub->getConsole()->logView()->toPlainText().contains(QStringLiteral("Problem loaded")));
    QCOMPARE(problem->saveString(), full);
    QCOMPARE(prompt.titles.count(QStringLiteral("Board full")), 2);
}

QTEST_MAIN(TestProblemWindow)
#include "tst_problemwindow.moc"
