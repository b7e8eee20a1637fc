#include "shell/MainWindow.h"

#include "dialogs/Prompt.h"
#include "problem/BuildCalculus.h"
#include "shell/MainWidget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <iostream>

MainWindow::MainWindow()
{
    catalogue = new BuildCalculus;
    mainWidget = new MainWidget(catalogue);
    setMinimumSize(1024, 600);
    setAttribute(Qt::WA_DeleteOnClose);
    createActions();
    createMenus();
    createToolbars();
    setCentralWidget(mainWidget);
    setWindowTitle(versionBanner() + QStringLiteral(" (") + buildDate() + QStringLiteral(")"));

    connect(this, &MainWindow::signal_quit, mainWidget, &MainWidget::slot_quit);
    connect(mainWidget, &MainWidget::signal_quit, qApp, &QApplication::closeAllWindows);
    connect(mainWidget, &MainWidget::signal_opt_running, runAct, &QAction::setDisabled);
    connect(mainWidget, &MainWidget::signal_opt_running, openProblemAct, &QAction::setDisabled);
    connect(mainWidget, &MainWidget::signal_opt_running, saveProblemAct, &QAction::setDisabled);
    connect(mainWidget, &MainWidget::signal_opt_running, openGraphAct, &QAction::setDisabled);
    connect(mainWidget, &MainWidget::signal_opt_running, saveGraphAct, &QAction::setDisabled);
    connect(mainWidget, &MainWidget::signal_opt_running, haltAct, &QAction::setEnabled);
    connect(mainWidget, &MainWidget::signal_opt_running, backupAct, &QAction::setDisabled);

    mainWidget->setProblemContextMenu(problemMenu);
    mainWidget->setGraphContextMenu(graphMenu);
}

MainWindow::~MainWindow()
{
    delete problemMenu;
    delete graphMenu;
    // The hub goes with the window's widget tree; it halts and waits for a search still running.
    delete mainWidget;
    mainWidget = nullptr;
    delete catalogue;
    std::cerr << versionBanner().toStdString() << " terminated." << std::endl;
}

QString MainWindow::versionBanner()
{
    return QStringLiteral("Tessaly-III version " TESSALY_VERSION);
}

QString MainWindow::buildDate()
{
    // __DATE__ is "Mmm dd yyyy" with a blank before a one-digit day.
    return QString::fromLatin1(__DATE__).simplified();
}

QAction *MainWindow::makeAction(const QString &icon, const QString &text, const QString &tip)
{
    auto *a = new QAction(QIcon(QStringLiteral(":/src/images/") + icon), text, this);
    a->setStatusTip(tip);
    return a;
}

void MainWindow::createActions()
{
    openProblemAct = makeAction(QStringLiteral("load.png"), tr("&Open Problem"), tr("Open Data"));
    connect(openProblemAct, &QAction::triggered, mainWidget, &MainWidget::slot_open_problem);
    saveProblemAct = makeAction(QStringLiteral("record.png"), tr("&Save Problem"), tr("Save"));
    connect(saveProblemAct, &QAction::triggered, mainWidget, &MainWidget::slot_save_problem);
    openGraphAct = makeAction(QStringLiteral("load_graph.png"), tr("&Open Graph"), tr("Open Graph"));
    connect(openGraphAct, &QAction::triggered, mainWidget, &MainWidget::slot_open_graph);
    saveGraphAct = makeAction(QStringLiteral("save_graph.png"), tr("&Save Graph"), tr("Save Graph"));
    connect(saveGraphAct, &QAction::triggered, mainWidget, &MainWidget::slot_save_graph);
    printAct = makeAction(QStringLiteral("print.png"), tr("&Print"), tr("Print"));
    printAct->setShortcut(QKeySequence(tr("Ctrl+P")));
    connect(printAct, &QAction::triggered, mainWidget, &MainWidget::slot_print);
    runAct = makeAction(QStringLiteral("run.png"), tr("Run"), tr("Run"));
    connect(runAct, &QAction::triggered, mainWidget, &MainWidget::slot_run);
    haltAct = makeAction(QStringLiteral("halt.png"), tr("Halt"), tr("Halt"));
    haltAct->setEnabled(false);
    connect(haltAct, &QAction::triggered, mainWidget, &MainWidget::slot_halt);
    placeAct = makeAction(QStringLiteral("place.png"), tr("Place Vertices"), tr("Place Vertices"));
    connect(placeAct, &QAction::triggered, mainWidget, &MainWidget::slot_place_graph);
    refreshAct = makeAction(QStringLiteral("refresh.png"), tr("Refresh"), tr("Refresh"));
    connect(refreshAct, &QAction::triggered, mainWidget, &MainWidget::slot_refresh);
    exitAct = makeAction(QStringLiteral("exit.png"), tr("&Exit"), tr("Quit"));
    connect(exitAct, &QAction::triggered, this, &MainWindow::quit);
    aboutAct = makeAction(QStringLiteral("about.png"), tr("&About"), tr("Some information on the software"));
    connect(aboutAct, &QAction::triggered, this, &MainWindow::about);
    documentationAct = makeAction(QStringLiteral("doc.png"), tr("&Documentation"), tr("Documentation"));
    connect(documentationAct, &QAction::triggered, mainWidget, &MainWidget::slot_write_documentation);
    preferencesAct = makeAction(QStringLiteral("preferences.png"), tr("&Preferences"), tr("Preferences"));
    connect(preferencesAct, &QAction::triggered, mainWidget, &MainWidget::slot_preferences);
    inspectorAct = makeAction(QStringLiteral("inspector.png"), tr("Show Inspector"), tr("Inspector"));
    connect(inspectorAct, &QAction::triggered, mainWidget, &MainWidget::slot_show_inspector);
    backupAct = makeAction(QStringLiteral("backup.png"), tr("Show Graph Backup"), tr("Graph Backup"));
    connect(backupAct, &QAction::triggered, mainWidget, &MainWidget::slot_show_gbackup);
}

void MainWindow::createMenus()
{
    graphMenuBar = menuBar()->addMenu(tr("&Graph"));
    graphMenuBar->addAction(placeAct);
    graphMenuBar->addAction(openGraphAct);
    graphMenuBar->addAction(saveGraphAct);
    graphMenuBar->addAction(printAct);
    graphMenuBar->addAction(backupAct);

    problemMenuBar = menuBar()->addMenu(tr("&Problem"));
    problemMenuBar->addAction(openProblemAct);
    problemMenuBar->addAction(saveProblemAct);
    problemMenuBar->addAction(refreshAct);

    // The board's menu: every component the catalogue offers, then the file entries.
    problemMenu = new QMenu(tr("Add Component"));
    auto addKeywords = [this](QMenu *menu, const QStringList &keywords) {
        for (const QString &k : keywords)
            menu->addAction(new QAction(k, this));
    };
    problemMenu->addAction(new QAction(tr("Add component..."), this));
    QMenu *invariants = problemMenu->addMenu(tr("Invariants"));
    addKeywords(invariants->addMenu(tr("Value")), catalogue->invariantsVal);
    addKeywords(invariants->addMenu(tr("Vector")), catalogue->invariantsVec);
    addKeywords(invariants->addMenu(tr("Matrix")), catalogue->invariantsMat);
    addKeywords(invariants->addMenu(tr("Family")), catalogue->invariantsFam);
    addKeywords(problemMenu->addMenu(tr("Operators")), catalogue->operators);
    addKeywords(problemMenu->addMenu(tr("Constraints")), catalogue->constraints);
    problemMenu->addAction(new QAction(QStringLiteral("OBJECTIVE"), this));
    problemMenu->addSeparator();
    problemMenu->addAction(new QAction(QStringLiteral("Print"), this));
    problemMenu->addAction(new QAction(QStringLiteral("Load"), this));
    problemMenu->addAction(new QAction(QStringLiteral("Save"), this));
    connect(problemMenu, &QMenu::triggered, mainWidget,
            QOverload<QAction *>::of(&MainWidget::slot_problem_context_menu));

    optimizationMenu = menuBar()->addMenu(tr("Optimization"));
    optimizationMenu->addAction(runAct);
    optimizationMenu->addAction(haltAct);

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(preferencesAct);
    helpMenu->addAction(inspectorAct);
    helpMenu->addAction(documentationAct);
    helpMenu->addAction(aboutAct);

    graphMenu = new QMenu(tr("Add Component"));
    for (const char *entry : {"Place", "Load", "Save", "Print"})
        graphMenu->addAction(new QAction(QString::fromLatin1(entry), this));
    connect(graphMenu, &QMenu::triggered, mainWidget,
            QOverload<QAction *>::of(&MainWidget::slot_graph_context_menu));
}

void MainWindow::createToolbars()
{
    editToolBar = addToolBar(tr("Edit"));
    editToolBar->addSeparator();
    editToolBar->addAction(exitAct);
    editToolBar->addSeparator();
    editToolBar->addAction(openProblemAct);
    editToolBar->addAction(saveProblemAct);
    editToolBar->addAction(refreshAct);
    editToolBar->addSeparator();
    editToolBar->addAction(placeAct);
    editToolBar->addAction(openGraphAct);
    editToolBar->addAction(saveGraphAct);
    editToolBar->addSeparator();
    editToolBar->addAction(runAct);
    editToolBar->addAction(haltAct);
    editToolBar->addSeparator();
    editToolBar->addAction(printAct);
    editToolBar->addSeparator();
    editToolBar->addAction(backupAct);
    editToolBar->addAction(documentationAct);
    editToolBar->addAction(inspectorAct);
    editToolBar->addAction(aboutAct);
}

QAction *MainWindow::action(const QString &text) const
{
    for (QAction *a : findChildren<QAction *>())
        if (a->text() == text && a->parent() == this && !a->menu())
            return a;
    return nullptr;
}

void MainWindow::about()
{
    Prompt::current()->about(this, tr("About Tessaly III"),
                             tr("<b>TSY Version :</b><br>%1<br><br><b>Disclaimer :</b><br>"
                                "This software is provided as it is, without any guarantee of fitness for a "
                                "particular use. It may contain errors. You use it at your own risk; no "
                                "responsibility is taken for any damage caused through its use.")
                                 .arg(versionBanner()));
}

void MainWindow::quit()
{
    if (Prompt::current()->confirm(this, tr("Really quit?"), tr("Are you sure you want to quit TSY?")))
        emit signal_quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A close by the window frame goes through the same confirmation, halt and save as "&Exit";
    // the hub then closes every window, this one included.
    if (mainWidget && !mainWidget->isQuitting())
        quit();
    if (mainWidget && mainWidget->isQuitting())
        event->accept();
    else
        event->ignore();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // A key reaches the window itself when nothing inside it has the focus, as after the run lock
    // disabled the focused view: the hub routes it by the tab shown, as it routes every other key.
    if (mainWidget)
        static_cast<QObject *>(mainWidget)->event(event);
    else
        QMainWindow::keyPressEvent(event);
}
