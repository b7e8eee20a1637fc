#include "analysts/Analyst.h"

#include "dialogs/WholeFile.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QTableWidget>

#include <cmath>
#include <iostream>

namespace
{

QString numberText(double x)
{
    return QString::number(x, 'g', 6);
}

} // namespace

Analyst::Analyst(QWidget *parent) : QWidget(parent)
{
    dataTable = new QTableWidget(PageSize, 0, this);
    statsTable = new QTableWidget(3, 0, this);
    statsTable->setVerticalHeaderLabels({QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Mu")});
    statsTable->setMaximumHeight(120);
    auto *layout = new QGridLayout(this);
    layout->addWidget(statsTable, 0, 0);
    layout->addWidget(dataTable, 1, 0);
    connect(dataTable, &QTableWidget::cellDoubleClicked, this, &Analyst::slot_cell_double_clicked);
}

void Analyst::setHeader(QStringList names)
{
    header.clear();
    for (const QString &name : names)
        if (!name.isEmpty())
            header << name;
}

QStringList Analyst::columnLabels() const
{
    QStringList labels = header;
    while (labels.size() < dataTable->columnCount())
        labels << QString();
    return labels;
}

void Analyst::push_back(const QVector<double> &row, int dbIndex)
{
    values.insert(values.end(), row.constBegin(), row.constEnd());
    offsets.push_back(static_cast<qint64>(values.size()));
    graphIndex.append(dbIndex);
}

void Analyst::clear()
{
    values.clear();
    values.shrink_to_fit();
    offsets.assign(1, 0);
    offsets.shrink_to_fit();
    graphIndex.clear();
    mu.clear();
    minimum.clear();
    maximum.clear();
}

int Analyst::rowLength(int r) const
{
    if (r < 0 || r >= graphIndex.size())
        return 0;
    return static_cast<int>(offsets[r + 1] - offsets[r]);
}

double Analyst::value(int r, int c) const
{
    if (r < 0 || c < 0 || r >= graphIndex.size() || c >= rowLength(r))
        return Outside;
    return values[offsets[r] + c];
}

int Analyst::vertex(int r) const
{
    if (r < 0 || r >= graphIndex.size())
        return 0;
    return graphIndex[r];
}

QVector<double> Analyst::getLine(int r) const
{
    if (r < 0 || r >= graphIndex.size())
        return {};
    const double *row = values.data() + offsets[r];
    return QVector<double>(row, row + rowLength(r));
}

int Analyst::currentRow() const
{
    const int line = dataTable->currentRow();
    return line < 0 ? -1 : start + line;
}

void Analyst::load(int n)
{
    emit signal_load_graph(n);
}

void Analyst::setCell(QTableWidget *table, int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = table->item(row, column))
        item->setText(text);
    else
        table->setItem(row, column, new QTableWidgetItem(text));
}

void Analyst::blankDataTable()
{
    for (int p = 0; p < dataTable->rowCount(); ++p) {
        for (int c = 0; c < dataTable->columnCount(); ++c)
            if (QTableWidgetItem *item = dataTable->item(p, c))
                item->setText(QString());
    }
}

// Shows rows start .. start + 99; lines past the last row are blank with an empty header.
void Analyst::showPage()
{
    const int columns = dataTable->columnCount();
    QStringList rowLabels;
    dataTable->setUpdatesEnabled(false);
    for (int p = 0; p < PageSize; ++p) {
        const int r = start + p;
        const bool used = r < nbGraphs();
        const int len = used ? rowLength(r) : 0;
        for (int c = 0; c < columns; ++c) {
            if (c < len)
                setCell(dataTable, p, c, numberText(values[offsets[r] + c]));
            else if (QTableWidgetItem *item = dataTable->item(p, c))
                item->setText(QString());
        }
        rowLabels << (used ? QString::number(graphIndex[r] + 1) : QString());
    }
    dataTable->setVerticalHeaderLabels(rowLabels);
    dataTable->setUpdatesEnabled(true);
}

// Sized from the first row: Min and Max start as that row, and a later value replaces an entry
// only when it compares beyond it, so a later value that is not a number never becomes Min or
// Max, while one in the first row stays (as it stays in the mean, which divides by every row).
void Analyst::computeStatistics()
{
    mu.clear();
    minimum.clear();
    maximum.clear();
    if (nbGraphs() == 0)
        return;
    const int k = rowLength(0);
    minimum = getLine(0);
    maximum = minimum;
    mu.fill(0.0, k);
    for (int r = 0; r < nbGraphs(); ++r) {
        const int len = std::min(k, rowLength(r));
        const double *row = values.data() + offsets[r];
        for (int c = 0; c < len; ++c) {
            const double v = row[c];
            if (minimum[c] > v)
                minimum[c] = v;
            if (v > maximum[c])
                maximum[c] = v;
            mu[c] += v;
        }
    }
    for (double &m : mu)
        m /= static_cast<double>(nbGraphs());
}

void Analyst::buildTable()
{
    emit signal_total_data(nbGraphs());
    start = 0;
    emit signal_cur_pos(0);

    const int c0 = dataTable->columnCount();
    const int h = header.size();
    if (h > c0) {
        dataTable->setColumnCount(h);
        statsTable->setColumnCount(h);
        for (int p = 0; p < PageSize; ++p)
            for (int c = c0; c < h; ++c)
                dataTable->setItem(p, c, new QTableWidgetItem(QString()));
    }
    const QStringList labels = columnLabels();
    dataTable->setHorizontalHeaderLabels(labels);
    statsTable->setHorizontalHeaderLabels(labels);

    emit signal_next_data_available(nbGraphs() > PageSize);
    emit signal_prev_data_available(false);

    computeStatistics();
    const int k = minimum.size();
    for (int c = 0; c < statsTable->columnCount(); ++c) {
        setCell(statsTable, 0, c, c < k ? numberText(minimum[c]) : QString());
        setCell(statsTable, 1, c, c < k ? numberText(maximum[c]) : QString());
        setCell(statsTable, 2, c, c < k ? numberText(mu[c]) : QString());
    }
    showPage();
}

void Analyst::slot_build_next_table()
{
    if (start + PageSize >= nbGraphs())
        return;
    blankDataTable();
    start += PageSize;
    emit signal_cur_pos(start);
    emit signal_next_data_available(start + PageSize < nbGraphs());
    emit signal_prev_data_available(true);
    showPage();
}

void Analyst::slot_build_prev_table()
{
    if (start <= 0)
        return;
    blankDataTable();
    start = std::max(0, start - PageSize);
    emit signal_cur_pos(start);
    emit signal_prev_data_available(start > 0);
    emit signal_next_data_available(true);
    showPage();
}

void Analyst::slot_cell_double_clicked(int row, int)
{
    const int r = start + row;
    if (row < 0 || r >= nbGraphs())
        return;
    emit signal_load_graph(graphIndex[r]);
}

void Analyst::slot_hilight(int n)
{
    if (nbGraphs() == 0 || rowLength(0) == 0)
        return;
    const int end = std::min(nbGraphs(), start + PageSize);
    for (int p = 0; start + p < end; ++p) {
        if (graphIndex[start + p] == n) {
            dataTable->setCurrentCell(p, 0);
            return;
        }
    }
    // A row of that graph on a later page leaves the shown page as it is; on an earlier page, or
    // on none, no line of the shown page is current.
    for (int r = end; r < nbGraphs(); ++r)
        if (graphIndex[r] == n)
            return;
    dataTable->setCurrentCell(-1, -1);
}

void Analyst::slot_item_double_clicked(QTableWidgetItem *item)
{
    if (item)
        std::cerr << "ITEM = " << item->text().toUtf8().constData() << std::endl;
}

bool Analyst::save(QString path, QString *error)
{
    WholeFile file(path);
    // The columns of the table, so a header left from wider rows ends in empty fields.
    QByteArray line = columnLabels().join(QLatin1Char('\t')).toLatin1() + '\n';
    bool ok = file.open() && file.write(line);
    for (int r = 0; ok && r < nbGraphs(); ++r) {
        line.clear();
        const int len = rowLength(r);
        for (int c = 0; c < len; ++c) {
            if (c > 0)
                line += '\t';
            line += numberText(values[offsets[r] + c]).toLatin1();
        }
        line += '\n';
        ok = file.write(line);
    }
    if (!ok || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    std::cerr << nbGraphs() << " lines of data." << std::endl;
    return true;
}
