#include "AnalystTestBoard.h"
#include "shell/ShellFixture.h"
#include "support/FileSizeLimit.h"

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/ConjectureEngine.h"
#include "analysts/ConjectureWidget.h"
#include "analysts/FilterWidget.h"
#include "analysts/PlotItem.h"
#include "analysts/PlotView.h"
#include "analysts/PlotWidget.h"
#include "graph/Graph.h"
#include "optimisation/DataLoader.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/MainWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGraphicsScene>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBox>
#include <QTreeWidget>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

// The analysts inside the real hub, driven through the inspector's Analyst page, the analyst tabs
// and the prompt: graph files loaded with "Load", tables rebuilt with "Update", exports through
// their buttons. The reference values of the graphs on 6 vertices come from networkx.
class TestAnalystHub : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void shrunkHeaderReachesPanelAndFilter();
    void loadKeepingNoGraph();
    void looselyWrittenListLoads();
    void failedSavesNameTheReason_data();
    void failedSavesNameTheReason();
    void vertexPlotFillsInSlices();

private:
    // Adds the component of the tree named keyword to the board, as a double-click does.
    Calculus *addComponent(const QString &keyword);
    // Writes the graph strings to a file and loads it with "Load" (type "tsy").
    void load(const QStringList &graphs);
    void click(const char *button);
    Analyst *table() const { return hub->getGraphAnalyst()->getAnalyst(); }
    FilterWidget *filter() const
    {
        return qobject_cast<FilterWidget *>(
            qobject_cast<QScrollArea *>(hub->getGraphAnalystTabs()->widget(0))->widget());
    }

    std::unique_ptr<IsolatedSettings> isolation;
    std::unique_ptr<BuildCalculus> catalogue;
    std::unique_ptr<MainWidget> hub;
    ShellPrompt prompt;
    QVector<ReferenceGraph> refs;
};

namespace
{
// The path on n vertices as a graph string (pairs (i, j), j < i, in row order).
QString path(int n)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += j == i - 1 ? '1' : '0';
    return QString::number(n) + ' ' + bits;
}
} // namespace

void TestAnalystHub::initTestCase()
{
    isolation = std::make_unique<IsolatedSettings>();
    catalogue = std::make_unique<BuildCalculus>();
    Prompt::install(&prompt);
    refs = readReferenceGraphs();
    QCOMPARE(refs.size(), 156);
}

void TestAnalystHub::init()
{
    CerrCapture quiet;
    prompt.titles.clear();
    prompt.texts.clear();
    hub = std::make_unique<MainWidget>(catalogue.get());
    hub->show();
    hub->getInspectorWindow()->show();
    hub->getMainTabs()->setCurrentIndex(MainWidget::TabGraphAnalyst);
    QCOMPARE(hub->getToolBox()->currentIndex(), int(MainWidget::PageAnalyst));
    // WIENER and the degree of every vertex, one column per vertex of the working graph.
    addComponent(QStringLiteral("WIENER"))->setInReport(true);
    Calculus *degrees = addComponent(QStringLiteral("DEGREES"));
    degrees->setInReport(true);
    degrees->setNodInReport(true);
}

void TestAnalystHub::cleanup()
{
    CerrCapture quiet;
    hub.reset();
}

Calculus *TestAnalystHub::addComponent(const QString &keyword)
{
    QTreeWidget *tree = hub->getComponentTree();
    QTreeWidgetItem *leaf = tree->findItems(keyword, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    if (!leaf)
        return nullptr;
    emit tree->itemDoubleClicked(leaf, 0);
    for (Calculus *c : hub->getProblem()->evaluationStack())
        if (c->name == keyword)
            return c;
    return nullptr;
}

void TestAnalystHub::click(const char *button)
{
    auto *b = hub->control<QPushButton>(QString::fromLatin1(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

void TestAnalystHub::load(const QStringList &graphs)
{
    const QString file = isolation->path() + QStringLiteral("/graphs.dtsy3");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QString &g : graphs)
        out.write(g.toLatin1() + '\n');
    out.close();
    hub->control<QRadioButton>(QStringLiteral("typeTsy"))->click();
    prompt.openFile = file;
    QSignalSpy done(hub->getGraphAnalyst(), &AnalystWidget::signal_data_loaded);
    click("loadData");
    QTRY_VERIFY_WITH_TIMEOUT(done.count() > 0 && !hub->getLoader()->isRunning(), 20000);
}

// A table built for a working graph on 9 vertices has 10 columns; the next tables, for graphs on
// 6 vertices, have 7 names but keep the 10 columns. The conjecture panel and the row filter must
// still see the 7 names and every row: no blank target, every row a data point, and a rule that
// the user ticked stays ticked and filters at every Update.
void TestAnalystHub::shrunkHeaderReachesPanelAndFilter()
{
    hub->control<QCheckBox>(QStringLiteral("filterMode"))->click();
    QVERIFY(!hub->getGraphAnalyst()->getFilterMode());
    QVERIFY(hub->getGraph()->loadtsy(path(9), true));
    click("update");
    QCOMPARE(table()->getDataTable()->columnCount(), 10);

    QStringList connected;
    QVector<QVector<double>> expectedRows; // WIENER, DEGREES[1..6] of every connected graph
    for (const ReferenceGraph &g : refs) {
        if (!g.connected)
            continue;
        connected << g.graphString;
        expectedRows << (QVector<double>{g.wiener} + g.degrees);
    }
    QCOMPARE(connected.size(), 112);
    QVERIFY(hub->getGraph()->loadtsy(path(6), true));
    load(connected);
    click("update");

    const QStringList names{"WIENER",     "DEGREES[1]", "DEGREES[2]", "DEGREES[3]",
                            "DEGREES[4]", "DEGREES[5]", "DEGREES[6]"};
    QCOMPARE(table()->nbGraphs(), 112);
    QCOMPARE(QSet<QString>(table()->getHeader().begin(), table()->getHeader().end()),
             QSet<QString>(names.begin(), names.end()));
    // The table keeps its 10 columns.
    QCOMPARE(table()->getDataTable()->columnCount(), 10);
    const int wiener = table()->getHeader().indexOf(QStringLiteral("WIENER"));

    // The panel's targets are the names, none blank.
    ConjectureWidget *panel = hub->getGraphConjectures();
    auto *target = panel->findChild<QComboBox *>();
    QStringList targets;
    for (int i = 0; i < target->count(); ++i)
        targets << target->itemText(i);
    QCOMPARE(targets, table()->getHeader());

    // A search gets every distinct row as a data point.
    QSet<QString> distinct;
    for (const QVector<double> &row : expectedRows) {
        QStringList text;
        for (double v : row)
            text << QString::number(v);
        distinct << text.join(' ');
    }
    QStringList headerAtStart;
    ConjectureEngine *engine = panel->getEngine();
    connect(
        engine, &QThread::started, engine, [&]() { headerAtStart = engine->getHeader(); },
        Qt::DirectConnection);
    engine->setTimeLimit(300);
    target->setCurrentText(QStringLiteral("WIENER"));
    hub->getGraphAnalystTabs()->setCurrentIndex(3);
    QPushButton *search = nullptr;
    for (QPushButton *b : panel->findChildren<QPushButton *>())
        if (b->text() == QLatin1String("Search"))
            search = b;
    QVERIFY(search);
    QString trace;
    {
        CerrCapture quiet;
        QTest::mouseClick(search, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isSearching(), 20000);
        trace = quiet.text();
    }
    QCOMPARE(headerAtStart, table()->getHeader());
    // The engine takes in the rows on its own thread and says how many it kept.
    QVERIFY2(trace.contains(QStringLiteral("data.size() = %1\n").arg(distinct.size())), qPrintable(trace));
    QVERIFY2(!panel->getConjectures().contains(QLatin1String("Not enough data points")),
             qPrintable(panel->getConjectures()));

    // The user ticks "WIENER <= 20" on the Filter tab.
    hub->getGraphAnalystTabs()->setCurrentIndex(0);
    FilterWidget *rules = filter();
    QVERIFY(rules);
    QCOMPARE(rules->getVariables(), table()->getHeader());
    rules->getUseBox(0)->click();
    QVERIFY(rules->getVariableCombo(0)->isEnabled());
    rules->getVariableCombo(0)->setCurrentIndex(wiener);
    rules->getRelationCombo(0)->setCurrentIndex(FilterWidget::AtMost);
    rules->getValueBox(0)->setValue(20);
    int kept = 0;
    for (const QVector<double> &row : expectedRows)
        kept += row[0] <= 20 ? 1 : 0;
    QVERIFY(kept > 0 && kept < 112);
    for (int update = 1; update <= 2; ++update) {
        click("update");
        QVERIFY2(rules->getUseBox(0)->isChecked(), qPrintable(QString::number(update)));
        QCOMPARE(table()->nbGraphs(), kept);
        for (int r = 0; r < table()->nbGraphs(); ++r)
            QVERIFY(table()->value(r, wiener) <= 20);
    }
}

// A load whose graphs all violate the constraints keeps none: the page bar is empty and reads
// "0 of 0" instead of running a busy animation.
void TestAnalystHub::loadKeepingNoGraph()
{
    QVERIFY(hub->getGraphAnalyst()->getFilterMode());
    QVERIFY(hub->getGraph()->loadtsy(path(6), true));
    QStringList disconnected;
    for (const ReferenceGraph &g : refs)
        if (!g.connected)
            disconnected << g.graphString;
    QVERIFY(!disconnected.isEmpty());
    load(disconnected);
    QCOMPARE(hub->getGraphAnalyst()->databaseSize(), 0);
    QCOMPARE(table()->nbGraphs(), 0);
    QProgressBar *bar = hub->getGraphAnalyst()->getProgressBar();
    QVERIFY(bar->maximum() > bar->minimum());
    QCOMPARE(bar->value(), bar->minimum());
    QCOMPARE(bar->text(), QStringLiteral("0 of 0"));

    // Rows again: the bar counts them.
    hub->control<QCheckBox>(QStringLiteral("filterMode"))->click();
    load(disconnected);
    QCOMPARE(table()->nbGraphs(), disconnected.size());
    QCOMPARE(bar->text(), QStringLiteral("0 of %1").arg(disconnected.size()));
}

// A graph list written by hand: every line whose order lies in 0..32 is a graph of the analyst.
void TestAnalystHub::looselyWrittenListLoads()
{
    hub->control<QCheckBox>(QStringLiteral("filterMode"))->click();
    load({"5", "3 1", "3 2x1", "abc 111", " 3 111", "3  101", "3 101 111", "33 1"});
    QCOMPARE(hub->getGraphAnalyst()->getGraphs(),
             QStringList({"5 0000000000", "3 100", "3 001", "0 ", "0 ", "3 000", "3 101"}));
    QCOMPARE(hub->getLoader()->invalidLines(), 1);
}

void TestAnalystHub::failedSavesNameTheReason_data()
{
    QTest::addColumn<QString>("button");  // "export": the graph's export dialog, which no button opens
    QTest::addColumn<QString>("message"); // how the warning begins
    QTest::addColumn<QString>("target");  // relative to a temporary folder; empty: the folder itself
    QTest::addColumn<bool>("sizeLimit");
    const QStringList saves[] = {{"saveDataG", "Failed to save data."},
                                 {"saveAllGraphs", "Failed to save graphs"},
                                 {"saveGraph", "Failed to save graph."},
                                 {"export", "Failed to export graph."},
                                 {"saveProblem", "Failed to save data."}};
    for (const QStringList &save : saves) {
        const QString &b = save[0];
        QTest::newRow(qPrintable(b + ", a folder")) << b << save[1] << QString() << false;
        QTest::newRow(qPrintable(b + ", a missing folder"))
            << b << save[1] << QStringLiteral("missing/out.txt") << false;
        QTest::newRow(qPrintable(b + ", a size limit")) << b << save[1] << QStringLiteral("out.txt") << true;
    }
}

// A save that fails names the file and the reason that the file system gave, and an earlier file
// of that name is left as it was. A size limit on the process makes writes fail for any user; the
// write is then cut short after the first bytes, which leaves the file device with no reason of
// its own.
void TestAnalystHub::failedSavesNameTheReason()
{
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, target);
    QFETCH(bool, sizeLimit);
    hub->control<QCheckBox>(QStringLiteral("filterMode"))->click();
    QVERIFY(hub->getGraph()->loadtsy(path(6), true));
    QStringList graphs;
    for (const ReferenceGraph &g : refs)
        graphs << g.graphString;
    load(graphs);
    QCOMPARE(table()->nbGraphs(), 156);

    QTemporaryDir dir;
    const QString file = target.isEmpty() ? dir.path() : dir.filePath(target);
    const QByteArray old = "an earlier file\n";
    // What the file system answers for this target, found independently of the saves.
    QString reason = QString::fromLocal8Bit(std::strerror(EFBIG));
    if (sizeLimit) {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write(old);
    } else {
        QSaveFile probe(file);
        QVERIFY(!probe.open(QIODevice::WriteOnly));
        reason = probe.errorString();
    }
    prompt.saveFile = file;
    const int before = prompt.texts.size();
    {
        CerrCapture quiet;
        std::optional<FileSizeLimit> limit;
        if (sizeLimit)
            limit.emplace(16); // less than any of the files
        if (button == QLatin1String("export"))
            hub->getGraph()->slot_export_graph();
        else
            click(qPrintable(button));
    }
    QCOMPARE(prompt.texts.size(), before + 2); // the file dialog, then the warning
    const QString shown = prompt.texts.last();
    QVERIFY2(shown.startsWith(message + QLatin1Char('\n')), qPrintable(shown));
    QVERIFY2(shown.contains(file + QStringLiteral(": ")), qPrintable(shown));
    QVERIFY2(shown.contains(reason), qPrintable(shown + " / " + reason));
    if (sizeLimit) {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});
    }
}

// The Vertex-Analyst's X-Y plot of some 54,000 vertex rows (the connected graphs on 6 vertices,
// 80 times over), driven through the X and Y choices and the y scale of its tab: it fills in
// slices from the event loop and ends with one point per row, at the row's degree and Wiener
// index (networkx), numbered with the row's graph, in row order. Emptying the choice or changing
// a setting while it fills leaves exactly the points of the last choice, in the plot and in its
// scene, however long the event loop runs afterwards.
void TestAnalystHub::vertexPlotFillsInSlices()
{
    QVector<const ReferenceGraph *> graphs;
    QStringList strings;
    for (int copy = 0; copy < 80; ++copy)
        for (const ReferenceGraph &g : refs)
            if (g.connected) {
                graphs << &g;
                strings << g.graphString;
            }
    hub->control<QCheckBox>(QStringLiteral("filterMode"))->click();
    QVERIFY(hub->getGraph()->loadtsy(path(6), true));
    load(strings);
    Analyst *rows = hub->getVertexAnalyst()->getAnalyst();
    // The Vertex-Analyst updates after the Graph-Analyst.
    QTRY_COMPARE_WITH_TIMEOUT(rows->nbGraphs(), graphs.size() * 6, 20000);
    QTRY_VERIFY(!hub->getVertexAnalyst()->isUpdating());
    QVERIFY(rows->nbGraphs() > 3 * PlotView::GroupSize);

    hub->getMainTabs()->setCurrentIndex(MainWidget::TabVertexAnalyst);
    QTabWidget *tabs = hub->getVertexAnalystTabs();
    tabs->setCurrentIndex(2);
    auto *x = hub->findChild<QComboBox *>(QStringLiteral("vertexAnalystTabsX"));
    auto *y = hub->findChild<QComboBox *>(QStringLiteral("vertexAnalystTabsY"));
    auto *yScale = hub->findChild<QDoubleSpinBox *>(QStringLiteral("vertexAnalystTabsYScale"));
    QVERIFY(x && y && yScale);
    const int degree = x->findText(QStringLiteral("DEGREES"));
    const int wiener = y->findText(QStringLiteral("WIENER"));
    QVERIFY(degree > 0 && wiener > 0);
    PlotWidget *plot = hub->getVertexPlot();

    // Every point in row order: the vertex's degree times the x scale across, the graph's Wiener
    // index times the y scale up, the graph's database index as its number; and nothing else in
    // the scene.
    const auto checkPoints = [&](double sy) {
        const QVector<PlotItem *> &points = plot->plotItems();
        QCOMPARE(points.size(), graphs.size() * 6);
        for (int g = 0; g < graphs.size(); ++g) {
            for (int v = 0; v < 6; ++v) {
                const PlotItem *p = points[6 * g + v];
                QCOMPARE(p->getNumber(), g);
                QCOMPARE(p->scenePos(), QPointF(graphs[g]->degrees[v] * 10.0, -graphs[g]->wiener * sy));
            }
        }
        int inScene = 0;
        for (QGraphicsItem *item : plot->getView()->QGraphicsView::scene()->items())
            inScene += dynamic_cast<PlotItem *>(item) != nullptr;
        QCOMPARE(inScene, points.size());
    };

    // The first slice comes at once, the rest from the event loop.
    x->setCurrentIndex(degree);
    y->setCurrentIndex(wiener);
    QVERIFY(plot->isFilling());
    QVERIFY(!plot->plotItems().isEmpty());
    QVERIFY(plot->plotItems().size() < rows->nbGraphs());
    QTRY_VERIFY_WITH_TIMEOUT(!plot->isFilling(), 60000);
    checkPoints(10.0);

    // Emptying a choice during a fill: no point stays, and none comes later.
    y->setCurrentIndex(0);
    y->setCurrentIndex(wiener);
    QVERIFY(plot->isFilling());
    x->setCurrentIndex(0);
    QVERIFY(!plot->isFilling());
    QVERIFY(plot->plotItems().isEmpty());
    QTest::qWait(300);
    QVERIFY(plot->plotItems().isEmpty());
    int left = 0;
    for (QGraphicsItem *item : plot->getView()->QGraphicsView::scene()->items())
        left += dynamic_cast<PlotItem *>(item) != nullptr;
    QCOMPARE(left, 0);

    // A new setting during a fill: only the new points, complete.
    x->setCurrentIndex(degree);
    QVERIFY(plot->isFilling());
    QTest::qWait(1);
    yScale->setValue(3.0);
    QTRY_VERIFY_WITH_TIMEOUT(!plot->isFilling(), 60000);
    checkPoints(3.0);
    // The emptied plots' points are all deleted in the end.
    QTRY_VERIFY_WITH_TIMEOUT(!plot->getView()->isDisposing(), 60000);
}

QTEST_MAIN(TestAnalystHub)
#include "tst_analysthub.moc"
