#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <vector>

class QTableWidget;
class QTableWidgetItem;

// The table of one analyst: the rows of values that its AnalystWidget computed for the graphs of
// a graph database (one row per graph, or one per vertex), each carrying the database index of
// its graph. It shows the rows one page of 100 at a time under the minimum, maximum and mean of
// every column, and writes all rows to a tab-separated text file.
//
// The rows are held in one flat array of values (plus one offset per row), so that hundreds of
// thousands of rows cost little more than their values. The data table never holds more than
// 100 lines of cells; paging replaces the texts of existing cells.
//
// Lives on the GUI thread and takes no lock.
class Analyst : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PageSize = 100;
    // What value() answers for a position outside the rows.
    static constexpr double Outside = 1e12;

    explicit Analyst(QWidget *parent = nullptr);

    // The column names, empty names left out; the tables change only at the next build.
    void setHeader(QStringList names);
    // The column names as set: one per value of a row. The tables never lose a column, so after
    // the names shrink the tables show more columns than there are names; those extra columns
    // carry empty labels (columnLabels()) but are no names of the rows' values.
    const QStringList &getHeader() const { return header; }
    // The names followed by an empty label for every further column of the tables.
    QStringList columnLabels() const;
    // Appends a row carrying dbIndex; the display does not change.
    void push_back(const QVector<double> &row, int dbIndex);
    // Empties the rows and the statistics; header, page and tables stay until the next build.
    void clear();
    // Recomputes the statistics and shows the first page.
    void buildTable();
    // Writes the header and every row (QSaveFile, every write checked); false on any failure,
    // and an existing file is then left as it was. On failure *error (when given) says why.
    bool save(QString path, QString *error = nullptr);

    int nbGraphs() const { return graphIndex.size(); }
    // Value c of row r, or 1e12 outside the rows or beyond the row's length.
    double value(int r, int c) const;
    // The database index of row r, or 0 outside the rows.
    int vertex(int r) const;
    // The values of row r (a copy); the caller keeps 0 <= r < nbGraphs().
    QVector<double> getLine(int r) const;
    int rowLength(int r) const;
    QVector<int> getGraphsRef() const { return graphIndex; }
    // start plus the data table's current line, or -1 without a current cell.
    int currentRow() const;
    // Emits signal_load_graph(n) (n: a database index, as every sender of the signal uses it).
    void load(int n);

    int pageStart() const { return start; }
    QVector<double> getMinimum() const { return minimum; }
    QVector<double> getMaximum() const { return maximum; }
    QVector<double> getMean() const { return mu; }
    QTableWidget *getDataTable() const { return dataTable; }
    QTableWidget *getStatsTable() const { return statsTable; }

public slots:
    void slot_build_next_table();
    void slot_build_prev_table();
    // Emits signal_load_graph with the database index of the row on line row (nothing for a line
    // past the last row).
    void slot_cell_double_clicked(int row, int column);
    // Makes the first line of the shown page whose row comes from database graph n current. When
    // the graph's rows are only on later pages nothing changes; otherwise no cell is current.
    void slot_hilight(int n);
    void slot_item_double_clicked(QTableWidgetItem *item);

signals:
    void signal_total_data(int n);
    void signal_cur_pos(int start);
    void signal_next_data_available(bool on);
    void signal_prev_data_available(bool on);
    void signal_load_graph(int n);

private:
    void setCell(QTableWidget *table, int row, int column, const QString &text);
    void blankDataTable();
    void showPage();
    void computeStatistics();

    QTableWidget *dataTable;
    QTableWidget *statsTable;
    // Row r holds values[offsets[r] .. offsets[r + 1]). Standard vectors: a vertex analyst of
    // millions of graphs holds more values than a Qt 5 container can address.
    std::vector<double> values;
    std::vector<qint64> offsets{0};
    QVector<double> mu;
    QVector<double> minimum;
    QVector<double> maximum;
    QVector<int> graphIndex;
    QStringList header;
    int start = 0;
};
