#include "ShellFixture.h"

#include "analysts/Analyst.h"
#include "analysts/AnalystWidget.h"
#include "graph/Graph.h"
#include "problem/Calculus.h"
#include "problem/Problem.h"
#include "shell/Console.h"
#include "shell/MainWidget.h"
#include "shell/MainWindow.h"
#include "shell/PreferenceWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QToolBox>
#include <QTreeWidget>
#include <QtMath>

#include <memory>

namespace
{
// Graph string of the graph on n vertices whose edges are the pairs of edges.
QString graphString(int n, const QVector<QPair<int, int>> &edges)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += edges.contains({i, j}) || edges.contains({j, i}) ? '1' : '0';
    return QString::number(n) + ' ' + bits;
}
} // namespace

// The program as a researcher uses it: the example problem of the README, its order and time
// limit set on the inspector, a run watched on the console, the best graph read back.
class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exampleValues_data();
    void exampleValues();
    void runTheExample();
    void buildTheExampleByHand();

private:
    void start();
    bool openExample();
    QAction *act(const char *text) { return window->action(QString::fromLatin1(text)); }

    std::unique_ptr<IsolatedSettings> isolation;
    ShellPrompt prompt;
    QPointer<MainWindow> window;
};

void TestEndToEnd::initTestCase()
{
    isolation = std::make_unique<IsolatedSettings>();
    Prompt::install(&prompt);
}

void TestEndToEnd::start()
{
    CerrCapture quiet;
    window = new MainWindow;
    window->show();
}

bool TestEndToEnd::openExample()
{
    QFile f(exampleProblemPath());
    if (!f.open(QIODevice::ReadOnly))
        return false;
    CerrCapture quiet;
    return window->hub()->getProblem()->openString(QString::fromLatin1(f.readAll()));
}

void TestEndToEnd::exampleValues_data()
{
    // lambda1 of the adjacency matrix minus the average degree 2m/n, in closed form.
    QTest::addColumn<QString>("graph");
    QTest::addColumn<double>("expected");
    QVector<QPair<int, int>> star, path, cycle, complete;
    for (int i = 1; i < 9; ++i) {
        star << qMakePair(0, i);
        path << qMakePair(i - 1, i);
        cycle << qMakePair(i - 1, i);
    }
    cycle << qMakePair(8, 0);
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < i; ++j)
            complete << qMakePair(i, j);
    QTest::newRow("star K1,8") << graphString(9, star) << qSqrt(8.0) - 16.0 / 9.0;
    QTest::newRow("path P9") << graphString(9, path) << 2.0 * qCos(M_PI / 10.0) - 16.0 / 9.0;
    QTest::newRow("cycle C9") << graphString(9, cycle) << 0.0;
    QTest::newRow("complete K9") << graphString(9, complete) << 0.0;
}

void TestEndToEnd::exampleValues()
{
    QFETCH(QString, graph);
    QFETCH(double, expected);
    start();
    QVERIFY(openExample());
    MainWidget *hub = window->hub();
    QCOMPARE(hub->control<QLineEdit>(QStringLiteral("title"))->text(),
             QStringLiteral("Largest adjacency eigenvalue minus average degree"));
    QVERIFY(hub->getGraph()->loadtsy(graph, true));
    Calculus *difference = hub->getProblem()->evaluationStack().last();
    QCOMPARE(difference->name, QStringLiteral("-"));
    QVERIFY(qAbs(difference->getValue(1) - expected) < 1e-6);
    delete window;
}

void TestEndToEnd::runTheExample()
{
    start();
    MainWidget *hub = window->hub();
    prompt.openFile = exampleProblemPath();
    act("&Open Problem")->trigger();
    QCOMPARE(hub->control<QLineEdit>(QStringLiteral("title"))->text(),
             QStringLiteral("Largest adjacency eigenvalue minus average degree"));
    hub->getInspectorWindow()->show();
    hub->control<QSpinBox>(QStringLiteral("order"))->setValue(9);
    hub->control<QSpinBox>(QStringLiteral("time"))->setValue(3);
    hub->getConsole()->verbosityBox()->setValue(1);

    QSignalSpy lock(hub, &MainWidget::signal_opt_running);
    CerrCapture err;
    act("Run")->trigger();
    QTRY_COMPARE(lock.count(), 1);
    QVERIFY(!hub->getInspectorWindow()->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(lock.count(), 2, 30000);
    QVERIFY(hub->getInspectorWindow()->isEnabled());

    const QString log = hub->getConsole()->logView()->toPlainText();
    // Each new best graph is reported with the archive's size.
    QVERIFY2(log.contains(QLatin1String(" #sol = ")), qPrintable(log));
    // The best graph is connected, has 9 vertices and beats the star.
    Calculus *difference = hub->getProblem()->evaluationStack().last();
    QVERIFY(hub->getGraph()->graphData().startsWith(QLatin1String("9 ")));
    QVERIFY2(difference->getValue(1) >= qSqrt(8.0) - 16.0 / 9.0 - 1e-6,
             qPrintable(QString::number(difference->getValue(1))));
    QVERIFY(!hub->getGraph()->isViolated());

    // The graphs found fill the Graph-Analyst, one row per graph, with the marked values.
    Analyst *table = hub->getGraphAnalyst()->getAnalyst();
    QTRY_VERIFY(table->nbGraphs() > 0);
    QVERIFY(table->getHeader().contains(QStringLiteral("lambda1")));
    QVERIFY(table->getHeader().contains(QStringLiteral("avgdeg")));
    QCOMPARE(hub->getVertexAnalyst()->databaseSize(), hub->getGraphAnalyst()->databaseSize());

    // Save the results, ask for the reload, quit.
    prompt.saveFile = isolation->path() + QStringLiteral("/result.tsy3");
    act("&Save Problem")->trigger();
    QFile saved(prompt.saveFile);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString savedText = QString::fromLatin1(saved.readAll());
    QCOMPARE(savedText, hub->getProblem()->saveString());
    act("&Preferences")->trigger();
    hub->getPreferences()->reloadBox()->click();
    const QString best = hub->getGraph()->graphData();
    prompt.answerOk = true;
    act("&Exit")->trigger();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(QSettings().value(QStringLiteral("graph")).toString(), best);
    QVERIFY(!err.text().contains(QLatin1String("ERROR in MainWidget::")));

    // The next start finds the problem back.
    start();
    hub = window->hub();
    QVERIFY(hub->reloadFlag());
    QCOMPARE(hub->getProblem()->saveString(), savedText);
    QCOMPARE(hub->getGraph()->graphData(), best);
    QCOMPARE(hub->control<QLineEdit>(QStringLiteral("title"))->text(),
             QStringLiteral("Largest adjacency eigenvalue minus average degree"));
    QVERIFY(prompt.titles.filter(QStringLiteral("Error")).isEmpty());
    delete window;
}

// The README's way of building the example: components from the tree, links by selection and the
// argument buttons, the objective switched to maximisation in its dialog.
void TestEndToEnd::buildTheExampleByHand()
{
    start();
    MainWidget *hub = window->hub();
    Problem *board = hub->getProblem();
    hub->getInspectorWindow()->show();
    hub->getToolBox()->setCurrentIndex(MainWidget::PageProblem);
    QTreeWidget *tree = hub->getComponentTree();
    CerrCapture quiet;
    QMap<QString, Calculus *> items;
    const QStringList keywords = {"ADJACENCY", "EIGENVALUES", "MAX", "SIZE",     "ORDER",
                                  "+",         "/",           "-",   "OBJECTIVE"};
    for (int k = 0; k < keywords.size(); ++k) {
        QTreeWidgetItem *leaf = tree->findItems(keywords[k], Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY(leaf);
        emit tree->itemDoubleClicked(leaf, 0);
        QList<Calculus *> all;
        for (Calculus *c : board->evaluationStack() + board->objectiveStack())
            if (!items.values().contains(c) && c->name == (k == 8 ? QStringLiteral("Z") : keywords[k]))
                all << c;
        QCOMPARE(all.size(), 1);
        items[keywords[k]] = all.first();
        // Spread out on the board, as a user drags them, so that a click finds one item.
        all.first()->setPos(160.0 * (k % 3), 160.0 * (k / 3));
    }
    board->centerOn(160, 160);
    QTest::qWait(50);

    auto link = [&](const QString &from, const QString &to, int argument) {
        QTest::keyClick(board, Qt::Key_U);
        for (const QString &name : {from, to}) {
            const QPoint at = board->mapFromScene(items[name]->pos());
            QTest::mouseClick(board->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        }
        QVERIFY(items[from]->isItemSelected() && items[to]->isItemSelected());
        hub->control<QPushButton>(QStringLiteral("arg%1").arg(argument))->click();
        QCOMPARE(items[to]->argument(argument), items[from]);
    };
    link("ADJACENCY", "EIGENVALUES", 1);
    link("EIGENVALUES", "MAX", 1);
    link("SIZE", "+", 1);
    link("SIZE", "+", 2);
    link("+", "/", 1);
    link("ORDER", "/", 2);
    link("MAX", "-", 1);
    link("/", "-", 2);
    link("-", "OBJECTIVE", 1);
    if (QTest::currentTestFailed())
        return;

    // On the star K1,8 the objective is sqrt(8) - 16/9.
    QVector<QPair<int, int>> star;
    for (int i = 1; i < 9; ++i)
        star << qMakePair(0, i);
    QVERIFY(hub->getGraph()->loadtsy(graphString(9, star), true));
    QVERIFY(qAbs(items["-"]->getValue(1) - (qSqrt(8.0) - 16.0 / 9.0)) < 1e-6);
    delete window;
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
