#include "graph/Graph.h"
#include "problem/CalculusDisplay.h"
#include "problem/Invariant.h"
#include "problem/Operator.h"
#include "problem/Problem.h"
#include "problem/Z.h"
#include "problem/invConstant.h"

#include <QCheckBox>
#include <QtTest>

#include <cmath>

using Values = QVector<double>;

namespace
{
// An argument of a chosen shape whose entries are 1, 2, 3, ... row by row, optionally in error.
class ShapedArgument : public Operator
{
public:
    int wantRows = 1, wantCols = 1;
    bool fail = false;
    ShapedArgument()
    {
        name = QStringLiteral("SHAPED");
        sRows = QStringLiteral("n");
        sCols = QStringLiteral("1");
    }
    void recompute() override
    {
        rows = wantRows;
        cols = wantCols;
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < cols; ++j)
                M[i][j] = i * cols + j + 1;
        if (fail)
            error = true;
    }
};
} // namespace

class TestObjective : public QObject
{
    Q_OBJECT

private slots:
    void recompute_data();
    void recompute();
    void missingArgumentAfterRemoval();
    void saveTailFollowsDialog_data();
    void saveTailFollowsDialog();
};

void TestObjective::recompute_data()
{
    QTest::addColumn<int>("argRows");
    QTest::addColumn<int>("argCols");
    QTest::addColumn<bool>("argFails");
    QTest::addColumn<bool>("minimise");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("status");
    QTest::addColumn<Values>("zvals");
    QTest::addColumn<QString>("sizes");

    QTest::newRow("value minimised") << 1 << 1 << false << true << false << "Objective value" << Values{1}
                                     << "n/1";
    QTest::newRow("value maximised") << 1 << 1 << false << false << false << "Objective value" << Values{-1}
                                     << "n/1";
    QTest::newRow("column of 5 maximised")
        << 5 << 1 << false << false << false << "Objective value" << Values{-1, -2, -3, -4, -5} << "n/1";
    QTest::newRow("column of 32") << 32 << 1 << false << true << false << "Objective value" << Values{}
                                  << "n/1";
    QTest::newRow("row vector") << 1 << 5 << false << true << true << "Argument should be a column vector"
                                << Values{} << "NA/NA";
    QTest::newRow("matrix") << 4 << 4 << false << true << true << "Argument should be a column vector"
                            << Values{} << "NA/NA";
    QTest::newRow("empty result") << 0 << 0 << false << true << true << "Argument should be a column vector"
                                  << Values{} << "NA/NA";
    QTest::newRow("failed argument leaves no column")
        << 0 << 0 << true << true << true << "Argument should be a column vector" << Values{} << "NA/NA";
    QTest::newRow("argument in error with a column")
        << 3 << 1 << true << true << true << "Argument error" << Values{} << "NA/NA";
}

void TestObjective::recompute()
{
    QFETCH(int, argRows);
    QFETCH(int, argCols);
    QFETCH(bool, argFails);
    QFETCH(bool, minimise);
    QFETCH(bool, error);
    QFETCH(QString, status);
    QFETCH(Values, zvals);
    QFETCH(QString, sizes);

    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    auto *arg = new ShapedArgument;
    arg->wantRows = argRows;
    arg->wantCols = argCols;
    arg->fail = argFails;
    p.addOperatorItem(arg);
    auto *z = new Z(false);
    z->setMin(minimise);
    p.addZItem(z);
    p.link1(arg, z);

    QCOMPARE(z->getError(), error);
    QCOMPARE(z->getTooltip(), status);
    QCOMPARE(z->getSRows() + QLatin1Char('/') + z->getSCols(), sizes);
    if (error) {
        QCOMPARE(z->rows, 0);
        QCOMPARE(z->cols, 0);
        return;
    }
    QCOMPARE(z->rows, argRows);
    QCOMPARE(z->cols, 1);
    const QVector<QVector<double>> &signedValues = *z->getZ();
    for (int i = 0; i < argRows; ++i) {
        const double expected = zvals.isEmpty() ? (minimise ? i + 1.0 : -(i + 1.0)) : zvals[i];
        QCOMPARE(signedValues[i][0], expected);
        QCOMPARE(z->M[i][0], i + 1.0); // the unsigned value
    }
}

void TestObjective::missingArgumentAfterRemoval()
{
    Graph g(QStringLiteral("g"), false);
    Problem p(&g, QStringLiteral("t"), false);
    auto *arg = new ShapedArgument;
    p.addOperatorItem(arg);
    auto *z = new Z(false);
    p.addZItem(z);
    p.link1(arg, z);
    QVERIFY(!z->getError());
    p.link1(arg, z); // the same pair again removes the argument
    QVERIFY(z->getError());
    QCOMPARE(z->getTooltip(), QStringLiteral("Missing argument"));
    QCOMPARE(z->getSRows(), QStringLiteral("NA"));
}

void TestObjective::saveTailFollowsDialog_data()
{
    QTest::addColumn<bool>("withDisplay");
    QTest::addColumn<bool>("setMin");
    QTest::addColumn<int>("box"); // -1 untouched, 0 cleared by the user, 1 ticked by the user
    QTest::addColumn<QString>("tail");

    QTest::newRow("headless min") << false << true << -1 << "\tmin";
    QTest::newRow("headless max") << false << false << -1 << "\tmax";
    QTest::newRow("dialog set to max") << true << false << -1 << "\tmax";
    QTest::newRow("user clears Minimization") << true << true << 0 << "\tmax";
    QTest::newRow("user ticks Minimization") << true << false << 1 << "\tmin";
}

void TestObjective::saveTailFollowsDialog()
{
    QFETCH(bool, withDisplay);
    QFETCH(bool, setMin);
    QFETCH(int, box);
    QFETCH(QString, tail);

    Z z(withDisplay);
    z.setMin(setMin);
    if (box >= 0) {
        auto *minimisation = z.getCalculusDisplay()->findChild<QCheckBox *>();
        for (QCheckBox *b : z.getCalculusDisplay()->findChildren<QCheckBox *>())
            if (b->text() == QLatin1String("Minimization"))
                minimisation = b;
        QVERIFY(minimisation);
        minimisation->setChecked(box == 1);
    }
    // No computation in between: the direction the user sees is the one written.
    QCOMPARE(z.specificInformationToSave(), tail);
    QVERIFY(z.getCaractToSave().endsWith(tail + QLatin1Char('\n')));
    QCOMPARE(z.isMin(), tail == QLatin1String("\tmin"));
}

QTEST_MAIN(TestObjective)
#include "tst_objective.moc"
