#include "analysts/StatisticsDisplay.h"

#include "analysts/PlotView.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTableWidgetItem>

StatisticsDisplay::StatisticsDisplay(const QString &itemName, const QString &title, int buttonRow)
{
    M = QVector<QVector<double>>(maxEntries, QVector<double>(maxEntries, 0.0));
    graph = nullptr;
    name = itemName;
    nbRows = 1;
    nbCols = 1;
    setModal(false);
    setWindowTitle(title);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Name :"), this), 0, 0);
    lb_givenName = new QLabel(this);
    lb_givenName->setTextFormat(Qt::PlainText);
    layout->addWidget(lb_givenName, 0, 1);
    auto *tabs = new QTabWidget(this);
    layout->addWidget(tabs, 1, 0, 1, 2);

    auto *results = new QWidget(tabs);
    gl_results = new QGridLayout(results);
    view = new PlotView(results);
    gl_results->addWidget(view, 1, 0, 2, 2);
    auto *apply = new QPushButton(QStringLiteral("Apply"), results);
    auto *done = new QPushButton(QStringLiteral("Done"), results);
    gl_results->addWidget(apply, buttonRow, 0);
    gl_results->addWidget(done, buttonRow, 1);
    tabs->addTab(results, QStringLiteral("Results"));

    auto *settings = new QWidget(tabs);
    gl_settings = new QGridLayout(settings);
    cb_invertGraph = new QCheckBox(QStringLiteral("Invert"), settings);
    cb_invertGraph->setEnabled(false);
    gl_settings->addWidget(cb_invertGraph, 0, 0);
    gl_settings->addWidget(new QLabel(QStringLiteral("Name :"), settings), 1, 0);
    le_name = new QLineEdit(settings);
    gl_settings->addWidget(le_name, 1, 1);
    cb_inReport = new QCheckBox(QStringLiteral("Insert in report"), settings);
    gl_settings->addWidget(cb_inReport, 2, 0);
    gl_settings->addWidget(new QLabel(QStringLiteral("cols:"), settings), 2, 1);
    auto *columns = new QSpinBox(settings);
    columns->setRange(1, 32);
    columns->setValue(1);
    columns->setEnabled(false);
    gl_settings->addWidget(columns, 2, 2);
    QDoubleSpinBox *sx = addScaleBox(QStringLiteral("Scalex"), 3, 10.0);
    QDoubleSpinBox *sy = addScaleBox(QStringLiteral("Scaley"), 4, 10.0);
    tabs->addTab(settings, QStringLiteral("Settings"));

    // Kept for the base operations, not shown.
    lb_keyword = new QLabel(QStringLiteral("NA"), this);
    lb_keyword->hide();
    tw_results = new QTableWidget(1, 1, this);
    tw_results->setItem(0, 0, new QTableWidgetItem(QStringLiteral("0")));
    tw_results->hide();

    connect(apply, &QPushButton::clicked, this, [this] { slot_apply(); });
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    connect(cb_invertGraph, &QCheckBox::stateChanged, this, [this](int) { slot_apply(); });
    connect(le_name, &QLineEdit::textChanged, lb_givenName, &QLabel::setText);
    connect(cb_inReport, &QCheckBox::clicked, columns, &QWidget::setEnabled);
    connect(sx, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &StatisticsDisplay::slot_set_scalex);
    connect(sy, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            &StatisticsDisplay::slot_set_scaley);
}

QDoubleSpinBox *StatisticsDisplay::addScaleBox(const QString &label, int row, double value)
{
    QWidget *settings = gl_settings->parentWidget();
    gl_settings->addWidget(new QLabel(label, settings), row, 0);
    auto *box = new QDoubleSpinBox(settings);
    box->setRange(1.0, 1000.0);
    box->setValue(value);
    gl_settings->addWidget(box, row, 1);
    return box;
}

QVector<QVector<double>> *StatisticsDisplay::getM()
{
    return &M;
}

void StatisticsDisplay::loadData(int rows, int cols, QVector<double> values)
{
    Q_UNUSED(rows);
    Q_UNUSED(cols);
    Q_UNUSED(values);
}

void StatisticsDisplay::slot_apply()
{
    changed = true;
}

void StatisticsDisplay::slot_set_scalex(double v)
{
    scalex = v;
}

void StatisticsDisplay::slot_set_scaley(double v)
{
    scaley = v;
}
