#include "OperatorBoard.h"
#include "operators/ConstraintFrame.h"

#include <QtTest>

#include <typeinfo>

// The five comparison items: penalties of single values and of vectors and matrices, the tolerance
// of 1e-6 at ties, NaN entries, shape failures and how the items refuse extra links.
class TestConstraints : public QObject
{
    Q_OBJECT

private slots:
    void penalty_data();
    void penalty();
    void linkingSecondArgumentComputes();
    void refusedLinks_data();
    void refusedLinks();
    void statusAfterFailure();
    void construction_data();
    void construction();
};

namespace
{

QString num(double v)
{
    return QString::number(v, 'g', 17);
}

QString value(double v)
{
    return QStringLiteral("1x1:") + num(v);
}

} // namespace

void TestConstraints::penalty_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("penalty");
    QTest::addColumn<bool>("error");

    const QString nanPenalty = value(ConstraintFrame::NaNPenalty);
    // ---- "==" ----
    QTest::newRow("== vectors") << "=="
                                << "3x1:1,2,3"
                                << "3x1:1,4,0"
                                << "=="
                                << "1x1:5" << false;
    QTest::newRow("== equal matrices") << "=="
                                       << "2x2:1,2,3,4"
                                       << "2x2:1,2,3,4"
                                       << "=="
                                       << "1x1:0" << false;
    QTest::newRow("== no tolerance") << "==" << value(1 + 5e-7) << "1x1:1"
                                     << "==" << value(5e-7) << false;
    QTest::newRow("== rows") << "=="
                             << "1x3:-1,0,1"
                             << "1x3:1,0,-1"
                             << "=="
                             << "1x1:4" << false;
    // Not a number on either side makes the "==" penalty not a number, whatever the other pairs add.
    QTest::newRow("== NaN") << "=="
                            << "2x1:nan,1"
                            << "2x1:0,1"
                            << "=="
                            << "1x1:nan" << false;
    QTest::newRow("== NaN on the right and a violation") << "=="
                                                         << "1x3:1,2,3"
                                                         << "1x3:1,nan,0"
                                                         << "=="
                                                         << "1x1:nan" << false;
    QTest::newRow("== equal infinities") << "=="
                                         << "1x1:inf"
                                         << "1x1:inf"
                                         << "=="
                                         << "1x1:0" << false;
    QTest::newRow("== infinity against a number") << "=="
                                                  << "1x1:-inf"
                                                  << "1x1:0"
                                                  << "=="
                                                  << "1x1:inf" << false;
    // ---- ">=" ----
    QTest::newRow(">= tie") << ">="
                            << "1x1:2"
                            << "1x1:2"
                            << ">="
                            << "1x1:0" << false;
    QTest::newRow(">= shortfall 5e-7") << ">=" << value(2 - 5e-7) << "1x1:2"
                                       << ">="
                                       << "1x1:0" << false;
    QTest::newRow(">= shortfall 9e-7") << ">=" << value(1 - 9e-7) << "1x1:1"
                                       << ">="
                                       << "1x1:0" << false;
    QTest::newRow(">= shortfall 1.1e-6") << ">=" << value(1 - 1.1e-6) << "1x1:1"
                                         << ">=" << value(1.1e-6) << false;
    QTest::newRow(">= 1 against 3") << ">="
                                    << "1x1:1"
                                    << "1x1:3"
                                    << ">="
                                    << "1x1:2" << false;
    QTest::newRow(">= matrix") << ">="
                               << "2x2:1,5,0,4"
                               << "2x2:2,1,3,4"
                               << ">="
                               << "1x1:4" << false;
    QTest::newRow(">= NaN") << ">="
                            << "2x1:5,5"
                            << "2x1:nan,0"
                            << ">=" << nanPenalty << false;
    // ---- ">" ----
    QTest::newRow("> tie") << ">"
                           << "1x1:2"
                           << "1x1:2"
                           << ">"
                           << "1x1:1" << false;
    QTest::newRow("> above by 2e-6") << ">" << value(2 + 2e-6) << "1x1:2"
                                     << ">"
                                     << "1x1:0" << false;
    QTest::newRow("> above by 9e-7") << ">" << value(1 + 9e-7) << "1x1:1"
                                     << ">" << value(1 - 9e-7) << false;
    QTest::newRow("> 1 against 3") << ">"
                                   << "1x1:1"
                                   << "1x1:3"
                                   << ">"
                                   << "1x1:3" << false;
    QTest::newRow("> vectors with two ties") << ">"
                                             << "3x1:0,5,2"
                                             << "3x1:0,1,2"
                                             << ">"
                                             << "1x1:2" << false;
    QTest::newRow("> NaN and a violation") << ">"
                                           << "1x2:nan,1"
                                           << "1x2:0,3"
                                           << ">" << value(ConstraintFrame::NaNPenalty + 3) << false;
    // ---- "<" ----
    QTest::newRow("< tie") << "<"
                           << "1x1:2"
                           << "1x1:2"
                           << "<"
                           << "1x1:1" << false;
    QTest::newRow("< below by 2e-6") << "<" << value(2 - 2e-6) << "1x1:2"
                                     << "<"
                                     << "1x1:0" << false;
    QTest::newRow("< below by 9e-7") << "<" << value(1 - 9e-7) << "1x1:1"
                                     << "<" << value(1 - 9e-7) << false;
    QTest::newRow("< 3 against 1") << "<"
                                   << "1x1:3"
                                   << "1x1:1"
                                   << "<"
                                   << "1x1:3" << false;
    QTest::newRow("< matrix") << "<"
                              << "2x2:0,1,2,3"
                              << "2x2:1,1,2,9"
                              << "<"
                              << "1x1:2" << false;
    QTest::newRow("< NaN") << "<"
                           << "1x1:nan"
                           << "1x1:nan"
                           << "<" << nanPenalty << false;
    // ---- "<=" ----
    QTest::newRow("<= tie") << "<="
                            << "1x1:2"
                            << "1x1:2"
                            << "<="
                            << "1x1:0" << false;
    QTest::newRow("<= 3 against 1") << "<="
                                    << "1x1:3"
                                    << "1x1:1"
                                    << "<="
                                    << "1x1:2" << false;
    QTest::newRow("<= below by 5e-7 adds nothing") << "<=" << value(2 - 5e-7) << "1x1:2"
                                                   << "<="
                                                   << "1x1:0" << false;
    QTest::newRow("<= above by 5e-7") << "<=" << value(1 + 5e-7) << "1x1:1"
                                      << "<=" << value(5e-7) << false;
    QTest::newRow("<= holding entries never cancel a violation")
        << "<="
        << "3x1:" + num(1 - 5e-7) + "," + num(2 - 5e-7) + "," + num(3 + 2e-6) << "3x1:1,2,3"
        << "<=" << value(2e-6) << false;
    QTest::newRow("<= matrix") << "<="
                               << "2x2:5,0,0,7"
                               << "2x2:1,9,9,1"
                               << "<="
                               << "1x1:10" << false;
    QTest::newRow("<= infinity") << "<="
                                 << "1x1:inf"
                                 << "1x1:1"
                                 << "<="
                                 << "1x1:inf" << false;
    QTest::newRow("<= NaN") << "<="
                            << "2x2:0,0,nan,nan"
                            << "2x2:1,1,1,1"
                            << "<=" << value(2 * ConstraintFrame::NaNPenalty) << false;
    // ---- shapes and failures ----
    for (const char *k : {"==", ">=", ">", "<=", "<"}) {
        const QString kw = QString::fromLatin1(k);
        QTest::newRow(qPrintable(kw + " value against column")) << kw << "1x1:1"
                                                                << "3x1:1,1,1"
                                                                << "Format error"
                                                                << "0x0" << true;
        QTest::newRow(qPrintable(kw + " column against row")) << kw << "3x1:1,2,3"
                                                              << "1x3:1,2,3"
                                                              << "Format error"
                                                              << "0x0" << true;
        QTest::newRow(qPrintable(kw + " only argument 1")) << kw << "1x1:1"
                                                           << ""
                                                           << "Missing arguments"
                                                           << "0x0" << true;
        QTest::newRow(qPrintable(kw + " only argument 2")) << kw << ""
                                                           << "1x1:1"
                                                           << "Missing arguments"
                                                           << "0x0" << true;
        QTest::newRow(qPrintable(kw + " two failed arguments")) << kw << "0x0"
                                                                << "0x0" << kw << "1x1:0" << true;
        QTest::newRow(qPrintable(kw + " argument in error"))
            << kw << "!1x1:5"
            << "1x1:5" << kw << (kw.contains('=') ? "1x1:0" : "1x1:1") << true;
    }
}

void TestConstraints::penalty()
{
    QFETCH(QString, keyword);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, status);
    QFETCH(QString, penalty);
    QFETCH(bool, error);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    QVERIFY(item);
    board.linkAll({a, b});
    QCOMPARE(item->getTooltip(), status);
    compareResult(item, penalty, 1e-12);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(item->getError(), error);
    QCOMPARE(item->getSRows(), QStringLiteral("NA"));
    QCOMPARE(item->getSCols(), QStringLiteral("NA"));
}

void TestConstraints::linkingSecondArgumentComputes()
{
    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral(">"));
    board.linkAll({"1x1:1"});
    QCOMPARE(item->getTooltip(), QStringLiteral("Missing arguments"));
    QCOMPARE(item->rows, 0);
    QVERIFY(item->getError());
    QVERIFY(OperatorBoard::link(board.fixed(QStringLiteral("1x1:3")), item, 2));
    QCOMPARE(item->getTooltip(), QStringLiteral(">"));
    QVERIFY(!item->getError());
    QCOMPARE(item->getValue(1), 3.0);
}

// Arguments 3 and 4 are refused, and a constraint is never the argument of another item.
void TestConstraints::refusedLinks_data()
{
    QTest::addColumn<QString>("keyword");
    for (const char *k : {"==", ">=", ">", "<=", "<"})
        QTest::newRow(k) << k;
}

void TestConstraints::refusedLinks()
{
    QFETCH(QString, keyword);
    OperatorBoard board;
    Calculus *item = board.make(keyword);
    FixedItem *x = board.fixed(QStringLiteral("1x1:1"));
    QVERIFY(!OperatorBoard::link(x, item, 3));
    QVERIFY(!OperatorBoard::link(x, item, 4));
    QVERIFY(!item->isLinked(3) && !item->isLinked(4));
    QVERIFY(!item->argument(3) && !item->argument(4));
    QVERIFY(x->outgoingLinks().isEmpty());

    FixedItem *user = board.fixed(QStringLiteral("1x1:1"));
    QVERIFY(!OperatorBoard::link(item, user, 1));
    QVERIFY(!user->argument(1));
    QVERIFY(item->outgoingLinks().isEmpty());
}

void TestConstraints::statusAfterFailure()
{
    OperatorBoard board;
    Calculus *item = board.make(QStringLiteral("=="));
    board.linkAll({"2x1:1,2", "3x1:1,2,3"});
    QCOMPARE(item->getTooltip(), QStringLiteral("Format error"));
    static_cast<FixedItem *>(item->argument(2))->set(QStringLiteral("2x1:1,1"));
    board.evaluate();
    QCOMPARE(item->getTooltip(), QStringLiteral("=="));
    QVERIFY(!item->getError());
    QCOMPARE(item->getValue(1), 1.0);
}

void TestConstraints::construction_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("className");
    QTest::newRow("==") << "=="
                        << "ConstraintEQ";
    QTest::newRow(">=") << ">="
                        << "ConstraintGE";
    QTest::newRow(">") << ">"
                       << "ConstraintGT";
    QTest::newRow("<=") << "<="
                        << "ConstraintLE";
    QTest::newRow("<") << "<"
                       << "ConstraintLT";
}

void TestConstraints::construction()
{
    QFETCH(QString, keyword);
    QFETCH(QString, className);

    OperatorBoard board;
    for (bool display : {false, true}) {
        Calculus *item = board.make(keyword, display);
        QVERIFY(item);
        QVERIFY(QString::fromLatin1(typeid(*item).name()).endsWith(className));
        QCOMPARE(item->name, keyword);
        QCOMPARE(item->category, QStringLiteral("Constraint"));
        QCOMPARE(item->latexDef, item->textDef);
        QCOMPARE(item->textDocumentation(), keyword + " : " + item->textDef + "\n");
        QCOMPARE(item->getCalculusDisplay() != nullptr, display);
        QCOMPARE(item->toolTip(), display ? keyword : QString());
        QCOMPARE(item->getSRows(), QStringLiteral("NA"));
    }
}

QTEST_MAIN(TestConstraints)
#include "tst_constraints.moc"
