#include "shell/ShellFixture.h"
#include "support/FileSizeLimit.h"

#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/Problem.h"
#include "problem/invConstant.h"
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

// Counts the polish and layout requests that the event loop hands to a dialog and its widgets.
class RequestCounter : public QObject
{
public:
    explicit RequestCounter(QWidget *dialog) : dialog(dialog) { qApp->installEventFilter(this); }
    ~RequestCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && (w == dialog || dialog->isAncestorOf(w)) &&
            (e->type() == QEvent::PolishRequest || e->type() == QEvent::LayoutRequest))
            ++requests;
        return false;
    }
    QWidget *dialog;
    int requests = 0;
};

// The place, visibility and polish of every widget of a dialog, in the order they were made.
QStringList layoutOf(QWidget *dialog)
{
    QList<QWidget *> widgets = dialog->findChildren<QWidget *>();
    widgets.prepend(dialog);
    QStringList out;
    for (QWidget *w : widgets) {
        const QRect g = w->geometry();
        out << QStringLiteral("%1 %2,%3 %4x%5 %6 %7")
                   .arg(QLatin1String(w->metaObject()->className()))
                   .arg(g.x())
                   .arg(g.y())
                   .arg(g.width())
                   .arg(g.height())
                   .arg(w->isVisible())
                   .arg(w->testAttribute(Qt::WA_WState_Polished));
    }
    return out;
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
    void openedDialogsWaitForNothing_data();
    void openedDialogsWaitForNothing();

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

void TestProblemWindow::openedDialogsWaitForNothing_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("tail"); // record fields after argument 4
    QTest::newRow("operator") << "+"
                              << "";
    QTest::newRow("objective") << "Z"
                               << "\tmin";
    QTest::newRow("constant") << "CONSTANT"
                              << "\t2\t2\t1\t2\t3\t4";
    QTest::newRow("histogram") << "HISTOGRAM"
                               << "";
}

// Every dialog that has posted events still waiting makes Qt search the whole queue of posted
// events when another request is posted to it or when it is deleted: opening a problem of a
// thousand items and then another one took seconds. An opened problem leaves its dialogs polished
// and waiting for nothing, and they show as dialogs that went through the event loop.
void TestProblemWindow::openedDialogsWaitForNothing()
{
    QFETCH(QString, keyword);
    QFETCH(QString, tail);
    MainWidget *hub = window->hub();
    Problem *problem = hub->getProblem();
    const QString record = keyword + QStringLiteral("\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL") + tail;
    QVERIFY(
        writeBytes(file(QStringLiteral("one.tsy3")), (record + QStringLiteral("<NEW>DESC\t\t")).toLatin1()));
    QCoreApplication::processEvents();
    prompt.openFile = file(QStringLiteral("one.tsy3"));
    {
        CerrCapture quiet;
        act("&Open Problem")->trigger();
    }
    Calculus *opened = nullptr;
    for (Calculus *c : problem->evaluationStack() + problem->objectiveStack())
        if (c->name == keyword)
            opened = c;
    QVERIFY(opened && opened->getCalculusDisplay());
    CalculusDisplay *dialog = opened->getCalculusDisplay();
    {
        RequestCounter counter(dialog);
        QCoreApplication::processEvents();
        QCOMPARE(counter.requests, 0);
    }

    // The same item made alone and settled by the event loop.
    const BuildCalculus catalogue;
    std::unique_ptr<Calculus> alone(catalogue.makeCalculus(keyword, true));
    if (!alone)
        alone.reset(BuildCalculus::makeStatisticsItem(keyword, true));
    QVERIFY(alone && alone->getCalculusDisplay());
    QCoreApplication::processEvents();
    if (keyword == QLatin1String("CONSTANT"))
        static_cast<invConstant *>(alone.get())->loadData(2, 2, {1, 2, 3, 4});
    alone->setGraph(hub->getGraph());
    alone->bestBackup();
    dialog->show();
    alone->getCalculusDisplay()->show();
    QCoreApplication::processEvents();
    QCOMPARE(layoutOf(dialog), layoutOf(alone->getCalculusDisplay()));
    dialog->hide();
}

QTEST_MAIN(TestProblemWindow)
#include "tst_problemwindow.moc"
