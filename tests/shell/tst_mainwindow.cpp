#include "MainWindowFixture.h"
#include "ShellFixture.h"

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/FilterWidget.h"
#include "analysts/PlotItem.h"
#include "analysts/PlotWidget.h"
#include "graph/Graph.h"
#include "graph/Node.h"
#include "optimisation/VNSManager.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidget.h"
#include "shell/MainWindow.h"
#include "shell/PreferenceWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBox>
#include <QTreeWidget>
#include <QVector3D>

#include <climits>
#include <memory>

// The main window and its hub driven as a user does: its actions, tabs, menus and inspector pages,
// the graph pages and the analysts.
class TestMainWindow : public QObject, private MainWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startupState();
    void windowsToggle();
    void tabsTurnInspectorAndPrint_data();
    void tabsTurnInspectorAndPrint();
    void analystTabsOpenOnFilter_data();
    void analystTabsOpenOnFilter();
    void keysFollowTheTab_data();
    void keysFollowTheTab();
    void componentTree_data();
    void componentTree();
    void boardMenuPlacesAtClick();
    void graphMenuAndBackupWindow();
    void graphPagePlacesBothGraphs();
    void shuffleTrace_data();
    void shuffleTrace();
    void workingGraphIntoTheAnalyst_data();
    void workingGraphIntoTheAnalyst();
    void plotsFollowTheGraphAnalyst();
    void everyEntryOnce();
    void notebookFollowsTheProblem();
};

void TestMainWindow::initTestCase()
{
    isolation = std::make_unique<IsolatedSettings>();
    Prompt::install(&prompt);
}

void TestMainWindow::init()
{
    isolation->reset();
    prompt = ShellPrompt();
}

void TestMainWindow::cleanup()
{
    CerrCapture quiet;
    delete window;
}

void TestMainWindow::startupState()
{
    start();
    MainWidget *hub = window->hub();
    const QStringList enabled = {
        "&Open Problem", "&Save Problem",  "&Open Graph",      "&Save Graph", "&Print",
        "Run",           "Place Vertices", "Refresh",          "&Exit",       "&About",
        "&Preferences",  "Show Inspector", "Show Graph Backup"};
    for (const QString &t : enabled) {
        QVERIFY2(window->action(t), qPrintable(t));
        QVERIFY2(window->action(t)->isEnabled(), qPrintable(t));
    }
    QVERIFY(!act("Halt")->isEnabled());
    QCOMPARE(act("&Print")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    for (QWidget *w : {hub->getInspectorWindow(), hub->getBackupWindow(), hub->getWaitWindow(),
                       static_cast<QWidget *>(hub->getPreferences())})
        QVERIFY(!w->isVisible());
    QVERIFY(hub->isEnabled() && hub->getProblem()->isEnabled() && hub->getGraph()->isEnabled());
    QVERIFY(QRegularExpression(
                QStringLiteral("^Tessaly-III version 3\\.0\\.1 \\([A-Z][a-z]{2} \\d{1,2} \\d{4}\\)$"))
                .match(window->windowTitle())
                .hasMatch());
}

void TestMainWindow::windowsToggle()
{
    start();
    MainWidget *hub = window->hub();
    const std::pair<const char *, QWidget *> toggles[] = {{"Show Inspector", hub->getInspectorWindow()},
                                                          {"Show Graph Backup", hub->getBackupWindow()}};
    for (const auto &t : toggles) {
        act(t.first)->trigger();
        QVERIFY2(t.second->isVisible(), t.first);
        act(t.first)->trigger();
        QVERIFY2(!t.second->isVisible(), t.first);
        act(t.first)->trigger();
        t.second->close(); // closed by the user counts as hidden
        act(t.first)->trigger();
        QVERIFY2(t.second->isVisible(), t.first);
    }
    act("&Preferences")->trigger();
    act("&Preferences")->trigger();
    QVERIFY(hub->getPreferences()->isVisible());
}

void TestMainWindow::tabsTurnInspectorAndPrint_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("printSignal");
    QTest::newRow("white board") << 0 << 0 << "signal_print_problem()";
    QTest::newRow("graph") << 1 << 3 << "signal_print_graph()";
    QTest::newRow("graph analyst") << 2 << 4 << "signal_print_plot()";
    QTest::newRow("vertex analyst") << 3 << 4 << "signal_print_vplot()";
    QTest::newRow("console") << 4 << 1 << "";
}

void TestMainWindow::tabsTurnInspectorAndPrint()
{
    QFETCH(int, tab);
    QFETCH(int, page);
    QFETCH(QString, printSignal);
    start();
    MainWidget *hub = window->hub();
    hub->getToolBox()->setCurrentIndex(1);
    QTabWidget *tabs = hub->getMainTabs();
    tabs->setCurrentIndex(tab == 0 ? 4 : 0);
    hub->getToolBox()->setCurrentIndex(1);
    // Switch by clicking the tab itself.
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(tab).center());
    QCOMPARE(hub->currentMainTab(), tab);
    QCOMPARE(hub->getToolBox()->currentIndex(), page);

    const char *all[] = {SIGNAL(signal_print_problem()), SIGNAL(signal_print_graph()),
                         SIGNAL(signal_print_plot()), SIGNAL(signal_print_vplot())};
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const char *s : all)
        spies.push_back(std::make_unique<QSignalSpy>(hub, s));
    CerrCapture err;
    act("&Print")->trigger();
    for (size_t i = 0; i < spies.size(); ++i)
        QCOMPARE(spies[i]->count(), QByteArray(all[i] + 1) == printSignal.toLatin1() ? 1 : 0);
    QVERIFY(err.text().isEmpty());
}

void TestMainWindow::analystTabsOpenOnFilter_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("graph analyst") << int(MainWidget::TabGraphAnalyst);
    QTest::newRow("vertex analyst") << int(MainWidget::TabVertexAnalyst);
}

// A fresh window shows each analyst's filter first, the first of its inner tabs.
void TestMainWindow::analystTabsOpenOnFilter()
{
    QFETCH(int, tab);
    start();
    MainWidget *hub = window->hub();
    QTabWidget *tabs = hub->getMainTabs();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(tab).center());
    QTabWidget *inner =
        tab == MainWidget::TabGraphAnalyst ? hub->getGraphAnalystTabs() : hub->getVertexAnalystTabs();
    AnalystWidget *table =
        tab == MainWidget::TabGraphAnalyst ? hub->getGraphAnalyst() : hub->getVertexAnalyst();
    QCOMPARE(inner->tabText(inner->currentIndex()), QStringLiteral("Filter"));
    auto *filter = inner->findChild<FilterWidget *>();
    QVERIFY(filter);
    QVERIFY(filter->isVisible());
    QVERIFY(!table->isVisible());
}

void TestMainWindow::keysFollowTheTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("boardZoomed"); // "+" zooms the board
    QTest::addColumn<bool>("vertexAdded"); // "N" adds a vertex to the graph
    QTest::newRow("white board") << 0 << true << false;
    QTest::newRow("graph") << 1 << false << true;
    QTest::newRow("graph analyst") << 2 << false << false;
    QTest::newRow("vertex analyst") << 3 << false << false;
    QTest::newRow("console") << 4 << false << false;
}

void TestMainWindow::keysFollowTheTab()
{
    QFETCH(int, tab);
    QFETCH(bool, boardZoomed);
    QFETCH(bool, vertexAdded);
    start();
    MainWidget *hub = window->hub();
    hub->getMainTabs()->setCurrentIndex(tab);
    QVERIFY(hub->getGraph()->loadtsy(QStringLiteral("4 111111"), true));
    const qreal scale = hub->getProblem()->transform().m11();
    CerrCapture err;
    QTest::keyClick(hub, Qt::Key_Plus);
    QTest::keyClick(hub, Qt::Key_N);
    QCOMPARE(hub->getProblem()->transform().m11() != scale, boardZoomed);
    QCOMPARE(hub->getGraph()->getNbNodes(), vertexAdded ? 5 : 4);
    QVERIFY(!err.text().contains(QLatin1String("ERROR in MainWidget::")));
}

void TestMainWindow::componentTree_data()
{
    QTest::addColumn<QStringList>("leaves");
    QTest::addColumn<QVector<int>>("added"); // evaluation, family, constraint, objective stack growth
    QTest::addColumn<QString>("front");      // keyword expected at the front of the evaluation stack

    QTest::newRow("category nodes") << QStringList{"Invariants", "Value",  "Vector",    "Matrix",
                                                   "Custom",     "Family", "Operators", "Constraints"}
                                    << QVector<int>{0, 0, 0, 0} << QString();
    QTest::newRow("objective") << QStringList{"OBJECTIVE"} << QVector<int>{0, 0, 0, 1} << QString();
    QTest::newRow("parameter goes first")
        << QStringList{"ORDER", "PARAM 1"} << QVector<int>{2, 0, 0, 0} << "PARAM 1";
    QTest::newRow("same leaf twice") << QStringList{"WIENER", "WIENER"} << QVector<int>{2, 0, 0, 0}
                                     << "WIENER";
    QTest::newRow("each kind") << QStringList{"<=", "+", "ADJACENCY"} << QVector<int>{2, 0, 1, 0}
                               << "ADJACENCY";
}

void TestMainWindow::componentTree()
{
    QFETCH(QStringList, leaves);
    QFETCH(QVector<int>, added);
    QFETCH(QString, front);
    start();
    MainWidget *hub = window->hub();
    hub->getInspectorWindow()->show();
    hub->getToolBox()->setCurrentIndex(0);
    Problem *p = hub->getProblem();
    const int before[4] = {p->evaluationStack().size(), p->familyStack().size(), p->constraintStack().size(),
                           p->objectiveStack().size()};
    CerrCapture quiet;
    for (const QString &leaf : leaves) {
        doubleClickLeaf(leaf);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(p->evaluationStack().size() - before[0], added[0]);
    QCOMPARE(p->familyStack().size() - before[1], added[1]);
    QCOMPARE(p->constraintStack().size() - before[2], added[2]);
    QCOMPARE(p->objectiveStack().size() - before[3], added[3]);
    if (!front.isEmpty())
        QCOMPARE(p->evaluationStack().first()->name, front);
    if (leaves.size() == 2 && leaves[0] == leaves[1])
        QVERIFY(p->evaluationStack().at(0) != p->evaluationStack().at(1));
}

void TestMainWindow::boardMenuPlacesAtClick()
{
    start();
    MainWidget *hub = window->hub();
    Problem *p = hub->getProblem();
    p->scale(2.0, 2.0); // the point is a scene point whatever the zoom
    const QPoint click(120, 80);
    const QPointF scenePoint = p->mapToScene(click);
    emit p->customContextMenuRequested(click);
    QMenu *menu = window->problemContextMenu();
    QTRY_VERIFY(menu->isVisible());
    menu->hide();

    auto entry = [&](const QString &text) -> QAction * {
        for (QAction *a : menu->findChildren<QAction *>())
            if (a->text() == text)
                return a;
        for (QAction *a : window->findChildren<QAction *>())
            if (a->text() == text && !a->menu())
                return a;
        return nullptr;
    };
    const int constraints = p->constraintStack().size();
    const int items = p->evaluationStack().size();
    CerrCapture quiet;
    hub->slot_problem_context_menu(entry(QStringLiteral("Add component...")));
    QCOMPARE(p->evaluationStack().size(), items);
    hub->slot_problem_context_menu(entry(QStringLiteral("<")));
    QCOMPARE(p->constraintStack().size(), constraints + 1);
    QCOMPARE(p->constraintStack().last()->pos(), scenePoint);
    hub->slot_problem_context_menu(entry(QStringLiteral("MAX")));
    QCOMPARE(p->evaluationStack().last()->name, QStringLiteral("MAX"));
    QCOMPARE(p->evaluationStack().last()->pos(), scenePoint);
}

void TestMainWindow::graphMenuAndBackupWindow()
{
    start();
    MainWidget *hub = window->hub();
    Graph *g = hub->getGraph();
    Graph *bak = hub->getBackupGraph();
    QVERIFY(g->loadtsy(QStringLiteral("4 110100"), true));
    const QString before = g->graphData();
    act("Show Graph Backup")->trigger();
    auto click = [&](const char *name) {
        auto *b = hub->getBackupWindow()->findChild<QPushButton *>(QString::fromLatin1(name));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    };
    QSignalSpy changed(g, &Graph::signal_best_graph_changed);
    click("backup");
    QCOMPARE(bak->graphData(), before);
    QVERIFY(g->loadtsy(QStringLiteral("5 1111111111"), true));
    changed.clear();
    click("restore");
    QCOMPARE(g->graphData(), before);
    QCOMPARE(changed.count(), 1); // the board is evaluated on the restored graph
    QVERIFY(bak->loadtsy(QStringLiteral("3 101"), true));
    click("exchange");
    QCOMPARE(g->graphData(), QStringLiteral("3 101"));
    QCOMPARE(bak->graphData(), before);
    click("exchange");
    QCOMPARE(g->graphData(), before);
    QCOMPARE(bak->graphData(), QStringLiteral("3 101"));
}

namespace
{
QVector<QVector3D> coordinates(Graph *g)
{
    QVector<QVector3D> c;
    for (int k = 0; k < g->getNbNodes(); ++k)
        c << QVector3D(g->getNode(k)->getCoordX(), g->getNode(k)->getCoordY(), g->getNode(k)->getCoordZ());
    return c;
}
} // namespace

void TestMainWindow::graphPagePlacesBothGraphs()
{
    start();
    MainWidget *hub = window->hub();
    Graph *g = hub->getGraph();
    Graph *bak = hub->getBackupGraph();
    hub->getInspectorWindow()->show();
    hub->getToolBox()->setCurrentIndex(MainWidget::PageGraph);
    auto click = [&](const char *name) {
        auto *b = hub->control<QAbstractButton>(QString::fromLatin1(name));
        QVERIFY2(b, name);
        b->click();
    };

    // Two vertices: neither graph moves, however large the backup graph.
    QVERIFY(g->loadtsy(QStringLiteral("2 1"), true));
    QVERIFY(bak->loadtsy(QStringLiteral("6 111111111111111"), true));
    const auto before = coordinates(g);
    const auto bakBefore = coordinates(bak);
    click("place");
    QCOMPARE(coordinates(g), before);
    QCOMPARE(coordinates(bak), bakBefore);

    // Four vertices in the plane: a flat layout, and the backup graph is laid out too.
    QVERIFY(g->loadtsy(QStringLiteral("4 100100"), true));
    hub->control<QDoubleSpinBox>(QStringLiteral("position"))->setValue(300.0);
    click("place");
    const auto flat = coordinates(g);
    for (const QVector3D &p : flat)
        QCOMPARE(p.z(), 0.0f);
    QVERIFY(coordinates(bak) != bakBefore);

    // "3D pos." lays both graphs out in space, and back in the plane when unticked.
    click("mds3d");
    QCOMPARE(hub->layoutDimension(), 3);
    click("place");
    bool depth = false;
    for (const QVector3D &p : coordinates(bak))
        depth |= qAbs(p.z()) > 1e-3;
    QVERIFY(depth);
    click("mds3d");
    QCOMPARE(hub->layoutDimension(), 2);
}

void TestMainWindow::shuffleTrace_data()
{
    // Every relabelling of a graph is isomorphic to it, so each of the 100 tests succeeds.
    QTest::addColumn<QString>("graphString");
    QTest::newRow("Petersen graph") << "10 100110000100010001000100100010000010110011010";
    QTest::newRow("one vertex") << "1 ";
    QTest::newRow("path on 3 vertices") << "3 101";
    QTest::newRow("no vertex") << "0 ";
    // The path on 32 vertices: only the pairs (k, k + 1) are joined, row by row.
    QString path32 = QStringLiteral("32 ");
    for (int a = 0; a < 32; ++a)
        for (int b = a + 1; b < 32; ++b)
            path32 += b == a + 1 ? QLatin1Char('1') : QLatin1Char('0');
    QTest::newRow("path on 32 vertices") << path32;
}

void TestMainWindow::shuffleTrace()
{
    QFETCH(QString, graphString);
    start();
    MainWidget *hub = window->hub();
    QVERIFY(hub->getGraph()->loadtsy(graphString, true));
    hub->getInspectorWindow()->show();
    hub->getToolBox()->setCurrentIndex(MainWidget::PageGraph);
    auto *shuffle = hub->control<QPushButton>(QStringLiteral("shuffle"));
    QVERIFY(shuffle);
    QString expected;
    for (int i = 0; i < 100; ++i)
        expected += QStringLiteral("i = %1\n%2 success.\n").arg(i).arg(i + 1);
    expected += QStringLiteral("ISO : 100 success.\n");
    CerrCapture err;
    shuffle->click();
    QCOMPARE(err.text(), expected);
}

void TestMainWindow::workingGraphIntoTheAnalyst_data()
{
    QTest::addColumn<bool>("currentRow");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<int>("databaseSize");
    QTest::addColumn<bool>("asked");
    QTest::newRow("no current row") << false << true << 3 << false;
    QTest::newRow("current row, No") << true << false << 3 << true;
    QTest::newRow("current row, Yes") << true << true << 2 << true;
}

void TestMainWindow::workingGraphIntoTheAnalyst()
{
    QFETCH(bool, currentRow);
    QFETCH(bool, answerYes);
    QFETCH(int, databaseSize);
    QFETCH(bool, asked);
    start();
    MainWidget *hub = window->hub();
    AnalystWidget *g = hub->getGraphAnalyst();
    CerrCapture quiet;
    QFile example(exampleProblemPath());
    QVERIFY(example.open(QIODevice::ReadOnly));
    QVERIFY(hub->getProblem()->openString(QString::fromLatin1(example.readAll())));
    hub->control<QCheckBox>(QStringLiteral("filterMode"))->click(); // keep graphs that violate the problem
    g->addGraph(QStringLiteral("3 111"));
    g->addGraph(QStringLiteral("4 111000"));
    QCOMPARE(g->databaseSize(), 2);
    if (currentRow)
        g->getAnalyst()->getDataTable()->setCurrentCell(1, 0);
    QVERIFY(hub->getGraph()->loadtsy(QStringLiteral("5 1000100010"), true));
    prompt.answerYes = answerYes;
    hub->control<QPushButton>(QStringLiteral("toAnalyst"))->click();
    QCOMPARE(prompt.texts.contains(QStringLiteral("Do you want to replace current graph in Analyst?")),
             asked);
    QCOMPARE(g->databaseSize(), databaseSize);
    QCOMPARE(g->getGraphs().last(), hub->getGraph()->graphData());
}

void TestMainWindow::plotsFollowTheGraphAnalyst()
{
    start();
    MainWidget *hub = window->hub();
    AnalystWidget *g = hub->getGraphAnalyst();
    QFile example(exampleProblemPath());
    QVERIFY(example.open(QIODevice::ReadOnly));
    CerrCapture quiet;
    QVERIFY(hub->getProblem()->openString(QString::fromLatin1(example.readAll())));
    auto *xCombo = hub->findChild<QComboBox *>(QStringLiteral("graphAnalystTabsX"));
    auto *yCombo = hub->findChild<QComboBox *>(QStringLiteral("graphAnalystTabsY"));
    auto *xScale = hub->findChild<QDoubleSpinBox *>(QStringLiteral("graphAnalystTabsXScale"));
    auto *yScale = hub->findChild<QDoubleSpinBox *>(QStringLiteral("graphAnalystTabsYScale"));
    QVERIFY(xCombo && yCombo && xScale && yScale);
    QCOMPARE(xCombo->count(), 1);

    // K3 (lambda1 = 2, average degree 2) and the star K1,3 (lambda1 = sqrt 3, average degree 1.5),
    // kept although their order is not the problem's.
    hub->control<QCheckBox>(QStringLiteral("filterMode"))->click();
    g->addGraph(QStringLiteral("3 111"));
    g->addGraph(QStringLiteral("4 110100"));
    QCOMPARE(xCombo->itemText(0), QStringLiteral("NONE"));
    const int lambda = xCombo->findText(QStringLiteral("lambda1"));
    const int avg = yCombo->findText(QStringLiteral("avgdeg"));
    QVERIFY(lambda > 0 && avg > 0);
    xScale->setValue(10.0);
    yScale->setValue(0.5);
    xCombo->setCurrentIndex(lambda);
    QVERIFY(hub->getGraphPlot()->plotItems().isEmpty()); // the Y axis is still on NONE
    yCombo->setCurrentIndex(avg);
    const QVector<PlotItem *> dots = hub->getGraphPlot()->plotItems();
    QCOMPARE(dots.size(), 2);
    PlotItem *k3 = dots[0]->getNumber() == 0 ? dots[0] : dots[1];
    QCOMPARE(k3->toolTip(), QStringLiteral("(2 , 2)"));
    QVERIFY(qAbs(k3->pos().x() - 20.0) < 1e-9 && qAbs(k3->pos().y() + 1.0) < 1e-9);

    // A new table empties both plots and puts every axis back on NONE; the scales stay.
    g->addGraph(QStringLiteral("2 1"));
    QVERIFY(hub->getGraphPlot()->plotItems().isEmpty());
    QCOMPARE(xCombo->currentIndex(), 0);
    QCOMPARE(yCombo->currentIndex(), 0);
    QCOMPARE(xScale->value(), 10.0);

    // Printing from the Graph-Analyst tab prints its plot (the dialog is refused here).
    hub->getMainTabs()->setCurrentIndex(MainWidget::TabGraphAnalyst);
    prompt.titles.clear();
    act("&Print")->trigger();
    QCOMPARE(prompt.titles, QStringList{QStringLiteral("print")});

    // A double-clicked row loads its graph and marks it.
    Analyst *table = g->getAnalyst();
    int row = -1;
    for (int r = 0; r < table->nbGraphs(); ++r)
        if (table->vertex(r) == 1)
            row = r;
    QVERIFY(row >= 0);
    table->slot_cell_double_clicked(row - table->pageStart(), 0);
    QCOMPARE(hub->getGraph()->graphData(), QStringLiteral("4 110100"));
    QCOMPARE(table->currentRow(), row);
}

void TestMainWindow::everyEntryOnce()
{
    start();
    MainWidget *hub = window->hub();
    hub->getGraph()->loadtsy(QStringLiteral("9 101101011010110101011010110101101101"), true);
    QFile example(exampleProblemPath());
    QVERIFY(example.open(QIODevice::ReadOnly));
    CerrCapture err;
    QVERIFY(hub->getProblem()->openString(QString::fromLatin1(example.readAll())));
    for (int tab = 0; tab < 5; ++tab) {
        hub->getMainTabs()->setCurrentIndex(tab);
        for (QAction *a : window->findChildren<QAction *>()) {
            if (a->parent() != window || a->text() == QLatin1String("&Exit") || a->menu())
                continue;
            a->trigger();
        }
        std::function<void(QMenu *, bool)> walk = [&](QMenu *m, bool board) {
            for (QAction *a : m->actions()) {
                if (a->menu())
                    walk(a->menu(), board);
                else if (!a->isSeparator())
                    board ? hub->slot_problem_context_menu(a) : hub->slot_graph_context_menu(a);
            }
        };
        walk(window->problemContextMenu(), true);
        walk(window->graphContextMenu(), false);
        QTest::keyClick(hub, Qt::Key_Escape);
    }
    QVERIFY2(!err.text().contains(QLatin1String("ERROR in MainWidget::")), qPrintable(err.text()));
    // Every keyword of the board's menu made an item.
    QVERIFY(hub->getProblem()->evaluationStack().size() > 5 * 80);
    QCOMPARE(prompt.titles.count(QStringLiteral("About Tessaly III")), 5);
}

void TestMainWindow::notebookFollowsTheProblem()
{
    start();
    MainWidget *hub = window->hub();
    Problem *p = hub->getProblem();
    hub->getInspectorWindow()->show();
    hub->getToolBox()->setCurrentIndex(MainWidget::PageNotebook);
    auto *title = hub->control<QLineEdit>(QStringLiteral("title"));
    auto *comments = hub->control<QTextEdit>(QStringLiteral("comments"));
    QTest::keyClicks(title, QStringLiteral("Spectral radius"));
    QCOMPARE(p->userTitle(), QStringLiteral("Spectral radius"));
    QTest::keyClicks(comments, QStringLiteral("first line"));
    QCOMPARE(p->userDescription(), QStringLiteral("first line"));

    // A problem text read by the board fills the page; its markup is shown as written.
    const QString description = QStringLiteral("<b>bold?</b> & more");
    CerrCapture quiet;
    QVERIFY(p->openString(QStringLiteral("DESC\tA title\t") + description));
    QCOMPARE(title->text(), QStringLiteral("A title"));
    QCOMPARE(comments->toPlainText(), description);
    QCOMPARE(p->userDescription(), description);
    QCOMPARE(p->userTitle(), QStringLiteral("A title"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
