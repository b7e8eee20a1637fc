#include "graph/Graph.h"
#include "problem/CalculusDisplay.h"
#include "support/TestInvariantItem.h"
#include "support/TestOperatorItem.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace
{

QCheckBox *box(QWidget *dialog, const QString &text)
{
    const QList<QCheckBox *> boxes = dialog->findChildren<QCheckBox *>();
    for (QCheckBox *b : boxes) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

} // namespace

class TestCalculusDisplay : public QObject
{
    Q_OBJECT

private slots:
    void newDialog();
    void itemFlagsMirrorBoxes_data();
    void itemFlagsMirrorBoxes();
    void userTicksWin();
    void reportModesAreExclusive();
    void complementOfferedOnlyWhenAsked();
    void complementClickTakesFreshStamp();
    void values_data();
    void values();
    void resultBlockFollowsCounts();
    void doneButtons();
    void nameLabelFollowsTyping();
    void toggleDisplay();
};

void TestCalculusDisplay::newDialog()
{
    CalculusDisplay d(QStringLiteral("WIENER"));
    QCOMPARE(d.windowTitle(), QStringLiteral("Item information"));
    QVERIFY(!d.isVisible());
    QVERIFY(!d.isModal());
    QCOMPARE(d.getNbRows(), 0);
    QCOMPARE(d.getNbCols(), 0);
    QCOMPARE(d.getValue(), 0.0);
    QCOMPARE(d.getM()->size(), 32);
    QCOMPARE(d.getName(), QStringLiteral("WIENER"));
    auto *table = d.findChild<QTableWidget *>();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(table->columnCount(), 0);

    QCheckBox *complement = box(&d, QStringLiteral("Complement"));
    QCheckBox *in = box(&d, QStringLiteral("Insert in analyst"));
    QCheckBox *graphValue = box(&d, QStringLiteral("Graph Value"));
    QCheckBox *node = box(&d, QStringLiteral("Node Value"));
    QCheckBox *vector = box(&d, QStringLiteral("Vector"));
    QVERIFY(complement && in && graphValue && node && vector);
    QVERIFY(!complement->isEnabled() && !complement->isChecked());
    QVERIFY(in->isEnabled() && !in->isChecked());
    QVERIFY(graphValue->isChecked() && !graphValue->isEnabled());
    QVERIFY(!node->isChecked() && !node->isEnabled());
    QVERIFY(!vector->isChecked() && !vector->isEnabled());
    QCOMPARE(d.findChildren<QPushButton *>().size(), 2);
}

void TestCalculusDisplay::itemFlagsMirrorBoxes_data()
{
    QTest::addColumn<bool>("inReport");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("complement");

    QTest::newRow("nothing") << false << "Graph Value" << false;
    QTest::newRow("graph value") << true << "Graph Value" << false;
    QTest::newRow("node value") << true << "Node Value" << false;
    QTest::newRow("vector, loaded from a problem") << true << "Vector" << true;
    QTest::newRow("complement only") << false << "Graph Value" << true;
    QTest::newRow("vector, not reported") << false << "Vector" << false;
}

void TestCalculusDisplay::itemFlagsMirrorBoxes()
{
    QFETCH(bool, inReport);
    QFETCH(QString, mode);
    QFETCH(bool, complement);

    TestInvariantItem item(true);
    QWidget *d = item.getCalculusDisplay();
    // The problem reader's order: the three modes, "Graph Value" when neither other one is set.
    item.setInReport(inReport);
    item.setNodInReport(mode == QLatin1String("Node Value"));
    item.setVecInReport(mode == QLatin1String("Vector"));
    item.setGraphInReport(mode == QLatin1String("Graph Value"));
    item.setInvertGraph(complement);

    QCOMPARE(box(d, QStringLiteral("Insert in analyst"))->isChecked(), inReport);
    QCOMPARE(box(d, QStringLiteral("Complement"))->isChecked(), complement);
    for (const QString &m :
         {QStringLiteral("Graph Value"), QStringLiteral("Node Value"), QStringLiteral("Vector")}) {
        QCOMPARE(box(d, m)->isChecked(), m == mode);
        QCOMPARE(box(d, m)->isEnabled(), inReport);
    }
    QCOMPARE(item.inReport(), inReport);
    QCOMPARE(item.graphInReport(), mode == QLatin1String("Graph Value"));
    QCOMPARE(item.nodInReport(), mode == QLatin1String("Node Value"));
    QCOMPARE(item.vecInReport(), mode == QLatin1String("Vector"));

    item.applyChanges();
    QCOMPARE(item.inReportFlag, inReport);
    QCOMPARE(item.graphInReportFlag, mode == QLatin1String("Graph Value"));
    QCOMPARE(item.nodInReportFlag, mode == QLatin1String("Node Value"));
    QCOMPARE(item.vecInReportFlag, mode == QLatin1String("Vector"));
    QCOMPARE(item.isInvertGraph(), complement);
}

void TestCalculusDisplay::userTicksWin()
{
    auto g = std::make_unique<Graph>(QStringLiteral("g"), false);
    TestInvariantItem item(true);
    item.setGraph(g.get());
    item.setInReport(false);
    box(item.getCalculusDisplay(), QStringLiteral("Insert in analyst"))->click();
    QVERIFY(item.inReport());    // at once
    QVERIFY(!item.inReportFlag); // stored at the next computation
    item.compute(false);         // not crucial: stops before reading the dialog
    QVERIFY(!item.inReportFlag);
    item.compute(true);
    QVERIFY(item.inReportFlag);
}

void TestCalculusDisplay::reportModesAreExclusive()
{
    CalculusDisplay d(QStringLiteral("DEGREES"));
    QCheckBox *in = box(&d, QStringLiteral("Insert in analyst"));
    QCheckBox *graphValue = box(&d, QStringLiteral("Graph Value"));
    QCheckBox *vector = box(&d, QStringLiteral("Vector"));
    QCheckBox *node = box(&d, QStringLiteral("Node Value"));
    in->click();
    QVERIFY(graphValue->isEnabled() && vector->isEnabled() && node->isEnabled());
    vector->click();
    QVERIFY(vector->isChecked());
    QVERIFY(!graphValue->isChecked());
    in->click();
    QVERIFY(!in->isChecked());
    QVERIFY(!vector->isEnabled());
    QVERIFY(vector->isChecked()); // the chosen mode stays ticked

    // Clearing the ticked mode falls back to "Graph Value": one mode is always chosen.
    d.setVecInReport(false);
    QVERIFY(!d.vecInReport());
    QVERIFY(d.graphInReport());
    d.setNodInReport(true);
    QVERIFY(d.nodInReport() && !d.graphInReport() && !d.vecInReport());
}

void TestCalculusDisplay::complementOfferedOnlyWhenAsked()
{
    TestInvariantItem invariant(true);
    TestOperatorItem op(true);
    QVERIFY(box(invariant.getCalculusDisplay(), QStringLiteral("Complement"))->isEnabled());
    QVERIFY(!box(op.getCalculusDisplay(), QStringLiteral("Complement"))->isEnabled());
}

void TestCalculusDisplay::complementClickTakesFreshStamp()
{
    auto g = std::make_unique<Graph>(QStringLiteral("g"), false);
    TestInvariantItem item(true);
    item.setGraph(g.get());
    QSignalSpy changed(g.get(), &Graph::signal_best_graph_changed);
    const qint64 stamp = g->getID();
    item.setInvertGraph(true); // a setter, as the problem reader uses it: no evaluation
    QCOMPARE(g->getID(), stamp);
    QCOMPARE(changed.count(), 0);
    box(item.getCalculusDisplay(), QStringLiteral("Complement"))->click();
    QVERIFY(g->getID() != stamp);
    QCOMPARE(changed.count(), 1);
}

void TestCalculusDisplay::values_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    // printf("%g") texts.
    QTest::newRow("pi") << 3.14159265 << "3.14159";
    QTest::newRow("negative") << -12.5 << "-12.5";
    QTest::newRow("quarter") << 0.25 << "0.25";
    QTest::newRow("one million") << 1e6 << "1e+06";
    QTest::newRow("nine digits") << 123456789.0 << "1.23457e+08";
    QTest::newRow("smaller") << 0.00001 << "1e-05";
    QTest::newRow("rounding up") << 9.9999996 << "10";
    QTest::newRow("no value") << 1e12 << "1e+12";
}

void TestCalculusDisplay::values()
{
    QFETCH(double, value);
    QFETCH(QString, text);

    CalculusDisplay d(QStringLiteral("X"));
    QVector<QVector<double>> m(32, QVector<double>(32, 0.0));
    m[0][0] = value;
    m[1][2] = value;
    d.setValues(m, 2, 3);
    auto *table = d.findChild<QTableWidget *>();
    QCOMPARE(table->item(0, 0)->text(), text);
    QCOMPARE(table->item(1, 2)->text(), text);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("0"));
    QCOMPARE(d.getValue(), value);
}

void TestCalculusDisplay::resultBlockFollowsCounts()
{
    CalculusDisplay d(QStringLiteral("X"));
    QVector<QVector<double>> m(32, QVector<double>(32, 0.0));
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            m[i][j] = 100 * i + j;
    d.setValues(m, 3, 2);
    auto *table = d.findChild<QTableWidget *>();
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(d.getNbRows(), 3);
    QCOMPARE(d.getNbCols(), 2);
    QCOMPARE((*d.getM())[2][1], 201.0);
    QCOMPARE((*d.getM())[3][0], 0.0); // outside the block: not copied

    d.setValues(m, 32, 32);
    QCOMPARE(table->rowCount(), 32);
    QCOMPARE(table->item(31, 31)->text(), QStringLiteral("3131"));

    d.setValues(m, 0, 0);
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(d.getNbRows(), 0);

    // Counts beyond the matrix never read outside it.
    QVector<QVector<double>> small(2, QVector<double>(2, 7.0));
    d.setValues(small, 40, 40);
    QCOMPARE(d.getNbRows(), 2);
    QCOMPARE(d.getNbCols(), 2);
    d.setValues(m, -3, 5);
    QCOMPARE(d.getNbRows(), 0);
}

void TestCalculusDisplay::doneButtons()
{
    const QList<int> buttons{0, 1};
    for (int which : buttons) {
        CalculusDisplay d(QStringLiteral("X"));
        QSignalSpy refresh(&d, &CalculusDisplay::signal_refresh);
        d.show();
        QVERIFY(d.isVisible());
        d.findChildren<QPushButton *>().at(which)->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(refresh.count(), 1);
    }
}

void TestCalculusDisplay::nameLabelFollowsTyping()
{
    TestInvariantItem item(true);
    CalculusDisplay *d = item.getCalculusDisplay();
    auto *edit = d->findChild<QLineEdit *>();
    QTest::keyClicks(edit, QStringLiteral("my deg"));
    bool labelShows = false;
    for (QLabel *l : d->findChildren<QLabel *>())
        labelShows = labelShows || l->text() == QStringLiteral("my deg");
    QVERIFY(labelShows);
    QCOMPARE(d->givenName(), QStringLiteral("my deg"));
    QVERIFY(item.getGivenName().isEmpty());
    item.update_display();
    QCOMPARE(item.getGivenName(), QStringLiteral("my deg"));
}

void TestCalculusDisplay::toggleDisplay()
{
    TestInvariantItem item(true, QStringLiteral("DEGMAX"));
    CalculusDisplay *d = item.getCalculusDisplay();
    d->setName(QStringLiteral("other"));
    item.toggleDisplay();
    QVERIFY(d->isVisible());
    QCOMPARE(d->getName(), QStringLiteral("DEGMAX"));
    item.toggleDisplay();
    QVERIFY(!d->isVisible());

    TestInvariantItem headless(false);
    headless.toggleDisplay();
    QVERIFY(!headless.getCalculusDisplay());
}

QTEST_MAIN(TestCalculusDisplay)
#include "tst_calculusdisplay.moc"
