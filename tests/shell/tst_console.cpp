#include "shell/Console.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
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

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
