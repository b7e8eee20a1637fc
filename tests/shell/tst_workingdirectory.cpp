#include "ShellFixture.h"

#include "analysts/AnalystWidget.h"
#include "graph/Graph.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidget.h"
#include "shell/MainWindow.h"
#include "shell/PreferenceWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>

namespace
{
// The prompt of the other tests, except that the working-directory question opens the program's
// own file dialog, which the test then drives as a user does.
class RealDirectoryPrompt : public ShellPrompt
{
public:
    QString directory(QWidget *parent, const QString &caption, const QString &dir) override
    {
        return Prompt::directory(parent, caption, dir);
    }
};

// Drives the modal directory dialog from timer ticks while its event loop runs. Gives up (and
// rejects the dialog) after a bounded number of ticks, so a test never hangs on it.
class DialogDriver : public QObject
{
public:
    // action: "click" selects the folder named target by a single click, "enter" opens it by a
    // double click, "none" leaves the selection empty; each then presses "Choose". "cancel"
    // presses "Cancel".
    DialogDriver(const QString &action, const QString &target) : action(action), target(target)
    {
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, this, &DialogDriver::tick);
        timer.start();
    }

    QString failure; // empty when the dialog was driven to its end
    QString caption;

private:
    QAbstractItemView *fileView(QFileDialog *dialog) const
    {
        for (const char *name : {"listView", "treeView"}) {
            auto *view = dialog->findChild<QAbstractItemView *>(QLatin1String(name));
            if (view && view->isVisible())
                return view;
        }
        return nullptr;
    }

    QPushButton *button(QFileDialog *dialog, const QString &text) const
    {
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            if (b->isVisible() && b->text().remove(QLatin1Char('&')) == text)
                return b;
        return nullptr;
    }

    // The target's row in the folder the view shows, once the view has laid it out.
    QRect targetRect(QAbstractItemView *view) const
    {
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QModelIndex index = view->model()->index(row, 0, root);
            if (index.data().toString() == target)
                return view->visualRect(index);
        }
        return QRect();
    }

    void tick()
    {
        if (++ticks > 1500) { // half a minute
            failure = QStringLiteral("gave up at step %1").arg(step);
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
            timer.stop();
            return;
        }
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        caption = dialog->windowTitle();
        QAbstractItemView *view = fileView(dialog);
        if (!view)
            return;
        if (step == 0 && (action == QLatin1String("click") || action == QLatin1String("enter"))) {
            const QRect r = targetRect(view);
            if (!r.isValid())
                return; // the folder is still being read
            // Selected by a single click first, as a hand does before a double click.
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
            step = action == QLatin1String("click") ? 2 : 1;
            clickTick = ticks;
            return;
        }
        if (step == 1) {
            if ((ticks - clickTick) * timer.interval() <= QApplication::doubleClickInterval())
                return;
            const QRect r = targetRect(view);
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
            step = 2;
            return;
        }
        if (action == QLatin1String("enter") &&
            QFileInfo(dialog->directory().absolutePath()).fileName() != target)
            return; // not inside the folder yet
        QPushButton *b = button(dialog, action == QLatin1String("cancel") ? QStringLiteral("Cancel")
                                                                          : QStringLiteral("Choose"));
        if (!b || !b->isEnabled())
            return;
        timer.stop();
        QTest::mouseClick(b, Qt::LeftButton);
    }

    QString action;
    QString target;
    QTimer timer;
    int ticks = 0;
    int step = 0;
    int clickTick = 0;
};
} // namespace

// The working directory: chosen in the preferences' real file dialog, kept when an autosave fails,
// and the folder the next start reloads from.
class TestWorkingDirectory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void chosenInTheRealDialog_data();
    void chosenInTheRealDialog();
    void failedAutosaveKeepsTheFolder();

private:
    MainWindow *start();

    std::unique_ptr<IsolatedSettings> isolation;
    RealDirectoryPrompt prompt;
    QPointer<MainWindow> window;
};

void TestWorkingDirectory::initTestCase()
{
    // The widget dialog everywhere, so the test can drive it.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    isolation = std::make_unique<IsolatedSettings>();
    Prompt::install(&prompt);
}

void TestWorkingDirectory::init()
{
    isolation->reset();
    static_cast<ShellPrompt &>(prompt) = ShellPrompt();
}

void TestWorkingDirectory::cleanup()
{
    CerrCapture quiet;
    delete window;
}

MainWindow *TestWorkingDirectory::start()
{
    CerrCapture quiet;
    window = new MainWindow;
    window->show();
    return window;
}

void TestWorkingDirectory::chosenInTheRealDialog_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("chosen"); // relative to the folder the dialog opens in

    QTest::newRow("subfolder selected by a click") << "click"
                                                   << "picked";
    QTest::newRow("subfolder entered by a double click") << "enter"
                                                         << "picked";
    QTest::newRow("nothing selected: the folder shown") << "none"
                                                        << ".";
    QTest::newRow("cancelled") << "cancel"
                               << ".";
}

void TestWorkingDirectory::chosenInTheRealDialog()
{
    QFETCH(QString, action);
    QFETCH(QString, chosen);

    const QString base = isolation->path() + QStringLiteral("/base");
    QVERIFY(QDir(base).removeRecursively()); // nothing left from an earlier row
    QVERIFY(QDir().mkpath(base + QStringLiteral("/picked")));
    QVERIFY(QDir().mkpath(base + QStringLiteral("/other")));
    QSettings().setValue(QStringLiteral("wd"), base);
    start();
    MainWidget *hub = window->hub();
    QCOMPARE(hub->workingDirectory(), base);
    const QString expected = QDir::cleanPath(base + QLatin1Char('/') + chosen);

    hub->getPreferences()->show();
    DialogDriver driver(action, QStringLiteral("picked"));
    hub->getPreferences()->workingDirectoryButton()->click();
    QVERIFY2(driver.failure.isEmpty(), qPrintable(driver.failure));
    QCOMPARE(driver.caption, QStringLiteral("Choose tsy default working directory"));

    QCOMPARE(QDir::cleanPath(QSettings().value(QStringLiteral("wd")).toString()), expected);
    QCOMPARE(QDir::cleanPath(hub->workingDirectory()), expected);
    for (const QString &given : {hub->getProblem()->getWD(), hub->getGraph()->getWD(),
                                 hub->getGraphAnalyst()->getWD(), hub->getVertexAnalyst()->getWD()})
        QCOMPARE(QDir::cleanPath(given), expected);

    // The next autosave writes into the folder the user chose, and nowhere else.
    CerrCapture quiet;
    hub->autosave();
    for (const char *file : {".tsypb", ".tsygr"}) {
        QVERIFY2(QFileInfo(expected + QLatin1Char('/') + QLatin1String(file)).isFile(), file);
        for (const QString &folder : {base, base + QStringLiteral("/picked"), isolation->workDir()})
            if (folder != expected)
                QVERIFY2(!QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(file)),
                         qPrintable(folder + QLatin1Char('/') + QLatin1String(file)));
    }
}

void TestWorkingDirectory::failedAutosaveKeepsTheFolder()
{
    const QString folder = isolation->path() + QStringLiteral("/keep");
    QVERIFY(QDir().mkpath(folder));
    QSettings().setValue(QStringLiteral("wd"), folder);
    start();
    MainWidget *hub = window->hub();
    QCOMPARE(hub->workingDirectory(), folder);
    auto *title = hub->control<QLineEdit>(QStringLiteral("title"));
    QVERIFY(title);

    // Autosave files that cannot be replaced: folders stand in their place (permission bits do
    // not stop a test run as root).
    QDir dir(folder);
    QVERIFY(dir.mkdir(QStringLiteral(".tsypb")) && dir.mkdir(QStringLiteral(".tsygr")));
    title->setText(QStringLiteral("first"));
    {
        CerrCapture quiet;
        hub->autosave();
    }
    const QString log = hub->getConsole()->logView()->toPlainText();
    QVERIFY2(log.contains(folder + QStringLiteral("/.tsypb")), qPrintable(log));
    QVERIFY2(log.contains(folder + QStringLiteral("/.tsygr")), qPrintable(log));
    // Both keep the working directory, and the settings keys were written all the same.
    QCOMPARE(hub->getProblem()->getWD(), folder);
    QCOMPARE(hub->getGraph()->getWD(), folder);
    QCOMPARE(QSettings().value(QStringLiteral("problem")).toString(), hub->getProblem()->saveString());
    QCOMPARE(QSettings().value(QStringLiteral("graph")).toString(), hub->getGraph()->graphData());

    // Once the folder is mended, the next autosave lands there again.
    QVERIFY(dir.rmdir(QStringLiteral(".tsypb")) && dir.rmdir(QStringLiteral(".tsygr")));
    title->setText(QStringLiteral("latest"));
    QVERIFY(hub->getGraph()->loadtsy(QStringLiteral("4 101001"), true)); // the path 0-1-2-3
    {
        CerrCapture quiet;
        hub->autosave();
    }
    QVERIFY(QFileInfo(folder + QStringLiteral("/.tsypb")).isFile());
    QVERIFY(QFileInfo(folder + QStringLiteral("/.tsygr")).isFile());
    QVERIFY(!QFileInfo::exists(isolation->workDir() + QStringLiteral("/.tsypb")));

    // A restart with reload brings the latest problem and graph back.
    hub->getPreferences()->show();
    if (!hub->getPreferences()->reloadBox()->isChecked())
        hub->getPreferences()->reloadBox()->click();
    QVERIFY(QSettings().value(QStringLiteral("reload")).toBool());
    {
        CerrCapture quiet;
        delete window;
    }
    start();
    hub = window->hub();
    QCOMPARE(prompt.titles, QStringList());
    QCOMPARE(hub->getProblem()->userTitle(), QStringLiteral("latest"));
    QCOMPARE(hub->getGraph()->graphData(), QStringLiteral("4 101001"));
}

QTEST_MAIN(TestWorkingDirectory)
#include "tst_workingdirectory.moc"
