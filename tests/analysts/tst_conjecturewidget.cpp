#include "analysts/Analyst.h"
#include "analysts/ConjectureEngine.h"
#include "analysts/ConjectureWidget.h"
#include "dialogs/RunWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include <iostream>
#include <sstream>

namespace
{

QPushButton *button(ConjectureWidget &w, const QString &text)
{
    for (QPushButton *b : w.findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

QCheckBox *box(ConjectureWidget &w, const QString &text)
{
    for (QCheckBox *b : w.findChildren<QCheckBox *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

// An analyst with the given columns and rows A, B, Y on a 7 x 7 grid (Y scattered), database
// index = row.
void fillGrid(Analyst &analyst, int rows)
{
    analyst.setHeader({"A", "B", "Y"});
    for (int i = 0; i < rows; ++i) {
        const double a = i % 7 + 1;
        analyst.push_back({a, double(i / 7 + 1), double(i * 37 % 50) + 0.5 * a}, i);
    }
    analyst.buildTable();
}

void searchAndWait(ConjectureWidget &w)
{
    QTest::mouseClick(button(w, QStringLiteral("Search")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w.isSearching(), 20000);
}

} // namespace

class TestConjectureWidget : public QObject
{
    Q_OBJECT

private slots:
    void targets();
    void searches_data();
    void searches();
    void secondSearchWhileRunning();
    void cancelShowsNoFurtherBound();
    void cancelWhileTakingRows();
};

void TestConjectureWidget::targets()
{
    Analyst analyst;
    ConjectureWidget w(&analyst);
    auto *targetBox = w.findChild<QComboBox *>();
    w.setHeader({"ORDER", "SIZE", "WIENER"});
    QCOMPARE(targetBox->count(), 3);
    QCOMPARE(targetBox->currentText(), QStringLiteral("ORDER"));
    targetBox->setCurrentIndex(2);
    w.setHeader({"RANDIC", "WIENER"});
    QCOMPARE(targetBox->currentText(), QStringLiteral("RANDIC"));
    QCOMPARE(targetBox->itemText(1), QStringLiteral("WIENER"));
}

// What the output box shows after one search: its first line, and whether the search proposed
// bounds (lines before the end mark "---").
void TestConjectureWidget::searches_data()
{
    QTest::addColumn<bool>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("first");
    QTest::newRow("no columns") << false << 0 << "" << false
                                << "Cannot find conjecture: unknown target variable.";
    QTest::newRow("columns, no rows")
        << true << 0 << "Y" << false << "Not enough data points to find conjectures. 2 0";
    QTest::newRow("lower bounds") << true << 49 << "Y" << false << "Y >= ";
    QTest::newRow("upper bounds") << true << 49 << "Y" << true << "Y <= ";
}

void TestConjectureWidget::searches()
{
    QFETCH(bool, columns);
    QFETCH(int, rows);
    QFETCH(QString, target);
    QFETCH(bool, upper);
    QFETCH(QString, first);
    Analyst analyst;
    if (columns)
        fillGrid(analyst, rows);
    ConjectureWidget w(&analyst);
    w.setHeader(analyst.getHeader());
    w.findChild<QComboBox *>()->setCurrentText(target);
    w.getEngine()->setTimeLimit(300);
    box(w, QStringLiteral("Upper"))->setChecked(upper);
    searchAndWait(w);
    QStringList lines = w.getConjectures().split(QLatin1Char('\n'));
    QVERIFY(lines.first().startsWith(first));
    QVERIFY(!w.getRunWindow()->isVisible());
    // A second search adds its texts below the first one's.
    searchAndWait(w);
    const QStringList again = w.getConjectures().split(QLatin1Char('\n'));
    QVERIFY(again.size() > lines.size());
    QCOMPARE(again.mid(0, lines.size()), lines);
    QVERIFY(again.at(lines.size()).startsWith(first));
    // "Clear" empties the box.
    QTest::mouseClick(button(w, QStringLiteral("Clear")), Qt::LeftButton);
    QCOMPARE(w.getConjectures(), QString());
}

void TestConjectureWidget::secondSearchWhileRunning()
{
    Analyst analyst;
    fillGrid(analyst, 49);
    ConjectureWidget w(&analyst);
    w.setHeader(analyst.getHeader());
    w.findChild<QComboBox *>()->setCurrentText(QStringLiteral("Y"));
    w.getEngine()->setTimeLimit(600);
    QTest::mouseClick(button(w, QStringLiteral("Search")), Qt::LeftButton);
    QVERIFY(w.isSearching());
    QVERIFY(!button(w, QStringLiteral("Search"))->isEnabled());
    // A direct call is ignored as well: the running search keeps its data.
    w.slot_run();
    QTRY_VERIFY_WITH_TIMEOUT(!w.isSearching(), 20000);
    QCOMPARE(w.getConjectures().count(QStringLiteral("---")), 1);
    QVERIFY(button(w, QStringLiteral("Search"))->isEnabled());
}

// After the progress window's Cancel, the box receives only the end mark.
void TestConjectureWidget::cancelShowsNoFurtherBound()
{
    Analyst analyst;
    fillGrid(analyst, 49);
    ConjectureWidget w(&analyst);
    w.setHeader(analyst.getHeader());
    w.findChild<QComboBox *>()->setCurrentText(QStringLiteral("Y"));
    box(w, QStringLiteral("sqrt(x)"))->setChecked(true);
    box(w, QStringLiteral("Products"))->setChecked(true);
    w.getEngine()->setTimeLimit(600000);
    QTest::mouseClick(button(w, QStringLiteral("Search")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w.getConjectures().count(QLatin1Char('\n')) >= 3, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(w.getRunWindow()->isVisible(), 5000);
    QTest::mouseClick(w.getRunWindow()->getCancelButton(), Qt::LeftButton);
    const QString atCancel = w.getConjectures();
    QTRY_VERIFY_WITH_TIMEOUT(!w.isSearching(), 20000);
    QCOMPARE(w.getConjectures(), atCancel + QStringLiteral("\n---"));
    QVERIFY(!w.getRunWindow()->isVisible());
}

// The rows are taken in by the search itself, after its progress window shows: a Cancel pressed
// as soon as the window shows ends the search before it has compared a single row.
void TestConjectureWidget::cancelWhileTakingRows()
{
    Analyst analyst;
    analyst.setHeader({"A", "B", "C", "Y"});
    for (int i = 0; i < 20000; ++i) {
        const int k = i % 5000; // every row four times
        analyst.push_back(
            {double(k % 100), double(k * 7 % 60), std::sqrt(double(k % 997)), double(k * 37 % 500)}, i);
    }
    analyst.buildTable();
    ConjectureWidget w(&analyst);
    w.setHeader(analyst.getHeader());
    w.findChild<QComboBox *>()->setCurrentText(QStringLiteral("Y"));
    w.getEngine()->setTimeLimit(600000);
    RunWindow *window = w.getRunWindow();

    // The search waits at its start until the click has been handled.
    bool shown = false;
    const QMetaObject::Connection user = connect(
        w.getEngine(), &ConjectureEngine::signal_start, this,
        [&]() {
            shown = window->isVisible();
            QTest::mouseClick(window->getCancelButton(), Qt::LeftButton);
        },
        Qt::BlockingQueuedConnection);
    std::ostringstream trace;
    std::streambuf *old = std::cerr.rdbuf(trace.rdbuf());
    QTest::mouseClick(button(w, QStringLiteral("Search")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w.isSearching(), 20000);
    std::cerr.rdbuf(old);
    disconnect(user);

    QVERIFY(shown);
    QVERIFY(!window->isVisible());
    QCOMPARE(w.getConjectures(), QStringLiteral("---"));
    // The search never reached the rows' columns (it reports their count when it does).
    QVERIFY2(trace.str().find("Conjecture Engine starts") == std::string::npos, trace.str().c_str());
    QVERIFY(w.getEngine()->inLoadMode());

    // The next search takes the rows afresh.
    w.getEngine()->setTimeLimit(300);
    searchAndWait(w);
    const QStringList lines = w.getConjectures().split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 2);
    QVERIFY(lines.at(1).startsWith(QStringLiteral("Y >= ")));
    QCOMPARE(lines.last(), QStringLiteral("---"));
}

QTEST_MAIN(TestConjectureWidget)
#include "tst_conjecturewidget.moc"
