#include "ShellFixture.h"

#include "graph/Graph.h"
#include "graph/Node.h"
#include "graph/Random.h"
#include "optimisation/VNSManager.h"
#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/Problem.h"
#include "shell/MainWidget.h"
#include "shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGraphicsScene>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBox>

#include <memory>

namespace
{
// Bit of the pair {i, j} in a graph string "n bits", pairs (1,0),(2,0),(2,1),(3,0),...
bool pairBit(const QString &s, int i, int j)
{
    if (i < j)
        std::swap(i, j);
    const int blank = s.indexOf(QLatin1Char(' '));
    return s.at(blank + 1 + i * (i - 1) / 2 + j) == QLatin1Char('1');
}

int orderOf(const QString &s)
{
    return s.left(s.indexOf(QLatin1Char(' '))).toInt();
}

QVector<double> degreesOf(const QString &s)
{
    const int n = orderOf(s);
    QVector<double> d(n, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i != j && pairBit(s, i, j))
                d[i] += 1.0;
    return d;
}

// True when some relabelling of a gives b (all n! bijections; small n only).
bool isomorphic(const QString &a, const QString &b)
{
    const int n = orderOf(a);
    if (orderOf(b) != n)
        return false;
    QVector<int> p(n);
    std::iota(p.begin(), p.end(), 0);
    do {
        bool same = true;
        for (int i = 0; i < n && same; ++i)
            for (int j = i + 1; j < n && same; ++j)
                same = pairBit(a, i, j) == pairBit(b, p[i], p[j]);
        if (same)
            return true;
    } while (std::next_permutation(p.begin(), p.end()));
    return false;
}

// The board as it is on the screen equals the board drawn afresh: every item shows the value it
// holds. Items cache their drawing, so an item that was not asked to repaint keeps showing its old
// value; grabbing the view goes through the same caches as the screen does.
bool boardIsUpToDate(Problem *board)
{
    QCoreApplication::processEvents();
    const QImage shown = board->viewport()->grab().toImage();
    for (QGraphicsItem *item : board->scene()->items())
        item->update();
    QCoreApplication::processEvents();
    const QImage fresh = board->viewport()->grab().toImage();
    return shown == fresh;
}

// The value a 1 x 1 item shows in its box.
double shown(Calculus *item)
{
    return item->getCalculusDisplay()->getValue();
}
} // namespace

// Routes through the hub that the user's hands take: edits of the working graph and the board's
// shown values, the shuffle command, the halt key during a search.
class TestHubRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void boardShowsEveryGraphEdit_data();
    void boardShowsEveryGraphEdit();
    void constantApplyIsShownAtOnce();
    void shuffleLeavesTheLastRelabelling();
    void haltKeyStopsTheSearch_data();
    void haltKeyStopsTheSearch();

private:
    MainWidget *start();
    Calculus *addItem(const QString &keyword, bool invariant = true);
    QAction *act(const char *text) { return window->action(QString::fromLatin1(text)); }

    std::unique_ptr<IsolatedSettings> isolation;
    ShellPrompt prompt;
    QPointer<MainWindow> window;
};

void TestHubRoutes::initTestCase()
{
    isolation = std::make_unique<IsolatedSettings>();
    Prompt::install(&prompt);
}

void TestHubRoutes::init()
{
    isolation->reset();
    prompt = ShellPrompt();
}

void TestHubRoutes::cleanup()
{
    CerrCapture quiet;
    if (window) {
        // A search left running by a failed check must not outlive the window.
        window->hub()->slot_halt();
        window->hub()->getManager()->wait();
    }
    delete window;
}

MainWidget *TestHubRoutes::start()
{
    CerrCapture quiet;
    window = new MainWindow;
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return nullptr;
    MainWidget *hub = window->hub();
    hub->getInspectorWindow()->show();
    return hub;
}

Calculus *TestHubRoutes::addItem(const QString &keyword, bool invariant)
{
    BuildCalculus catalogue;
    Calculus *c = catalogue.makeCalculus(keyword, true);
    Problem *board = window->hub()->getProblem();
    if (invariant)
        board->addInvariantItem(c);
    else
        board->addOperatorItem(c);
    return c;
}

void TestHubRoutes::boardShowsEveryGraphEdit_data()
{
    // How the edit is made: a Graph page button (by object name), a key on the graph view, a
    // double click on it, a graph file, the backup window.
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QVector<int>>("selected");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("size");
    const QString empty4 = QStringLiteral("4 000000");
    const QString k4 = QStringLiteral("4 111111");
    QTest::newRow("Add E") << "button:addEdges" << empty4 << QVector<int>{0, 1, 2} << 4 << 3;
    QTest::newRow("Rem E") << "button:removeEdges" << k4 << QVector<int>{0, 1, 2} << 4 << 3;
    QTest::newRow("Add V") << "button:addVertex" << k4 << QVector<int>{} << 5 << 6;
    QTest::newRow("Rem V") << "button:removeVertices" << k4 << QVector<int>{3} << 3 << 3;
    QTest::newRow("Compl.") << "button:complement" << empty4 << QVector<int>{0, 1, 2, 3} << 4 << 6;
    QTest::newRow("Load") << "button:loadGraph" << empty4 << QVector<int>{} << 5 << 4;
    QTest::newRow("key C") << "key:C" << empty4 << QVector<int>{0, 1} << 4 << 1;
    QTest::newRow("key D") << "key:D" << k4 << QVector<int>{0, 1} << 2 << 1;
    QTest::newRow("double click") << "dclick" << empty4 << QVector<int>{0, 1, 2} << 5 << 3;
    QTest::newRow("Restore") << "restore" << k4 << QVector<int>{} << 3 << 2;
    QTest::newRow("Exchange") << "exchange" << k4 << QVector<int>{} << 3 << 2;
}

void TestHubRoutes::boardShowsEveryGraphEdit()
{
    QFETCH(QString, how);
    QFETCH(QString, graph);
    QFETCH(QVector<int>, selected);
    QFETCH(int, order);
    QFETCH(int, size);
    MainWidget *hub = start();
    QVERIFY(hub);
    Problem *board = hub->getProblem();
    Graph *g = hub->getGraph();
    Calculus *sizeItem = addItem(QStringLiteral("SIZE"));
    Calculus *orderItem = addItem(QStringLiteral("ORDER"));
    sizeItem->setPos(0, 0);
    orderItem->setPos(0, 100);
    board->centerOn(0, 50);
    // The backup graph holds a path on 3 vertices for the backup window's rows.
    QVERIFY(hub->getBackupGraph()->loadtsy(QStringLiteral("3 101"), true));
    QVERIFY(g->loadtsy(graph, true));
    board->slot_refresh();
    for (int k : selected)
        g->getNode(k)->setSelected(true);
    QVERIFY(boardIsUpToDate(board));
    QCOMPARE(shown(sizeItem), double(graph.count(QLatin1Char('1'))));

    hub->getToolBox()->setCurrentIndex(MainWidget::PageGraph);
    if (how.startsWith(QLatin1String("button:"))) {
        if (how == QLatin1String("button:loadGraph")) {
            // A path on 5 vertices, written as a graph file by hand.
            prompt.openFile = isolation->path() + QStringLiteral("/path5.gtsy3");
            QFile f(prompt.openFile);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray text = "5\na\t0\t0\nb\t10\t0\nc\t20\t0\nd\t30\t0\ne\t40\t0\n";
            for (int i = 0; i < 5; ++i)
                for (int j = 0; j < 5; ++j)
                    text += qAbs(i - j) == 1 ? "1\t" : "0\t";
            f.write(text + '\n');
        }
        auto *b = hub->control<QPushButton>(how.mid(7));
        QVERIFY2(b, qPrintable(how));
        QTest::mouseClick(b, Qt::LeftButton);
    } else if (how.startsWith(QLatin1String("key:"))) {
        hub->getMainTabs()->setCurrentIndex(MainWidget::TabGraph);
        QTest::keyClick(g, how.at(4).toLatin1());
        hub->getMainTabs()->setCurrentIndex(MainWidget::TabBoard);
    } else if (how == QLatin1String("dclick")) {
        hub->getMainTabs()->setCurrentIndex(MainWidget::TabGraph);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        hub->getMainTabs()->setCurrentIndex(MainWidget::TabBoard);
    } else {
        act("Show Graph Backup")->trigger();
        auto *b = hub->getBackupWindow()->findChild<QPushButton *>(how);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QCOMPARE(g->getNbNodes(), order);
    QCOMPARE(g->graphData().count(QLatin1Char('1')), size);
    // The board was evaluated on the new graph and every item on the screen shows it.
    QCOMPARE(shown(sizeItem), double(size));
    QCOMPARE(shown(orderItem), double(order));
    QVERIFY(boardIsUpToDate(board));
}

void TestHubRoutes::constantApplyIsShownAtOnce()
{
    MainWidget *hub = start();
    QVERIFY(hub);
    Problem *board = hub->getProblem();
    Calculus *constant = addItem(QStringLiteral("CONSTANT"), false);
    constant->setPos(0, 0);
    board->centerOn(0, 0);
    board->slot_refresh();
    QVERIFY(boardIsUpToDate(board));
    QCOMPARE(shown(constant), 0.0);

    // The user opens the item's editor by a double click, types 7 into its only cell, and applies.
    const QPoint at = board->mapFromScene(constant->scenePos());
    QTest::mouseDClick(board->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    CalculusDisplay *editor = constant->getCalculusDisplay();
    QTRY_VERIFY(editor->isVisible());
    auto *table = editor->findChild<QTableWidget *>();
    QVERIFY(table);
    table->item(0, 0)->setText(QStringLiteral("7"));
    QPushButton *apply = nullptr;
    for (QPushButton *b : editor->findChildren<QPushButton *>())
        if (b->text() == QLatin1String("Apply"))
            apply = b;
    QVERIFY(apply);
    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(shown(constant), 7.0);
    QVERIFY(boardIsUpToDate(board));
}

void TestHubRoutes::shuffleLeavesTheLastRelabelling()
{
    MainWidget *hub = start();
    QVERIFY(hub);
    Problem *board = hub->getProblem();
    Graph *g = hub->getGraph();
    Calculus *degrees = addItem(QStringLiteral("DEGREES"));
    Calculus *sizeItem = addItem(QStringLiteral("SIZE"));
    degrees->setPos(0, 0);
    sizeItem->setPos(0, 100);
    board->centerOn(0, 50);
    // Degrees 3, 2, 2, 2, 1, 1, 1: no two relabellings in a row need to agree.
    const QString original = QStringLiteral("7 101100000010100000100");
    QVERIFY(g->loadtsy(original, true));
    board->slot_refresh();
    QVERIFY(boardIsUpToDate(board));

    // The relabellings the command draws on the GUI thread, one after the other, from the same seed.
    Graph reference(QStringLiteral("reference"), false); // made first: a new graph draws its positions
    tsy_srand(2024);
    QVERIFY(reference.loadtsy(original, false));
    for (int i = 0; i < 100; ++i)
        reference.shuffle();
    const QString last = reference.currentGraphData();
    QVERIFY(last != original);

    tsy_srand(2024);
    hub->getToolBox()->setCurrentIndex(MainWidget::PageGraph);
    QString expected;
    for (int i = 0; i < 100; ++i)
        expected += QStringLiteral("i = %1\n%2 success.\n").arg(i).arg(i + 1);
    expected += QStringLiteral("ISO : 100 success.\n");
    CerrCapture err;
    QTest::mouseClick(hub->control<QPushButton>(QStringLiteral("shuffle")), Qt::LeftButton);
    QCOMPARE(err.text(), expected);

    // The working graph is the last relabelling, shown and published, and the board was evaluated
    // on it: the same size, the degrees in the new vertex order.
    QCOMPARE(g->graphData(), last);
    QCOMPARE(g->currentGraphData(), last);
    QVERIFY(isomorphic(original, last));
    QCOMPARE(degrees->getFirstCol(), degreesOf(last));
    QCOMPARE(shown(sizeItem), 6.0);
    QVERIFY(boardIsUpToDate(board));
}

void TestHubRoutes::haltKeyStopsTheSearch_data()
{
    QTest::addColumn<int>("tab");
    // Sent to the view itself, or where the keyboard focus went when the lock disabled the view
    // (the main window itself when nothing in it holds the focus).
    QTest::addColumn<bool>("toFocus");
    QTest::newRow("white board") << int(MainWidget::TabBoard) << false;
    QTest::newRow("graph view") << int(MainWidget::TabGraph) << false;
    QTest::newRow("white board tab, keyboard focus") << int(MainWidget::TabBoard) << true;
    QTest::newRow("graph tab, keyboard focus") << int(MainWidget::TabGraph) << true;
}

void TestHubRoutes::haltKeyStopsTheSearch()
{
    QFETCH(int, tab);
    QFETCH(bool, toFocus);
    MainWidget *hub = start();
    QVERIFY(hub);
    Problem *board = hub->getProblem();
    Graph *g = hub->getGraph();
    // Minimise the number of edges of a connected graph on 7 vertices, with no time limit.
    Calculus *sizeItem = addItem(QStringLiteral("SIZE"));
    BuildCalculus catalogue;
    Calculus *z = catalogue.makeCalculus(QStringLiteral("OBJECTIVE"), true);
    board->addZItem(z);
    board->link1(sizeItem, z);
    hub->control<QSpinBox>(QStringLiteral("order"))->setValue(7);
    hub->control<QSpinBox>(QStringLiteral("time"))->setValue(0);
    hub->getMainTabs()->setCurrentIndex(tab);
    QWidget *view = tab == MainWidget::TabBoard ? static_cast<QWidget *>(board) : g;
    // The user works in the main window on the view.
    QApplication::setActiveWindow(window);
    QTRY_COMPARE(QApplication::activeWindow(), window.data());
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());

    QSignalSpy lock(hub, &MainWidget::signal_opt_running);
    CerrCapture quiet;
    act("Run")->trigger();
    QTRY_COMPARE(lock.count(), 1);
    QVERIFY(!view->isEnabled());
    QWidget *target = view;
    if (toFocus) {
        target = QApplication::focusWidget() ? QApplication::focusWidget() : window.data();
        QVERIFY(target != view);
    }

    // The lock still holds for every other key: no zoom on the board, no edit of the graph.
    const qreal scale = board->transform().m11();
    QSignalSpy edits(g, &Graph::signal_best_graph_changed);
    for (Qt::Key key : {Qt::Key_Plus, Qt::Key_N, Qt::Key_C, Qt::Key_R})
        QTest::keyClick(target, key);
    QCOMPARE(board->transform().m11(), scale);
    QCOMPARE(edits.count(), 0);
    QCOMPARE(lock.count(), 1);

    QTest::keyClick(target, Qt::Key_H);
    QTRY_COMPARE_WITH_TIMEOUT(lock.count(), 2, 20000);
    QCOMPARE(lock.at(1).at(0).toBool(), false);
    QVERIFY(board->isEnabled() && g->isEnabled());
}

QTEST_MAIN(TestHubRoutes)
#include "tst_hubroutes.moc"
