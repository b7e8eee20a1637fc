#include "analysts/Analyst.h"

#include <QFile>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

// The analyst table on its own: pages of 100 lines, statistics, the text file, positions.
class TestAnalyst : public QObject
{
    Q_OBJECT

private slots:
    void statistics_data();
    void statistics();
    void saveFormat_data();
    void saveFormat();
    void saveFailure();
    void positions();

private:
    static QString cell(QTableWidget *t, int row, int column)
    {
        QTableWidgetItem *item = t->item(row, column);
        return item ? item->text() : QString();
    }
    static QString rowHeader(QTableWidget *t, int row)
    {
        QTableWidgetItem *item = t->verticalHeaderItem(row);
        return item ? item->text() : QString();
    }
};

using Rows = QVector<QVector<double>>;

// Statistics as shown: Min, Max, Mu per column (text), worked out by hand.
void TestAnalyst::statistics_data()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("minimum");
    QTest::addColumn<QStringList>("maximum");
    QTest::addColumn<QStringList>("mean");
    QTest::newRow("two rows") << Rows{{1, 5}, {3, -2}} << QStringList{"1", "-2"} << QStringList{"3", "5"}
                              << QStringList{"2", "1.5"};
    QTest::newRow("no rows") << Rows{} << QStringList{"", ""} << QStringList{"", ""} << QStringList{"", ""};
    QTest::newRow("large and small") << Rows{{1e12, 1e-7}, {2.5e12, 3e-7}} << QStringList{"1e+12", "1e-07"}
                                     << QStringList{"2.5e+12", "3e-07"} << QStringList{"1.75e+12", "2e-07"};
    // A shorter row adds to the columns it has; the mean still divides by every row.
    QTest::newRow("shorter row") << Rows{{2, 4}, {6}} << QStringList{"2", "4"} << QStringList{"6", "4"}
                                 << QStringList{"4", "2"};
    // Values beyond the first row's length are not counted.
    QTest::newRow("longer row") << Rows{{2}, {6, 100}} << QStringList{"2", ""} << QStringList{"6", ""}
                                << QStringList{"4", ""};
    // Min and Max start as the first row; later values replace them only by comparing beyond.
    QTest::newRow("not a number first") << Rows{{nan, 1}, {3, 1}, {-1, 1}} << QStringList{"nan", "1"}
                                        << QStringList{"nan", "1"} << QStringList{"nan", "1"};
    QTest::newRow("not a number later") << Rows{{2, 1}, {nan, 1}, {-1, 4}} << QStringList{"-1", "1"}
                                        << QStringList{"2", "4"} << QStringList{"nan", "2"};
    QTest::newRow("infinite values") << Rows{{inf, 1}, {3, -inf}, {-1, 1}} << QStringList{"-1", "-inf"}
                                     << QStringList{"inf", "1"} << QStringList{"inf", "-inf"};
}

void TestAnalyst::statistics()
{
    QFETCH(Rows, rows);
    QFETCH(QStringList, minimum);
    QFETCH(QStringList, maximum);
    QFETCH(QStringList, mean);
    Analyst a;
    a.setHeader({QStringLiteral("a"), QStringLiteral("b")});
    for (int r = 0; r < rows.size(); ++r)
        a.push_back(rows[r], r);
    a.buildTable();
    QTableWidget *s = a.getStatsTable();
    QCOMPARE(s->rowCount(), 3);
    QCOMPARE(s->columnCount(), 2);
    for (int c = 0; c < 2; ++c) {
        QCOMPARE(cell(s, 0, c), minimum[c]);
        QCOMPARE(cell(s, 1, c), maximum[c]);
        QCOMPARE(cell(s, 2, c), mean[c]);
    }
}

// earlier: a header built before (the columns never shrink, so the file gets empty names).
void TestAnalyst::saveFormat_data()
{
    QTest::addColumn<QStringList>("earlier");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("two rows") << QStringList{} << QStringList{"a", "b"} << Rows{{1, 0.5}, {1e12, 2}}
                              << QByteArray("a\tb\n1\t0.5\n1e+12\t2\n");
    QTest::newRow("empty analyst") << QStringList{} << QStringList{} << Rows{} << QByteArray("\n");
    QTest::newRow("header shrinks from 5 to 3, one name empty")
        << QStringList{"a", "b", "c", "d", "e"} << QStringList{"x", "", "y", "z"} << Rows{{7, 8, 9}}
        << QByteArray("x\ty\tz\t\t\n7\t8\t9\n");
    QTest::newRow("six digits, Latin-1")
        << QStringList{}
        << QStringList{QString::fromUtf8("\xce\xbb"
                                         "1"),
                       QString::fromUtf8("d\xc3\xa9g")}
        << Rows{{3.14159265, -0.000123456789}, {}} << QByteArray("?1\td\xe9g\n3.14159\t-0.000123457\n\n");
}

void TestAnalyst::saveFormat()
{
    QFETCH(QStringList, earlier);
    QFETCH(QStringList, header);
    QFETCH(Rows, rows);
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    Analyst a;
    a.setHeader(earlier);
    a.buildTable();
    a.setHeader(header);
    for (int r = 0; r < rows.size(); ++r)
        a.push_back(rows[r], r);
    a.buildTable();
    QCOMPARE(a.getDataTable()->columnCount(), std::max(earlier.size(), rows.value(0).size()));
    const QString path = dir.filePath("data.txt");
    QVERIFY(a.save(path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), file);
}

void TestAnalyst::saveFailure()
{
    QTemporaryDir dir;
    Analyst a;
    a.setHeader({"a"});
    a.push_back({1}, 0);
    QVERIFY(!a.save(dir.filePath("no/such/folder/data.txt")));
    QVERIFY(!a.save(QString()));
    // A folder where the file should be.
    QVERIFY(!a.save(dir.path()));
}

void TestAnalyst::positions()
{
    Analyst a;
    a.setHeader({"v"});
    QSignalSpy nextOn(&a, &Analyst::signal_next_data_available);
    for (int r = 0; r < 100; ++r)
        a.push_back({double(r)}, r / 2);
    a.buildTable();
    QVERIFY(!nextOn.last().at(0).toBool()); // exactly one page
    for (int r = 100; r < 230; ++r)
        a.push_back({double(r)}, r / 2);
    a.buildTable();
    QCOMPARE(a.value(-1, 0), 1e12);
    QCOMPARE(a.value(0, -1), 1e12);
    QCOMPARE(a.value(230, 0), 1e12);
    QCOMPARE(a.value(5, 1), 1e12);
    QCOMPARE(a.value(229, 0), 229.0);
    QCOMPARE(a.vertex(-1), 0);
    QCOMPARE(a.vertex(230), 0);
    QCOMPARE(a.vertex(229), 114);
    QCOMPARE(a.getLine(17), QVector<double>{17.0});
    QCOMPARE(a.currentRow(), -1);

    a.slot_build_next_table();
    a.getDataTable()->setCurrentCell(5, 0);
    QCOMPARE(a.currentRow(), 105);

    // A double-click names the row's database graph; a line past the last row names nothing.
    QSignalSpy load(&a, &Analyst::signal_load_graph);
    a.slot_cell_double_clicked(5, 0);
    QCOMPARE(load.size(), 1);
    QCOMPARE(load.last().at(0).toInt(), 52);
    a.slot_build_next_table();
    QVERIFY(!nextOn.last().at(0).toBool());
    a.slot_build_next_table(); // past the end: stays
    QCOMPARE(a.pageStart(), 200);
    QCOMPARE(a.getDataTable()->verticalHeaderItem(30)->text(), QString());
    a.slot_cell_double_clicked(40, 0);
    QCOMPARE(load.size(), 1);

    // Highlight by database graph: its first line on the shown page, or no current cell.
    a.slot_hilight(110); // rows 220 and 221
    QCOMPARE(a.currentRow(), 220);
    a.slot_hilight(3);
    QCOMPARE(a.currentRow(), -1);
    // Back on the first page, with line 7 current: a graph whose rows are on a later page changes
    // nothing, one that no row carries leaves no current cell.
    a.slot_build_prev_table();
    a.slot_build_prev_table();
    a.getDataTable()->setCurrentCell(7, 0);
    a.slot_hilight(60); // rows 120 and 121
    QCOMPARE(a.currentRow(), 7);
    a.slot_hilight(500);
    QCOMPARE(a.currentRow(), -1);
}

QTEST_MAIN(TestAnalyst)
#include "tst_analyst.moc"
