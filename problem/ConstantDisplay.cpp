#include "problem/ConstantDisplay.h"

#include "graph/Graph.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTableWidgetItem>

#include <iostream>

namespace
{
const int maxSize = 32;

QTableWidgetItem *valueCell(double v)
{
    auto *cell = new QTableWidgetItem(QString::number(v, 'g', 6));
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return cell;
}
} // namespace

ConstantDisplay::ConstantDisplay(const QString &keyword)
{
    name = keyword;
    M = QVector<QVector<double>>(maxSize, QVector<double>(maxSize, 0.0));
    setModal(false);
    setWindowTitle(QStringLiteral("Constant definition"));

    auto *layout = new QGridLayout(this);
    auto *tabs = new QTabWidget(this);
    layout->addWidget(tabs, 0, 0);

    // "Settings": the complement and the report boxes other than "Graph Value" exist (the item's
    // flags live in them) but are not shown.
    auto *settings = new QWidget(tabs);
    gl_settings = new QGridLayout(settings);
    auto *invert = new QCheckBox(QStringLiteral("Invert"), settings);
    invert->setEnabled(false);
    gl_settings->addWidget(invert, 0, 0);
    gl_settings->addWidget(new QLabel(QStringLiteral("Name :"), settings), 1, 0);
    le_name = new QLineEdit(settings);
    gl_settings->addWidget(le_name, 1, 1);
    cb_graphInReport = new QCheckBox(QStringLiteral("Graph Value"), settings);
    gl_settings->addWidget(cb_graphInReport, 2, 1);
    cb_inReport = new QCheckBox(QStringLiteral("Insert in report"), settings);
    cb_nodInReport = new QCheckBox(QStringLiteral("Node value"), settings);
    cb_vecInReport = new QCheckBox(QStringLiteral("Vector"), settings);
    cb_invertGraph = new QCheckBox(QStringLiteral("Complement"), settings);
    for (QCheckBox *hidden : {cb_inReport, cb_nodInReport, cb_vecInReport, cb_invertGraph})
        hidden->setVisible(false);
    cb_invertGraph->setEnabled(false);
    groupReportModes();
    tabs->addTab(settings, QStringLiteral("Settings"));

    // "Results": the value table and its buttons.
    auto *results = new QWidget(tabs);
    gl_results = new QGridLayout(results);
    lb_keyword = new QLabel(QStringLiteral("NA"), results);
    lb_keyword->setTextFormat(Qt::PlainText);
    lb_givenName = new QLabel(results);
    lb_givenName->setTextFormat(Qt::PlainText);
    auto *done = new QPushButton(QStringLiteral("Done"), results);
    gl_results->addWidget(lb_keyword, 0, 0);
    gl_results->addWidget(lb_givenName, 0, 1);
    gl_results->addWidget(done, 0, 2, 1, 2);
    tw_results = new QTableWidget(1, 1, results);
    tw_results->setItem(0, 0, valueCell(0.0));
    nbRows = 1;
    nbCols = 1;
    gl_results->addWidget(tw_results, 1, 0, 2, 4);
    auto *addRow = new QPushButton(QStringLiteral("add row"), results);
    auto *delRow = new QPushButton(QStringLiteral("del row"), results);
    auto *addCol = new QPushButton(QStringLiteral("add col"), results);
    auto *delCol = new QPushButton(QStringLiteral("del col"), results);
    auto *cloneButton = new QPushButton(QStringLiteral("Clone"), results);
    auto *apply = new QPushButton(QStringLiteral("Apply"), results);
    gl_results->addWidget(addRow, 3, 0, 1, 2);
    gl_results->addWidget(delRow, 3, 2, 1, 2);
    gl_results->addWidget(addCol, 4, 0, 1, 2);
    gl_results->addWidget(delCol, 4, 2, 1, 2);
    gl_results->addWidget(cloneButton, 5, 0, 1, 2);
    gl_results->addWidget(apply, 5, 2, 1, 2);
    tabs->addTab(results, QStringLiteral("Results"));

    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    connect(addRow, &QPushButton::clicked, this, &ConstantDisplay::slot_add_row);
    connect(addCol, &QPushButton::clicked, this, &ConstantDisplay::slot_add_col);
    connect(delRow, &QPushButton::clicked, this, &ConstantDisplay::slot_del_row);
    connect(delCol, &QPushButton::clicked, this, &ConstantDisplay::slot_del_col);
    connect(cloneButton, &QPushButton::clicked, this, &ConstantDisplay::slot_clone);
    connect(apply, &QPushButton::clicked, this, &ConstantDisplay::slot_apply);
    connect(le_name, &QLineEdit::textChanged, lb_givenName, &QLabel::setText);

    hide();
}

ConstantDisplay::~ConstantDisplay() = default;

bool ConstantDisplay::clone()
{
    const bool requested = cloneRequested;
    cloneRequested = false;
    return requested;
}

void ConstantDisplay::setValues(const QVector<QVector<double>> &m, int rows, int cols)
{
    Q_UNUSED(m);
    Q_UNUSED(rows);
    Q_UNUSED(cols);
}

QVector<QVector<double>> *ConstantDisplay::getM()
{
    const int r = qBound(0, nbRows, maxSize);
    const int c = qBound(0, nbCols, maxSize);
    for (int i = 0; i < r; ++i) {
        for (int j = 0; j < c; ++j) {
            const QTableWidgetItem *cell = tw_results->item(i, j);
            bool ok = false;
            const double v = cell ? cell->text().toDouble(&ok) : 0.0;
            M[i][j] = ok ? v : 0.0;
        }
    }
    return &M;
}

void ConstantDisplay::loadData(int rows, int cols, QVector<double> values)
{
    if (rows < 0 || cols < 0 || rows > maxSize || cols > maxSize || values.size() != rows * cols) {
        std::cerr << "ERR r=" << rows << " c=" << cols << " v.size()" << values.size() << std::endl;
        return;
    }
    nbRows = rows;
    nbCols = cols;
    tw_results->setRowCount(rows);
    tw_results->setColumnCount(cols);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            const double v = values.at(i * cols + j);
            M[i][j] = v;
            tw_results->setItem(i, j, valueCell(v));
        }
    }
}

void ConstantDisplay::fillNewCells()
{
    for (int i = 0; i < nbRows; ++i)
        for (int j = 0; j < nbCols; ++j)
            if (!tw_results->item(i, j))
                tw_results->setItem(i, j, valueCell(0.0));
}

void ConstantDisplay::slot_add_row()
{
    if (nbRows > maxSize - 1)
        return;
    ++nbRows;
    tw_results->setRowCount(nbRows);
    fillNewCells();
}

void ConstantDisplay::slot_add_col()
{
    if (nbCols > maxSize - 1)
        return;
    ++nbCols;
    tw_results->setColumnCount(nbCols);
    fillNewCells();
}

void ConstantDisplay::slot_del_row()
{
    if (nbRows < 2)
        return;
    --nbRows;
    tw_results->setRowCount(nbRows);
}

void ConstantDisplay::slot_del_col()
{
    if (nbCols < 2)
        return;
    --nbCols;
    tw_results->setColumnCount(nbCols);
}

void ConstantDisplay::slot_clone()
{
    cloneRequested = true;
    if (graph)
        graph->changeBest();
}

void ConstantDisplay::slot_apply()
{
    if (graph)
        graph->changeBest();
}
