// MainWidget: session settings: run count, start-up and reload, working directory, autosave, quit.
#include "shell/MainWidget.h"

#include "analysts/AnalystWidget.h"
#include "dialogs/Prompt.h"
#include "dialogs/RunWindow.h"
#include "graph/Graph.h"
#include "help/VersionChecker.h"
#include "optimisation/DataLoader.h"
#include "optimisation/VNSManager.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/PreferenceWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QTimer>
#include <QTimerEvent>

#include <iostream>
#include <limits>

void MainWidget::countRun()
{
    // Read wide: QVariant::toInt() wraps a value beyond int instead of failing. A count that is
    // negative, not a number or too large to be counted on is damage, reset to a fresh start.
    bool numeric = false;
    const qlonglong storedRuns =
        settings.value(QStringLiteral("runs"), 0).toString().trimmed().toLongLong(&numeric);
    if (!numeric || storedRuns < 0 || storedRuns >= std::numeric_limits<int>::max()) {
        damagedSettings << QStringLiteral("runs");
        runs = 0;
    } else {
        runs = int(storedRuns);
    }
    ++runs;
    settings.setValue(QStringLiteral("runs"), runs);
}

void MainWidget::handWorkingDirectory()
{
    problem->setWD(wd);
    graph->setWD(wd);
    analystWidgetG->setWD(wd);
    analystWidgetV->setWD(wd);
}

bool MainWidget::readFlag(const QString &key)
{
    const QVariant v = settings.value(key);
    if (!v.isValid())
        return false;
    if (v.type() == QVariant::Bool)
        return v.toBool();
    const QString t = v.toString().trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t != QLatin1String("false") && t != QLatin1String("0")) {
        // Anything else is damage: it counts as "no" and is replaced, never guessed at.
        damagedSettings << key;
        settings.setValue(key, false);
    }
    return false;
}

void MainWidget::applySettingsAtStart()
{
    noAskUpdate = readFlag(QStringLiteral("noAskUpdate"));
    preferences->slot_ask_update(noAskUpdate);

    // The update check runs at every start, once the event loop runs; the flag only keeps its
    // question from being asked.
    network = new QNetworkAccessManager;
    versionChecker = new VersionChecker(network);
    connect(versionChecker, &VersionChecker::signal_new_version_available, this,
            &MainWidget::slot_new_version_available);
    QTimer::singleShot(0, versionChecker, &VersionChecker::slot_start);

    wd = settings.value(QStringLiteral("wd"), QString()).toString();
    if (!wd.isEmpty() && !QFileInfo(wd).isDir()) {
        // The stored folder is kept for a later start (a drive may come back); this session saves
        // into the current directory instead of failing at every autosave.
        console->append(tr("The working directory %1 does not exist: files go to %2 for now.")
                            .arg(wd, QDir::currentPath()),
                        false, 0, Qt::red);
        wd.clear();
    }
    handWorkingDirectory();

    reloadLastSession();

    for (const QString &key : qAsConst(damagedSettings))
        console->append(tr("The stored setting \"%1\" was damaged and has been reset.").arg(key), false, 0,
                        Qt::red);

    slot_place_graph();
    autosaveTimer = startTimer(60000, Qt::CoarseTimer);
    std::cerr << "TSY running" << std::endl;
}

void MainWidget::reloadLastSession()
{
    const QString stored = settings.value(QStringLiteral("problem"), QString()).toString();
    settings.setValue(QStringLiteral("problem"), QString());
    if (stored.isEmpty())
        return;
    reload = readFlag(QStringLiteral("reload"));
    emit signal_reload(reload);
    if (!reload)
        return;
    // Should the reload itself bring the program down, the next start does not try again.
    settings.setValue(QStringLiteral("reload"), false);
    settings.sync();
    if (!problem->autoload()) {
        Prompt::current()->warning(this, tr("Error"), tr("Unable to load problem "));
    } else {
        const QString storedGraph = settings.value(QStringLiteral("graph"), QString()).toString();
        settings.setValue(QStringLiteral("graph"), QString());
        if (storedGraph.isEmpty()) {
            Prompt::current()->warning(this, tr("Error"), tr("Unable to load graph "));
        } else {
            graph->autoload();
            graph->changeBest();
            graph->best_backup();
        }
    }
    settings.setValue(QStringLiteral("reload"), true);
}

void MainWidget::slot_set_reload(bool b)
{
    reload = b;
    settings.setValue(QStringLiteral("reload"), b);
}

void MainWidget::slot_set_ask_update(bool b)
{
    settings.setValue(QStringLiteral("noAskUpdate"), b);
    noAskUpdate = b;
}

void MainWidget::slot_set_tsy_wd()
{
    const QString dir = Prompt::current()->directory(this, tr("Choose tsy default working directory"), wd);
    if (dir.isEmpty())
        return;
    settings.setValue(QStringLiteral("wd"), dir);
    wd = dir;
    handWorkingDirectory();
}

QStringList MainWidget::autosave()
{
    settings.setValue(QStringLiteral("problem"), problem->saveString());
    settings.setValue(QStringLiteral("graph"), graph->graphData());
    settings.sync();
    if (settings.status() != QSettings::NoError)
        console->append(tr("The settings could not be written."), false, 0, Qt::red);
    QStringList failures;
    QString reason;
    // The board reports its own failure on the console.
    if (!problem->autosave(&reason))
        failures << tr("cannot write %1: %2").arg(problem->autosavePath(), reason);
    if (!graph->autosave()) {
        console->append(tr("The graph could not be saved: %1").arg(graph->errorString()), false, 0, Qt::red);
        failures << graph->errorString();
    }
    return failures;
}

void MainWidget::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == autosaveTimer)
        autosave();
    else
        QWidget::timerEvent(event);
}

void MainWidget::stopAndWait()
{
    emit signal_halt();
    // A load in progress ends after its current line.
    runWindow->setCancel(true);
    vns->wait();
    loader->wait();
}

void MainWidget::slot_quit()
{
    if (quitting)
        return;
    quitting = true;
    stopAndWait();
    const QStringList failures = autosave();
    settings.setValue(QStringLiteral("reload"), reload);
    settings.sync();
    // The board and the graph still hold what could not be saved: the user may stay and save it
    // elsewhere, or choose another working directory, rather than lose it.
    if (!failures.isEmpty() &&
        !Prompt::current()->question(this, tr("Question"),
                                     tr("The session could not be saved:\n%1\n\nQuit anyway? What was not "
                                        "saved will be lost.")
                                         .arg(failures.join(QLatin1Char('\n'))))) {
        quitting = false;
        return;
    }
    emit signal_quit();
}
