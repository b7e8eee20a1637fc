#include "dialogs/RunWindow.h"

#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

class TestRunWindow : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void sequence_data();
    void sequence();
    void cancelButton();
};

void TestRunWindow::construction()
{
    RunWindow w(QStringLiteral("Loading graphs..."));
    QCOMPARE(w.getLabel(), QStringLiteral("Loading graphs..."));
    QVERIFY(!w.isVisible());
    QVERIFY(!w.isCancelled());
    QCOMPARE(w.getProgressBar()->maximum(), 100);
    QCOMPARE(w.getProgressBar()->value(), 0);
    QCOMPARE(w.getCancelButton()->text(), QStringLiteral("Cancel"));
}

// Steps: "start N", "max N", "value N", "cancel", "clear" (setCancel(false)); then the state.
void TestRunWindow::sequence_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::newRow("start shows") << QStringList{"start 40"} << true << false << 40 << 0;
    QTest::newRow("progress to full")
        << QStringList{"start 40", "value 10", "value 40"} << true << false << 40 << 40;
    QTest::newRow("new maximum") << QStringList{"start 40", "max 7", "value 3"} << true << false << 7 << 3;
    QTest::newRow("cancel hides and empties")
        << QStringList{"start 40", "value 30", "cancel"} << false << true << 40 << 0;
    QTest::newRow("cancel while hidden") << QStringList{"cancel"} << false << true << 100 << 0;
    QTest::newRow("start clears a cancel") << QStringList{"cancel", "start 5"} << true << false << 5 << 0;
    QTest::newRow("job clears the flag") << QStringList{"cancel", "clear"} << false << false << 100 << 0;
    QTest::newRow("finished job leaves the flag set")
        << QStringList{"start 3", "value 3", "cancel"} << false << true << 3 << 0;
}

void TestRunWindow::sequence()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, visible);
    QFETCH(bool, cancelled);
    QFETCH(int, maximum);
    QFETCH(int, value);
    RunWindow w(QStringLiteral("Searching conjectures"));
    for (const QString &step : steps) {
        const QString op = step.section(QLatin1Char(' '), 0, 0);
        const int n = step.section(QLatin1Char(' '), 1, 1).toInt();
        if (op == QLatin1String("start"))
            w.slot_start(n);
        else if (op == QLatin1String("max"))
            w.slot_set_max(n);
        else if (op == QLatin1String("value"))
            w.slot_set_value(n);
        else if (op == QLatin1String("cancel"))
            w.slot_cancel();
        else if (op == QLatin1String("clear"))
            w.setCancel(false);
    }
    QCOMPARE(w.isVisible(), visible);
    QCOMPARE(w.isCancelled(), cancelled);
    QCOMPARE(w.getProgressBar()->maximum(), maximum);
    QCOMPARE(w.getProgressBar()->value(), value);
}

void TestRunWindow::cancelButton()
{
    RunWindow w(QStringLiteral("Loading graphs..."));
    w.slot_start(10);
    w.slot_set_value(5);
    QTest::mouseClick(w.getCancelButton(), Qt::LeftButton);
    QVERIFY(w.isCancelled());
    QVERIFY(!w.isVisible());
    QCOMPARE(w.getProgressBar()->value(), 0);
}

QTEST_MAIN(TestRunWindow)
#include "tst_runwindow.moc"
