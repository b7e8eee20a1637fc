#include "problem/CalculusDisplay.h"

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
} // namespace

CalculusDisplay::CalculusDisplay(const QString &name) : name(name), M(maxSize, QVector<double>(maxSize, 0.0))
{
    setModal(false);
    setWindowTitle(QStringLiteral("Item information"));

    auto *layout = new QGridLayout(this);
    auto *tabs = new QTabWidget(this);
    layout->addWidget(tabs, 0, 0);

    // "Settings"
    auto *settings = new QWidget(tabs);
    gl_settings = new QGridLayout(settings);
    cb_invertGraph = new QCheckBox(QStringLiteral("Complement"), settings);
    cb_invertGraph->setEnabled(false);
    auto *done1 = new QPushButton(QStringLiteral("Done"), settings);
    gl_settings->addWidget(cb_invertGraph, 0, 0);
    gl_settings->addWidget(done1, 0, 1);
    gl_settings->addWidget(new QLabel(QStringLiteral("Name :"), settings), 1, 0);
    le_name = new QLineEdit(settings);
    gl_settings->addWidget(le_name, 1, 1);
    cb_inReport = new QCheckBox(QStringLiteral("Insert in analyst"), settings);
    cb_graphInReport = new QCheckBox(QStringLiteral("Graph Value"), settings);
    cb_nodInReport = new QCheckBox(QStringLiteral("Node Value"), settings);
    cb_vecInReport = new QCheckBox(QStringLiteral("Vector"), settings);
    gl_settings->addWidget(cb_inReport, 2, 0);
    gl_settings->addWidget(cb_graphInReport, 2, 1);
    gl_settings->addWidget(cb_nodInReport, 3, 1);
    gl_settings->addWidget(cb_vecInReport, 4, 1);
    groupReportModes();
    tabs->addTab(settings, QStringLiteral("Settings"));

    // "Results"
    auto *results = new QWidget(tabs);
    gl_results = new QGridLayout(results);
    lb_keyword = new QLabel(QStringLiteral("NA"), results);
    lb_givenName = new QLabel(results);
    lb_givenName->setTextFormat(Qt::PlainText);
    lb_keyword->setTextFormat(Qt::PlainText);
    auto *done2 = new QPushButton(QStringLiteral("Done"), results);
    tw_results = new QTableWidget(0, 0, results);
    gl_results->addWidget(lb_keyword, 0, 0);
    gl_results->addWidget(lb_givenName, 0, 1);
    gl_results->addWidget(done2, 0, 2, 1, 2);
    gl_results->addWidget(tw_results, 2, 0, 1, 4);
    tabs->addTab(results, QStringLiteral("Results"));

    connect(done1, &QPushButton::clicked, this, &CalculusDisplay::hideAndRefresh);
    connect(done2, &QPushButton::clicked, this, &CalculusDisplay::hideAndRefresh);
    connect(le_name, &QLineEdit::textChanged, lb_givenName, &QLabel::setText);
    connect(cb_inReport, &QCheckBox::clicked, this, &CalculusDisplay::enableReportModes);
    // A user click re-evaluates the board; setters (a problem being read) do not.
    connect(cb_invertGraph, &QCheckBox::clicked, this, [this](bool) { slot_apply(); });

    hide();
}

CalculusDisplay::CalculusDisplay() = default;

CalculusDisplay::~CalculusDisplay() = default;

bool CalculusDisplay::clone()
{
    return false;
}

void CalculusDisplay::setNbRows(int n)
{
    nbRows = n;
    if (tw_results)
        tw_results->setRowCount(qMax(0, n));
}

void CalculusDisplay::setNbColumns(int n)
{
    nbCols = n;
    if (tw_results)
        tw_results->setColumnCount(qMax(0, n));
}

void CalculusDisplay::setValues(const QVector<QVector<double>> &m, int rows, int cols)
{
    // Never read or write beyond either matrix, whatever the counts say.
    rows = qBound(0, rows, qMin(maxSize, m.size()));
    cols = qBound(0, cols, maxSize);
    for (int i = 0; i < rows; ++i)
        cols = qMin(cols, m[i].size());
    if (M.size() < maxSize)
        M = QVector<QVector<double>>(maxSize, QVector<double>(maxSize, 0.0));
    setNbRows(rows);
    setNbColumns(cols);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            M[i][j] = m[i][j];
            if (!tw_results)
                continue;
            const QString text = QString::number(m[i][j], 'g', 6);
            QTableWidgetItem *cell = tw_results->item(i, j);
            if (cell)
                cell->setText(text);
            else
                tw_results->setItem(i, j, new QTableWidgetItem(text));
        }
    }
}

void CalculusDisplay::setObjMin(bool m)
{
    Q_UNUSED(m);
}

bool CalculusDisplay::getObjMin()
{
    std::cerr << "CalculusDisplay::getObjMin()" << std::endl;
    return true;
}

QVector<QVector<double>> *CalculusDisplay::getM()
{
    return &M;
}

void CalculusDisplay::setGraph(Graph *g)
{
    graph = g;
}

void CalculusDisplay::loadData(int rows, int cols, QVector<double> values)
{
    Q_UNUSED(rows);
    Q_UNUSED(cols);
    Q_UNUSED(values);
}

double CalculusDisplay::getValue() const
{
    return M.isEmpty() || M[0].isEmpty() ? 0.0 : M[0][0];
}

void CalculusDisplay::setName(const QString &keyword)
{
    name = keyword;
    if (lb_keyword)
        lb_keyword->setText(keyword);
}

QString CalculusDisplay::givenName() const
{
    if (le_name)
        return le_name->text();
    std::cerr << name.toUtf8().constData() << "CalculusDisplay::givenName() => le_name not allocated"
              << std::endl;
    return name;
}

void CalculusDisplay::setGivenName(const QString &s)
{
    if (le_name)
        le_name->setText(s);
    if (lb_givenName)
        lb_givenName->setText(s);
}

bool CalculusDisplay::inReport() const
{
    return cb_inReport && cb_inReport->isChecked();
}

void CalculusDisplay::setInReport(bool b)
{
    if (!cb_inReport)
        return;
    cb_inReport->setChecked(b);
    enableReportModes(b);
}

bool CalculusDisplay::graphInReport() const
{
    return cb_graphInReport && cb_graphInReport->isChecked();
}

// The three report modes are exclusive: exactly one stays ticked. Clearing the ticked "Node Value"
// or "Vector" falls back to "Graph Value"; "Graph Value" itself is cleared by ticking another mode.
void CalculusDisplay::setGraphInReport(bool b)
{
    if (cb_graphInReport)
        cb_graphInReport->setChecked(b);
}

bool CalculusDisplay::nodInReport() const
{
    return cb_nodInReport && cb_nodInReport->isChecked();
}

void CalculusDisplay::setNodInReport(bool b)
{
    if (!cb_nodInReport)
        return;
    if (!b && cb_nodInReport->isChecked() && cb_graphInReport)
        cb_graphInReport->setChecked(true);
    else
        cb_nodInReport->setChecked(b);
}

bool CalculusDisplay::vecInReport() const
{
    return cb_vecInReport && cb_vecInReport->isChecked();
}

void CalculusDisplay::setVecInReport(bool b)
{
    if (!cb_vecInReport)
        return;
    if (!b && cb_vecInReport->isChecked() && cb_graphInReport)
        cb_graphInReport->setChecked(true);
    else
        cb_vecInReport->setChecked(b);
}

bool CalculusDisplay::invertGraph() const
{
    return cb_invertGraph && cb_invertGraph->isChecked();
}

void CalculusDisplay::setInvertGraph(bool b)
{
    if (cb_invertGraph)
        cb_invertGraph->setChecked(b);
}

void CalculusDisplay::enableInvertGraph(bool b)
{
    if (cb_invertGraph)
        cb_invertGraph->setEnabled(b);
}

void CalculusDisplay::enableReportModes(bool b)
{
    for (QCheckBox *box : {cb_graphInReport, cb_nodInReport, cb_vecInReport}) {
        if (box)
            box->setEnabled(b);
    }
}

void CalculusDisplay::slot_apply()
{
    if (graph)
        graph->changeBest();
}

void CalculusDisplay::slot_refresh()
{
    emit signal_refresh();
}

void CalculusDisplay::hideAndRefresh()
{
    hide();
    slot_refresh();
}

void CalculusDisplay::groupReportModes()
{
    bg_reportMode = new QButtonGroup(this);
    bg_reportMode->setExclusive(true);
    bg_reportMode->addButton(cb_graphInReport);
    bg_reportMode->addButton(cb_nodInReport);
    bg_reportMode->addButton(cb_vecInReport);
    cb_graphInReport->setChecked(true);
    enableReportModes(false);
}
