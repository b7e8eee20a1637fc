#include "OperatorBoard.h"

#include <QtTest>

#include <typeinfo>

// What every operator shares: the factory's keywords and classes, construction with and without a
// display, the arity enforced on links and arguments, and the refusal of an item as its own argument.
class TestFrame : public QObject
{
    Q_OBJECT

private slots:
    void construction_data();
    void construction();
    void arity_data();
    void arity();
    void unknownKeywords_data();
    void unknownKeywords();
};

void TestFrame::construction_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("className");

    const char *pairs[][2] = {{"ABS", "operABS"},        {"CEIL", "operCEIL"},    {"CENTER", "operCENTER"},
                              {"ANGLE", "operANGLE"},    {"+", "operADD"},        {"ADDCOLS", "operADDCOLS"},
                              {"-", "operSUBSTRACT"},    {".*", "operMULTTERMS"}, {"MMAX", "operMMAX"},
                              {"MMIN", "operMMIN"},      {"/", "operDIV"},        {"MAX", "operMAX"},
                              {"MIN", "operMIN"},        {"SUM", "operSUM"},      {"VAR", "operVAR"},
                              {"EIGENVALUES", "operEIG"}};
    for (const auto &p : pairs)
        QTest::newRow(p[0]) << p[0] << p[1];
}

void TestFrame::construction()
{
    QFETCH(QString, keyword);
    QFETCH(QString, className);

    OperatorBoard board;
    for (bool display : {false, true}) {
        Calculus *item = board.make(keyword, display);
        QVERIFY(item);
        QVERIFY(QString::fromLatin1(typeid(*item).name()).endsWith(className));
        QVERIFY(dynamic_cast<Operator *>(item));
        QCOMPARE(item->name, keyword);
        QCOMPARE(item->category, QStringLiteral("Operator"));
        QVERIFY(!item->textDef.isEmpty() && !item->latexDef.isEmpty());
        QCOMPARE(item->textDocumentation(), keyword + " : " + item->textDef + "\n");
        QCOMPARE(item->w, 120);
        QCOMPARE(item->h, 60);
        QVERIFY(item->x0 >= 0 && item->x0 < 200 && item->y0 >= 0 && item->y0 < 200);
        QCOMPARE(item->rows, 0);
        QVERIFY(!item->getError());
        QVERIFY(item->getTooltip().isEmpty());
        const QString label = keyword == QLatin1String("ANGLE") ? QStringLiteral("1") : QStringLiteral("NA");
        QCOMPARE(item->getSRows(), label);
        QCOMPARE(item->getSCols(), label);
        QCOMPARE(item->getCalculusDisplay() != nullptr, display);
        QCOMPARE(item->toolTip(), display ? keyword : QString());
        QCOMPARE(bool(item->flags() & QGraphicsItem::ItemIsMovable), display);
        QCOMPARE(item->zValue(), display ? 1.0 : 0.0);
    }
}

void TestFrame::arity_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("accepted");
    for (const char *k : {"ABS", "CEIL", "CENTER", "MAX", "MIN", "SUM", "VAR", "EIGENVALUES"})
        QTest::newRow(k) << k << 1;
    QTest::newRow("ANGLE") << "ANGLE" << 2;
    for (const char *k : {"+", "-", ".*", "/", "MMAX", "MMIN", "ADDCOLS"})
        QTest::newRow(k) << k << 4;
}

// Each slot K is offered a link as the board does: slots above the arity refuse it and the argument
// stays empty; a refused argument setter changes nothing; no slot takes the item itself.
void TestFrame::arity()
{
    QFETCH(QString, keyword);
    QFETCH(int, accepted);

    OperatorBoard board;
    Calculus *item = board.make(keyword);
    for (int k = 1; k <= 4; ++k) {
        FixedItem *source = board.fixed(QStringLiteral("1x1:1"));
        QCOMPARE(OperatorBoard::link(source, item, k), k <= accepted);
        QCOMPARE(item->isLinked(k), k <= accepted);
        QCOMPARE(item->argument(k) == source, k <= accepted);
        QCOMPARE(source->outgoingLinks().size(), k <= accepted ? 1 : 0);
    }
    FixedItem *other = board.fixed(QStringLiteral("1x1:2"));
    QVERIFY(!item->setArg4(accepted < 4 ? other : item));
    QVERIFY(!item->setArg1(item));
    QVERIFY(item->argument(1) != item);

    // A link from the item to itself is refused by both ends.
    OperatorBoard alone;
    Calculus *single = alone.make(keyword);
    QVERIFY(!OperatorBoard::link(single, single, 1));
    QVERIFY(!single->argument(1));
    QVERIFY(single->outgoingLinks().isEmpty());
}

void TestFrame::unknownKeywords_data()
{
    QTest::addColumn<QString>("keyword");
    for (const char *k :
         {"", "abs", "Eigenvalues", "EIGENVALUE", "+ ", " +", "NODEIMPACT", "=>", "=", "MAX "})
        QTest::newRow(qPrintable(QStringLiteral("\"%1\"").arg(k))) << k;
}

void TestFrame::unknownKeywords()
{
    QFETCH(QString, keyword);
    OperatorBoard board;
    QVERIFY(!board.make(keyword));
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
