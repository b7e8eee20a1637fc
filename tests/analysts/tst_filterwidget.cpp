#include "analysts/FilterWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QtTest>

#include <limits>

// The row filter: which rows pass, at the 1e-6 boundaries, and when its rules are switched off.
class TestFilterWidget : public QObject
{
    Q_OBJECT

private slots:
    void isValid_data();
    void isValid();
    void setVariables_data();
    void setVariables();
    void userClickEnablesRule();
};

struct Rule {
    int variable;
    FilterWidget::Relation relation;
    double value;
};
using Rules = QVector<Rule>;
Q_DECLARE_METATYPE(Rules)

// Variables a, b, c; each rule in use.
void TestFilterWidget::isValid_data()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<Rules>("rules");
    QTest::addColumn<bool>("rejectAll");
    QTest::addColumn<QVector<double>>("row");
    QTest::addColumn<bool>("valid");
    const auto le = FilterWidget::AtMost;
    const auto eq = FilterWidget::Equal;
    const auto ge = FilterWidget::AtLeast;
    QTest::newRow("no rule") << Rules{} << false << QVector<double>{1, 2, 3} << true;
    QTest::newRow("wrong length") << Rules{} << false << QVector<double>{1, 2} << false;
    QTest::newRow("reject all") << Rules{} << true << QVector<double>{1, 2, 3} << false;
    QTest::newRow("<= 5 at 5") << Rules{{1, le, 5}} << false << QVector<double>{0, 5, 0} << true;
    QTest::newRow("<= 5 at 5.0000009")
        << Rules{{1, le, 5}} << false << QVector<double>{0, 5.0000009, 0} << true;
    QTest::newRow("<= 5 at 5.0000011")
        << Rules{{1, le, 5}} << false << QVector<double>{0, 5.0000011, 0} << false;
    QTest::newRow("== 2 at 2.0000009")
        << Rules{{2, eq, 2}} << false << QVector<double>{0, 0, 2.0000009} << true;
    QTest::newRow("== 2 at 1.9999991")
        << Rules{{2, eq, 2}} << false << QVector<double>{0, 0, 1.9999991} << true;
    QTest::newRow("== 2 at 2.0000011")
        << Rules{{2, eq, 2}} << false << QVector<double>{0, 0, 2.0000011} << false;
    QTest::newRow(">= 3 at 3") << Rules{{0, ge, 3}} << false << QVector<double>{3, 0, 0} << true;
    QTest::newRow(">= 3 at 2.9999995")
        << Rules{{0, ge, 3}} << false << QVector<double>{2.9999995, 0, 0} << true;
    QTest::newRow(">= 3 at 2.9999989")
        << Rules{{0, ge, 3}} << false << QVector<double>{2.9999989, 0, 0} << false;
    QTest::newRow("both rules hold") << Rules{{0, ge, 1}, {0, le, 4}} << false << QVector<double>{2, 9, 9}
                                     << true;
    QTest::newRow("second rule fails")
        << Rules{{0, ge, 1}, {1, le, 4}} << false << QVector<double>{2, 9, 9} << false;
    // A value that is not a number fails none of the three tests.
    QTest::newRow("not a number passes <=")
        << Rules{{0, le, 4}} << false << QVector<double>{nan, 0, 0} << true;
    QTest::newRow("not a number passes ==")
        << Rules{{0, eq, 4}} << false << QVector<double>{nan, 0, 0} << true;
    QTest::newRow("not a number passes >=")
        << Rules{{0, ge, 4}} << false << QVector<double>{nan, 0, 0} << true;
    QTest::newRow("not a number, other rule fails")
        << Rules{{0, ge, 4}, {1, le, 1}} << false << QVector<double>{nan, 2, 0} << false;
    QTest::newRow("infinity fails <=") << Rules{{0, le, 4}} << false << QVector<double>{inf, 0, 0} << false;
    QTest::newRow("minus infinity passes <=")
        << Rules{{0, le, 4}} << false << QVector<double>{-inf, 0, 0} << true;
    QTest::newRow("not a number elsewhere")
        << Rules{{0, ge, 4}} << false << QVector<double>{5, nan, 0} << true;
    QTest::newRow("value box stops at 1000")
        << Rules{{0, ge, 5000}} << false << QVector<double>{1001, 0, 0} << true;
    QTest::newRow("value box stops at -1000")
        << Rules{{0, le, -5000}} << false << QVector<double>{-999, 0, 0} << false;
}

void TestFilterWidget::isValid()
{
    QFETCH(Rules, rules);
    QFETCH(bool, rejectAll);
    QFETCH(QVector<double>, row);
    QFETCH(bool, valid);
    FilterWidget f;
    f.setVariables({"a", "b", "c"});
    for (int r = 0; r < rules.size(); ++r)
        QVERIFY(f.setRule(r, true, rules[r].variable, rules[r].relation, rules[r].value));
    f.getRejectAll()->setChecked(rejectAll);
    QCOMPARE(f.isValid(row), valid);
}

// A rule "a <= 0" is switched on for {a, b}; then new names arrive.
void TestFilterWidget::setVariables_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("ruleStays");
    QTest::newRow("same names") << QStringList{"a", "b"} << true;
    QTest::newRow("one name more") << QStringList{"a", "b", "c"} << false;
    QTest::newRow("names swapped") << QStringList{"b", "a"} << false;
    QTest::newRow("case differs") << QStringList{"A", "b"} << false;
    QTest::newRow("no names") << QStringList{} << false;
}

void TestFilterWidget::setVariables()
{
    QFETCH(QStringList, names);
    QFETCH(bool, ruleStays);
    FilterWidget f;
    f.setVariables({"a", "b"});
    QVERIFY(f.setRule(0, true, 1, FilterWidget::AtMost, 0));
    f.setVariables(names);
    QCOMPARE(f.getUseBox(0)->isChecked(), ruleStays);
    QCOMPARE(f.getVariableCombo(0)->isEnabled(), ruleStays);
    QCOMPARE(f.getValueBox(0)->isEnabled(), ruleStays);
    QCOMPARE(f.getVariableCombo(9)->count(), names.size());
    QCOMPARE(f.getVariableCombo(0)->currentIndex(), ruleStays ? 1 : (names.isEmpty() ? -1 : 0));
    // The rule reads b: a row with b = 7 fails it while it stays.
    QVector<double> row(names.size(), 7.0);
    QCOMPARE(f.isValid(row), !ruleStays);
}

void TestFilterWidget::userClickEnablesRule()
{
    FilterWidget f;
    f.show();
    // Ticked before any name exists: the rule has nothing to read and must not judge.
    QTest::mouseClick(f.getUseBox(3), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(f.getUseBox(3)->isChecked());
    QVERIFY(f.getRelationCombo(3)->isEnabled());
    QVERIFY(f.isValid({}));
    QVERIFY(!f.isValid({1.0}));
    QTest::mouseClick(f.getUseBox(3), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!f.getValueBox(3)->isEnabled());
}

QTEST_MAIN(TestFilterWidget)
#include "tst_filterwidget.moc"
