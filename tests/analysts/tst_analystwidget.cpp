#include "AnalystTestBoard.h"
#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "analysts/FilterWidget.h"
#include "graph/Graph.h"
#include "optimisation/DataLoader.h"
#include "problem/Problem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>

// The analyst tab on every graph on 6 vertices (nauty-geng), against values from networkx and
// numpy: rows, pages, statistics and the row filter against a plain loop over the reference;
// exports read back; the database operations; the guards around loads and long updates.
class TestAnalystWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void update_data();
    void update();
    void exportsReadBack();
    void pdfDrawings();
    void exportDialogs_data();
    void exportDialogs();
    void updateLeavesUserGraph();
    void databaseOperations();
    void haltKeepsRowsFound_data();
    void haltKeepsRowsFound();
    void waitsForLoad();

private:
    struct Tab {
        explicit Tab(bool vertexMode, DataLoader *loader = nullptr)
            : analyst(new Analyst), widget(&board.problem, &board.graph, analyst, loader, &filter, vertexMode)
        {
        }
        AnalystTestBoard board;
        FilterWidget filter;
        Analyst *analyst;
        AnalystWidget widget;
    };
    struct Expected {
        QVector<QVector<double>> rows;
        QVector<int> index;
        QVector<int> accepted;
    };
    static QString database(const QVector<ReferenceGraph> &graphs, QVector<int> indices = {});
    Expected plainLoop(const QStringList &header, bool vertexMode, bool filterMode,
                       const QString &rule) const;
    static bool passes(double v, const QString &relation, double c);
    static void setRule(Tab &t, const QString &rule);
    static void fill(Tab &t, const QVector<ReferenceGraph> &graphs);
    static int pdfPages(const QString &path);

    QVector<ReferenceGraph> refs;
    QTemporaryDir dir;
};

namespace
{

bool close(double a, double b, double relative)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::fabs(a - b) <= relative * (1.0 + std::fabs(b));
}

} // namespace

void TestAnalystWidget::initTestCase()
{
    refs = readReferenceGraphs();
    QCOMPARE(refs.size(), 156); // every graph on 6 vertices
    QVERIFY(dir.isValid());
}

// Puts the graphs into the tab's database the way the loader hands them over.
void TestAnalystWidget::fill(Tab &t, const QVector<ReferenceGraph> &graphs)
{
    for (const ReferenceGraph &g : graphs)
        t.widget.addGraph(g.graphString);
}

// "NAME REL VALUE" on one column, e.g. "WIENER <= 30"; empty for none.
void TestAnalystWidget::setRule(Tab &t, const QString &rule)
{
    if (rule.isEmpty())
        return;
    const QStringList p = rule.split(QLatin1Char(' '));
    const int column = t.filter.getVariables().indexOf(p[0]);
    QVERIFY2(column >= 0, qPrintable(p[0]));
    const auto relation = p[1] == "<="   ? FilterWidget::AtMost
                          : p[1] == "==" ? FilterWidget::Equal
                                         : FilterWidget::AtLeast;
    QVERIFY(t.filter.setRule(0, true, column, relation, p[2].toDouble()));
}

bool TestAnalystWidget::passes(double v, const QString &relation, double c)
{
    // A row fails only on a comparison that holds, so a value that is not a number passes.
    if (relation == "<=")
        return !(v >= c + 1e-6);
    if (relation == "==")
        return !(std::fabs(v - c) > 1e-6);
    return !(c - 1e-6 >= v);
}

// What the analyst should hold, computed from the reference values alone.
TestAnalystWidget::Expected TestAnalystWidget::plainLoop(const QStringList &header, bool vertexMode,
                                                         bool filterMode, const QString &rule) const
{
    Expected e;
    const QStringList p = rule.split(QLatin1Char(' '));
    const int ruleColumn = rule.isEmpty() ? -1 : header.indexOf(p[0]);
    for (int i = 0; i < refs.size(); ++i) {
        const ReferenceGraph &g = refs[i];
        if (filterMode && !g.connected)
            continue;
        e.accepted << i;
        const int rowsOfGraph = vertexMode ? 6 : 1;
        for (int v = 1; v <= rowsOfGraph; ++v) {
            QVector<double> row;
            for (const QString &name : header) {
                double x = 0;
                row << (referenceValue(g, name, vertexMode ? v : 0, x) ? x : std::nan(""));
            }
            if (ruleColumn >= 0 && !passes(row[ruleColumn], p[1], p[2].toDouble()))
                continue;
            e.rows << row;
            e.index << i;
        }
    }
    return e;
}

void TestAnalystWidget::update_data()
{
    QTest::addColumn<bool>("vertexMode");
    QTest::addColumn<bool>("filterMode");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<int>("columns");
    QTest::newRow("graphs, connected only") << false << true << "" << 9;
    QTest::newRow("graphs, every graph") << false << false << "" << 9;
    QTest::newRow("graphs, Wiener at most 30") << false << true << "WIENER <= 30" << 9;
    QTest::newRow("graphs, largest eigenvalue at least 2.5") << false << false << "MAX >= 2.5" << 9;
    QTest::newRow("graphs, first degree exactly 3") << false << true << "DEGREES[1] == 3" << 9;
    QTest::newRow("vertices, connected only") << true << true << "" << 4;
    QTest::newRow("vertices, degree at least 4") << true << false << "DEGREES >= 4" << 4;
    QTest::newRow("vertices, Randic at most 2.4") << true << true << "RANDIC <= 2.4" << 4;
}

void TestAnalystWidget::update()
{
    QFETCH(bool, vertexMode);
    QFETCH(bool, filterMode);
    QFETCH(QString, rule);
    QFETCH(int, columns);

    Tab t(vertexMode);
    t.widget.slot_set_filter_mode(filterMode);
    fill(t, refs);
    setRule(t, rule);
    QSignalSpy loaded(&t.widget, &AnalystWidget::signal_data_loaded);
    t.widget.slot_update_table();
    QCOMPARE(loaded.size(), 1);

    const QStringList header = t.analyst->getHeader();
    QCOMPARE(header.size(), columns);
    QCOMPARE(t.filter.getVariables(), header);
    const Expected e = plainLoop(header, vertexMode, filterMode, rule);
    QVERIFY(!e.rows.isEmpty());
    QCOMPARE(t.widget.getAccepted(), e.accepted);
    QCOMPARE(t.analyst->nbGraphs(), e.rows.size());
    QCOMPARE(t.analyst->getGraphsRef(), e.index);
    for (int r = 0; r < e.rows.size(); ++r)
        for (int c = 0; c < columns; ++c)
            if (!std::isnan(e.rows[r][c]))
                QVERIFY2(close(t.analyst->value(r, c), e.rows[r][c], 1e-9),
                         qPrintable(QStringLiteral("row %1 column %2").arg(r).arg(header[c])));

    // Statistics over every row, from the same loop.
    for (int c = 0; c < columns; ++c) {
        double lo = INFINITY, hi = -INFINITY, sum = 0;
        bool known = true;
        for (const QVector<double> &row : e.rows) {
            known = known && !std::isnan(row[c]);
            lo = std::min(lo, row[c]);
            hi = std::max(hi, row[c]);
            sum += row[c];
        }
        if (!known)
            continue;
        QVERIFY(close(t.analyst->getMinimum()[c], lo, 1e-9));
        QVERIFY(close(t.analyst->getMaximum()[c], hi, 1e-9));
        QVERIFY(close(t.analyst->getMean()[c], sum / e.rows.size(), 1e-9));
        QVERIFY(close(t.analyst->getStatsTable()->item(2, c)->text().toDouble(), sum / e.rows.size(), 1e-5));
    }

    // Pages of 100 through the Next button: row headers and shown values.
    QTableWidget *table = t.analyst->getDataTable();
    const int pages = (e.rows.size() + 99) / 100;
    for (int page = 0; page < pages; ++page) {
        QCOMPARE(t.widget.getProgressBar()->value(), page * 100);
        QCOMPARE(t.widget.getNextButton()->isEnabled(), page + 1 < pages);
        QCOMPARE(t.widget.getPrevButton()->isEnabled(), page > 0);
        for (int line = 0; line < 100; ++line) {
            const int r = page * 100 + line;
            const QString head = table->verticalHeaderItem(line)->text();
            if (r >= e.rows.size()) {
                QCOMPARE(head, QString());
                QCOMPARE(table->item(line, 0)->text(), QString());
                continue;
            }
            QCOMPARE(head, QString::number(e.index[r] + 1));
            for (int c = 0; c < columns; ++c)
                if (!std::isnan(e.rows[r][c]))
                    QVERIFY(close(table->item(line, c)->text().toDouble(), e.rows[r][c], 1e-5));
        }
        if (page + 1 < pages)
            QTest::mouseClick(t.widget.getNextButton(), Qt::LeftButton);
    }
    QCOMPARE(t.widget.getProgressBar()->maximum(), e.rows.size());
    if (pages > 1) {
        QTest::mouseClick(t.widget.getPrevButton(), Qt::LeftButton);
        QCOMPARE(t.widget.getProgressBar()->value(), (pages - 2) * 100);
        QCOMPARE(table->verticalHeaderItem(99)->text(), QString::number(e.index[(pages - 2) * 100 + 99] + 1));
    }
}

QString TestAnalystWidget::database(const QVector<ReferenceGraph> &graphs, QVector<int> indices)
{
    if (indices.isEmpty())
        for (int i = 0; i < graphs.size(); ++i)
            indices << i;
    QString text;
    for (int i : indices)
        text += graphs[i].graphString + QLatin1Char('\n');
    return text;
}

void TestAnalystWidget::exportsReadBack()
{
    AnsweringPrompt prompt;
    DataLoader loader(nullptr, nullptr, nullptr);
    Tab t(false, &loader);
    fill(t, refs);
    setRule(t, "WIENER <= 30");
    t.widget.slot_update_table();
    const Expected e = plainLoop(t.analyst->getHeader(), false, true, "WIENER <= 30");
    QCOMPARE(t.analyst->nbGraphs(), e.rows.size());

    // The table as text: the header, then every row (not only the page shown), 6 digits.
    const QString text = dir.filePath("results.txt");
    prompt.fileAnswers << text;
    t.widget.slot_save_data();
    QFile f(text);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), e.rows.size() + 2); // the last line end leaves an empty part
    QCOMPARE(lines.first().split(QLatin1Char('\t')), t.analyst->getHeader());
    for (int r = 0; r < e.rows.size(); ++r) {
        const QStringList fields = lines[r + 1].split(QLatin1Char('\t'));
        QCOMPARE(fields.size(), e.rows[r].size());
        for (int c = 0; c < fields.size(); ++c)
            QVERIFY(close(fields[c].toDouble(), e.rows[r][c], 1e-5));
    }

    // Every graph, and the graphs with rows, as graph lists.
    const QString all = dir.filePath("all.dtsy3");
    const QString used = dir.filePath("used.dtsy3");
    prompt.fileAnswers << all << used;
    t.widget.slot_save_graphs();
    t.widget.slot_save_used_graphs();
    QVERIFY(prompt.messages.isEmpty());
    QFile fa(all), fu(used);
    QVERIFY(fa.open(QIODevice::ReadOnly) && fu.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(fa.readAll()), database(refs));
    QVector<int> usedIndices = e.index; // one row per graph here
    QCOMPARE(QString::fromLatin1(fu.readAll()), database(refs, usedIndices));

    // The list reads back through the loader into the same database.
    Tab back(false, &loader);
    back.widget.slot_set_filter_mode(false);
    back.widget.slot_set_type_tsy();
    prompt.fileAnswers << all;
    back.widget.slot_load_data();
    QVERIFY(loader.wait(60000));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(back.widget.getGraphs(), t.widget.getGraphs());
    QCOMPARE(back.widget.databaseSize(), 156);
}

int TestAnalystWidget::pdfPages(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    for (const QString &line : QString::fromLatin1(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

void TestAnalystWidget::pdfDrawings()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("pdfinfo (poppler-utils) is not installed");
    AnsweringPrompt prompt;
    Tab t(false);
    t.widget.slot_set_filter_mode(false);
    // Orders 6, 2, 1, 0 and the Petersen graph: small graphs are drawn too.
    const QStringList graphs = {refs[100].graphString, QStringLiteral("2 1"), QStringLiteral("1 "),
                                QStringLiteral("0 "),
                                QStringLiteral("10 101001100110000010000001001000010110000010110")};
    for (const QString &g : graphs)
        t.widget.addGraph(g);
    QCOMPARE(t.widget.databaseSize(), 5);
    QDir out(dir.filePath("pdf"));
    QVERIFY(out.mkpath("."));
    prompt.fileAnswers << out.filePath("graph.set.pdf");
    const QString userGraph = t.board.graph.graphData();
    t.widget.slot_save_graphs_pdf();
    QVERIFY(prompt.messages.isEmpty());
    QCOMPARE(out.entryList(QDir::Files, QDir::Name),
             QStringList({"graph1.pdf", "graph2.pdf", "graph3.pdf", "graph4.pdf", "graph5.pdf"}));
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(pdfPages(out.filePath(QStringLiteral("graph%1.pdf").arg(k))), 1);
    // The drawings are made aside: the user's graph is as it was.
    QCOMPARE(t.board.graph.graphData(), userGraph);

    // Only the graphs with rows, numbered without gaps: the per-vertex columns follow the user's
    // graph of order 6, so only the first database graph has rows of full length.
    QDir used(dir.filePath("pdfused"));
    QVERIFY(used.mkpath("."));
    prompt.fileAnswers << used.filePath("u.pdf");
    t.widget.slot_save_used_graphs_pdf();
    QCOMPARE(used.entryList(QDir::Files, QDir::Name), QStringList({"u1.pdf"}));
}

// Each export: a cancelled dialog writes nothing and says nothing; a file that cannot be written
// gives its warning.
void TestAnalystWidget::exportDialogs_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("warning");
    for (const char *slot : {"slot_save_data", "slot_save_graphs", "slot_save_used_graphs",
                             "slot_save_graphs_pdf", "slot_save_used_graphs_pdf"}) {
        const QString s = QString::fromLatin1(slot);
        QTest::newRow(qPrintable(s + " cancelled")) << s << true << QString();
        QTest::newRow(qPrintable(s + " unwritable"))
            << s << false
            << (s == "slot_save_data" ? QStringLiteral("Warning|Failed to save data.")
                                      : QStringLiteral("Save failed|Failed to save graphs"));
    }
}

void TestAnalystWidget::exportDialogs()
{
    QFETCH(QString, slot);
    QFETCH(bool, cancel);
    QFETCH(QString, warning);
    AnsweringPrompt prompt;
    Tab t(false);
    fill(t, refs.mid(150));
    QTemporaryDir here;
    prompt.fileAnswers << (cancel ? QString() : here.filePath("missing/folder/out.pdf"));
    QVERIFY(QMetaObject::invokeMethod(&t.widget, qPrintable(slot)));
    QCOMPARE(prompt.dialogCaptions.size(), 1);
    QCOMPARE(prompt.messages.size(), cancel ? 0 : 1);
    if (!cancel)
        QVERIFY2(prompt.messages.first().startsWith(warning), qPrintable(prompt.messages.first()));
    QCOMPARE(QDir(here.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestAnalystWidget::updateLeavesUserGraph()
{
    Tab t(false);
    t.widget.slot_set_filter_mode(false);
    const QString before = t.board.graph.currentGraphData();
    const qint64 stamp = t.board.graph.getID();
    t.widget.addGraph(refs[120].graphString);
    t.widget.addGraph(QStringLiteral("6 01x")); // a short field is still a graph
    t.widget.addGraph(QStringLiteral("40 1"));
    t.widget.addGraph(refs[130].graphString);
    // An order beyond 32 gets no row: nothing of a neighbour's values is reported for it.
    QCOMPARE(t.widget.getAccepted(), QVector<int>({0, 1, 3}));
    QCOMPARE(t.analyst->getGraphsRef(), QVector<int>({0, 1, 3}));
    QCOMPARE(t.widget.invalidEntries(), 1);
    QCOMPARE(t.board.graph.currentGraphData(), before);
    QCOMPARE(t.board.graph.getID(), stamp);
}

void TestAnalystWidget::databaseOperations()
{
    AnsweringPrompt prompt;
    Tab t(false);
    t.widget.slot_set_filter_mode(false);
    QSignalSpy console(&t.widget, &AnalystWidget::signal_console);
    fill(t, refs.mid(10, 5)); // database indices 0..4 are reference graphs 10..14
    QCOMPARE(console.last().at(0).toString(), QStringLiteral("5 graphs in analyst"));
    QCOMPARE(console.last().at(2).toInt(), 3);

    // Delete database graph 2: 3 and 4 move down, the table follows.
    QVERIFY(t.widget.deleteGraph(2));
    QVERIFY(!t.widget.deleteGraph(4));
    QCOMPARE(t.widget.getGraphs(), QStringList({refs[10].graphString, refs[11].graphString,
                                                refs[13].graphString, refs[14].graphString}));
    QCOMPARE(t.analyst->getGraphsRef(), QVector<int>({0, 1, 2, 3}));
    QVERIFY(close(t.analyst->value(2, t.analyst->getHeader().indexOf("RANDIC")), refs[13].randic, 1e-9));

    // Replace in place, or append when out of range.
    QVERIFY(t.widget.replaceGraph(refs[50].graphString, 1));
    QVERIFY(!t.widget.replaceGraph(refs[60].graphString, -1));
    QCOMPARE(t.widget.getGraphs().mid(1), QStringList({refs[50].graphString, refs[13].graphString,
                                                       refs[14].graphString, refs[60].graphString}));

    // Loading a database graph into the user's graph; past the end loads nothing but publishes.
    QSignalSpy place(&t.widget, &AnalystWidget::signal_place_graph);
    t.widget.slot_load_graph(1);
    QCOMPARE(t.board.graph.graphData(), refs[50].graphString);
    t.widget.slot_load_graph(99);
    QCOMPARE(t.board.graph.graphData(), refs[50].graphString);
    QCOMPARE(place.size(), 2);
    // Space: the next graph, and after the last the first.
    t.widget.slot_load_graph(4);
    t.widget.slot_next_graph();
    QCOMPARE(t.widget.getCurrent(), 0);
    QCOMPARE(t.board.graph.graphData(), refs[10].graphString);

    // Delete the graph of the current row after the question; No keeps it.
    t.analyst->getDataTable()->setCurrentCell(3, 0);
    prompt.yes = false;
    t.widget.slot_delete();
    QCOMPARE(t.widget.databaseSize(), 5);
    prompt.yes = true;
    t.widget.slot_delete();
    QCOMPARE(t.widget.databaseSize(), 4);
    QVERIFY(!t.widget.getGraphs().contains(refs[14].graphString));
    QCOMPARE(prompt.messages.last(),
             QStringLiteral("Question|Do you want to delete current graph in Analyst?"));

    // Clear: cleared before loaded.
    QStringList order;
    connect(&t.widget, &AnalystWidget::signal_aw_cleared, [&]() { order << "cleared"; });
    connect(&t.widget, &AnalystWidget::signal_data_loaded, [&]() { order << "loaded"; });
    t.widget.slot_clear();
    QCOMPARE(order, QStringList({"cleared", "loaded"}));
    QCOMPARE(t.widget.databaseSize(), 0);
    QCOMPARE(t.analyst->nbGraphs(), 0);

    // Filter on: a graph that is not connected violates the problem, gets no row and is not
    // accepted, so loading it loads nothing; the user's graph is still published.
    t.widget.slot_set_filter_mode(true);
    int disconnected = 0;
    while (refs[disconnected].connected)
        ++disconnected;
    t.widget.addGraph(refs[disconnected].graphString);
    QVERIFY(t.widget.getAccepted().isEmpty());
    const QString before = t.board.graph.graphData();
    QVERIFY(before != refs[disconnected].graphString);
    const int placed = place.size();
    t.widget.slot_load_graph(0);
    QCOMPARE(t.board.graph.graphData(), before);
    QCOMPARE(place.size(), placed + 1);
    // Nor is it replaced or deleted: a replacement is appended.
    QVERIFY(!t.widget.deleteGraph(0));
    QVERIFY(!t.widget.replaceGraph(refs[20].graphString, 0));
    QCOMPARE(t.widget.getGraphs(), QStringList({refs[disconnected].graphString, refs[20].graphString}));

    // The loader's messages reach the console in green, at level 0.
    t.widget.slot_console(QStringLiteral("0/1 graphs loaded."));
    QCOMPARE(console.last().at(0).toString(), QStringLiteral("0/1 graphs loaded."));
    QCOMPARE(console.last().at(1).toBool(), false);
    QCOMPARE(console.last().at(2).toInt(), 0);
    QCOMPARE(console.last().at(3).value<QColor>(), QColor(Qt::green));
}

// Halt through the slot (the main window's Halt) or through the progress dialog's Cancel.
void TestAnalystWidget::haltKeepsRowsFound_data()
{
    QTest::addColumn<bool>("throughDialog");
    QTest::addColumn<int>("copies");
    QTest::newRow("Halt") << false << 400;
    QTest::newRow("Cancel of the progress dialog") << true << 2000;
}

void TestAnalystWidget::haltKeepsRowsFound()
{
    QFETCH(bool, throughDialog);
    QFETCH(int, copies);
    AnsweringPrompt prompt;
    prompt.cancelProgressAt = throughDialog ? 0 : -1;
    DataLoader loader(nullptr, nullptr, nullptr);
    Tab t(false, &loader);
    t.widget.slot_set_filter_mode(false);
    QVector<QString> strings;
    for (int k = 0; k < copies; ++k)
        for (const ReferenceGraph &g : refs)
            strings << g.graphString;
    QSignalSpy loaded(&t.widget, &AnalystWidget::signal_data_loaded);
    QSignalSpy console(&t.widget, &AnalystWidget::signal_console);
    // Halt arrives through the event loop that the update keeps alive.
    if (!throughDialog)
        QTimer::singleShot(0, &t.widget, &AnalystWidget::slot_halt);
    loader.addGraphs(strings);
    QCOMPARE(loaded.size(), 1);
    QVERIFY(!t.widget.isUpdating());
    QCOMPARE(t.widget.databaseSize(), strings.size());
    QVERIFY(t.analyst->nbGraphs() > 0);
    QVERIFY(t.analyst->nbGraphs() < strings.size());
    QVERIFY(console.last().at(0).toString().startsWith("Analyst update halted"));
    QCOMPARE(prompt.lastProgress != nullptr, throughDialog);
    // Rows found before the halt are right.
    const int r = t.analyst->nbGraphs() - 1;
    QVERIFY(close(t.analyst->value(r, t.analyst->getHeader().indexOf("RANDIC")),
                  refs[t.analyst->vertex(r) % refs.size()].randic, 1e-9));
}

void TestAnalystWidget::waitsForLoad()
{
    // A file long enough that the load is still running right after its start.
    QString text;
    for (int k = 0; k < 200; ++k)
        text += database(refs);
    const QString path = dir.filePath("long.dtsy3");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toLatin1());
    f.close();

    Graph loaderGraph(QStringLiteral("l"), false);
    Problem loaderProblem(&loaderGraph, QStringLiteral("l"), false);
    DataLoader loader(&loaderProblem, &loaderGraph, nullptr);
    loader.setDataType(QStringLiteral("tsy"));
    loader.setFilter(false);
    Tab t(false, &loader);
    t.widget.slot_set_filter_mode(false);
    fill(t, refs.mid(0, 3));
    QSignalSpy loaded(&t.widget, &AnalystWidget::signal_data_loaded);
    QVERIFY(loader.setFilename(path));
    loader.start();
    const QString userGraph = t.board.graph.graphData();
    t.widget.slot_load_graph(1);
    t.widget.slot_update_table();
    QCOMPARE(t.board.graph.graphData(), userGraph);
    QCOMPARE(loaded.size(), 0);
    QVERIFY(loaded.wait(60000));
    QTRY_VERIFY(!loader.isRunning());
    QCOMPARE(t.widget.databaseSize(), 200 * 156);
}

QTEST_MAIN(TestAnalystWidget)
#include "tst_analystwidget.moc"
