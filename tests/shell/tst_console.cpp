#include "shell/Console.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

class TestConsole : public QObject
{
    Q_OBJECT

private slots:
    void filter_data();
    void filter();
    void markupIsShownAsWritten();
    void clearStartsAFreshLog();
    void deprecatedAppendIgnoresFilters();
    void viewFollowsTheNewestLine();
};

void TestConsole::filter_data()
{
    QTest::addColumn<bool>("debugTicked");
    QTest::addColumn<int>("verbosity");
    QTest::addColumn<int>("threadFilter");
    QTest::addColumn<bool>("debugMessage");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("worker"); // -2: a message of a component that is not a worker
    QTest::addColumn<bool>("shown");

    QTest::newRow("defaults pass level 0") << false << 0 << -1 << false << 0 << -2 << true;
    QTest::newRow("defaults drop level 1") << false << 0 << -1 << false << 1 << -2 << false;
    QTest::newRow("verbosity 1 passes level 1") << false << 1 << -1 << false << 1 << -2 << true;
    QTest::newRow("verbosity 6 passes level 6") << false << 6 << -1 << false << 6 << -2 << true;
    QTest::newRow("level 7 never shown") << true << 6 << -1 << false << 7 << -2 << false;
    QTest::newRow("negative level passes") << false << 0 << -1 << false << -3 << -2 << true;
    QTest::newRow("debug dropped without box") << false << 6 << -1 << true << 0 << -2 << false;
    QTest::newRow("debug level 0 with box") << true << 0 << -1 << true << 0 << -2 << true;
    QTest::newRow("debug level 4 needs verbosity 4") << true << 3 << -1 << true << 4 << -2 << false;
    QTest::newRow("debug level 4 with verbosity 4") << true << 4 << -1 << true << 4 << -2 << true;
    QTest::newRow("worker filter keeps its worker") << false << 0 << 2 << false << 0 << 2 << true;
    QTest::newRow("worker filter drops another") << false << 0 << 2 << false << 0 << 1 << false;
    QTest::newRow("worker filter ignores components") << false << 0 << 2 << false << 0 << -2 << true;
    QTest::newRow("filter 4 hides every worker") << true << 6 << 4 << false << 0 << 3 << false;
    QTest::newRow("all workers pass -1") << false << 0 << -1 << false << 0 << 3 << true;
    QTest::newRow("worker still needs level") << false << 0 << 1 << false << 2 << 1 << false;
}

void TestConsole::filter()
{
    QFETCH(bool, debugTicked);
    QFETCH(int, verbosity);
    QFETCH(int, threadFilter);
    QFETCH(bool, debugMessage);
    QFETCH(int, level);
    QFETCH(int, worker);
    QFETCH(bool, shown);

    Console console;
    console.debugBox()->setChecked(debugTicked);
    console.verbosityBox()->setValue(verbosity);
    console.threadBox()->setValue(threadFilter);
    if (worker == -2)
        console.append(QStringLiteral("message"), debugMessage, level, Qt::blue);
    else
        console.append(QStringLiteral("message"), debugMessage, level, Qt::blue, worker);
    QCOMPARE(console.logView()->toPlainText() == QLatin1String("message"), shown);
    if (shown)
        QCOMPARE(
            console.logView()->document()->firstBlock().begin().fragment().charFormat().foreground().color(),
            QColor(Qt::blue));
}

void TestConsole::markupIsShownAsWritten()
{
    Console console;
    const QString text = QStringLiteral("<b>bold</b> & <a href=\"x\">link</a>");
    console.append(text, false, 0, Qt::red);
    console.append(QStringLiteral("second"), false, 0, Qt::black);
    QCOMPARE(console.logView()->toPlainText(), text + QStringLiteral("\nsecond"));
    QCOMPARE(console.logView()->document()->blockCount(), 2);
    // Raising the verbosity does not bring back a dropped message.
    console.append(QStringLiteral("dropped"), false, 3, Qt::black);
    console.verbosityBox()->setValue(6);
    QVERIFY(!console.logView()->toPlainText().contains(QLatin1String("dropped")));
}

void TestConsole::clearStartsAFreshLog()
{
    Console console;
    console.append(QStringLiteral("one"), false, 0, Qt::black);
    QPushButton *clear = console.findChild<QPushButton *>();
    QVERIFY(clear);
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(console.logView()->toPlainText().isEmpty());
    console.append(QStringLiteral("two"), false, 0, Qt::black);
    QCOMPARE(console.logView()->toPlainText(), QStringLiteral("two"));
    QCOMPARE(console.logView()->document()->blockCount(), 1);
}

void TestConsole::deprecatedAppendIgnoresFilters()
{
    Console console;
    console.verbosityBox()->setValue(0);
    console.append(QStringLiteral("old"));
    QCOMPARE(console.logView()->toPlainText(), QStringLiteral("[old](deprecated use of Console::append())"));
}

// While the log shows its last line, new lines scroll into view (a search's messages go by as they
// come), also when they came while the console was a hidden tab; once the user has scrolled up to
// read, the view stays where it is.
void TestConsole::viewFollowsTheNewestLine()
{
    QTabWidget tabs;
    auto *console = new Console;
    tabs.addTab(new QWidget, QStringLiteral("White board"));
    tabs.addTab(console, QStringLiteral("Console"));
    tabs.resize(500, 300);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    QScrollBar *bar = console->logView()->verticalScrollBar();
    auto lines = [&](int from, int count) {
        for (int i = from; i < from + count; ++i)
            console->append(QStringLiteral("line %1").arg(i), false, 0, Qt::blue, i % 4);
    };
    lines(0, 200);
    tabs.setCurrentIndex(1);
    QCoreApplication::processEvents();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    lines(200, 50);
    QCOMPARE(bar->value(), bar->maximum());

    // Scrolled up by a click on the scroll bar's track: the view keeps its place.
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    const int reading = bar->value();
    QVERIFY(reading < bar->maximum());
    const int maximumBefore = bar->maximum();
    lines(250, 50);
    QVERIFY(bar->maximum() > maximumBefore);
    QCOMPARE(bar->value(), reading);

    // Back at the bottom, the view follows again, also through a change of size.
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    lines(300, 50);
    QCOMPARE(bar->value(), bar->maximum());
    tabs.resize(500, 200);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(console->logView()->toPlainText().endsWith(QLatin1String("line 349")));
}

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
