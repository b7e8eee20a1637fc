#include "analysts/histoDisplay.h"

#include "analysts/PlotView.h"
#include "analysts/RectItem.h"

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
#include <QThread>

#include <cmath>

namespace
{
const int maxBars = 32;
} // namespace

histoDisplay::histoDisplay(const QString &itemName)
{
    M = QVector<QVector<double>>(maxBars, QVector<double>(maxBars, 0.0));
    graph = nullptr;
    name = itemName;
    nbRows = 1;
    nbCols = 1;
    setModal(false);
    setWindowTitle(tr("Histogram"));

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
    gl_results->addWidget(apply, 8, 0);
    gl_results->addWidget(done, 8, 1);
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
    gl_settings->addWidget(new QLabel(QStringLiteral("Scalex"), settings), 3, 0);
    auto *sx = new QDoubleSpinBox(settings);
    sx->setRange(1.0, 1000.0);
    sx->setValue(10.0);
    gl_settings->addWidget(sx, 3, 1);
    gl_settings->addWidget(new QLabel(QStringLiteral("Scaley"), settings), 4, 0);
    auto *sy = new QDoubleSpinBox(settings);
    sy->setRange(1.0, 1000.0);
    sy->setValue(10.0);
    gl_settings->addWidget(sy, 4, 1);
    tabs->addTab(settings, QStringLiteral("Settings"));

    // Kept for the base operations, not shown.
    lb_keyword = new QLabel(QStringLiteral("NA"), this);
    lb_keyword->hide();
    tw_results = new QTableWidget(1, 1, this);
    tw_results->setItem(0, 0, new QTableWidgetItem(QStringLiteral("0")));
    tw_results->hide();

    connect(apply, &QPushButton::clicked, this, &histoDisplay::slot_apply);
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    connect(cb_invertGraph, &QCheckBox::stateChanged, this, [this](int) { slot_apply(); });
    connect(le_name, &QLineEdit::textChanged, lb_givenName, &QLabel::setText);
    connect(cb_inReport, &QCheckBox::clicked, columns, &QWidget::setEnabled);
    connect(sx, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &histoDisplay::slot_set_scalex);
    connect(sy, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &histoDisplay::slot_set_scaley);

    hide();
    for (int i = 0; i < maxBars; ++i) {
        auto *bar = new RectItem(i * scalex, -0.5 * scaley, scalex, 0.5 * scaley, name);
        bar->hide();
        bars.append(bar);
        view->addItem(bar);
    }
    changed = true;
    timerId = startTimer(100);
}

histoDisplay::~histoDisplay()
{
    killTimer(timerId);
    view->clear();
    // The bars belong to the view's scene.
    bars.clear();
}

void histoDisplay::setValues(const QVector<QVector<double>> &m, int rows, int cols)
{
    if (cols == 1 && rows > 0) {
        {
            QMutexLocker lock(&mutex);
            nbRows = qMin(rows, qMin(maxBars, m.size()));
            nbCols = 1;
            for (int i = 0; i < nbRows; ++i)
                M[i][0] = m[i].isEmpty() ? 0.0 : m[i][0];
        }
        blank = false;
        slot_apply();
        return;
    }
    if (QThread::currentThread() == thread()) {
        // On the GUI thread they go at once; the next tick shows the last good values again.
        for (RectItem *item : bars)
            item->hide();
        changed = true;
        return;
    }
    // Any other thread leaves the graphics items alone: the GUI thread's next tick hides them.
    blank = true;
    changed = true;
}

QVector<QVector<double>> *histoDisplay::getM()
{
    return &M;
}

void histoDisplay::loadData(int rows, int cols, QVector<double> values)
{
    Q_UNUSED(rows);
    Q_UNUSED(cols);
    Q_UNUSED(values);
}

void histoDisplay::slot_apply()
{
    changed = true;
}

void histoDisplay::slot_set_scalex(double v)
{
    scalex = v;
}

void histoDisplay::slot_set_scaley(double v)
{
    scaley = v;
}

void histoDisplay::timerEvent(QTimerEvent *event)
{
    Q_UNUSED(event);
    // Cleared before drawing: a request that arrives meanwhile is kept for the next tick.
    if (!changed.exchange(false))
        return;
    if (blank.exchange(false)) {
        // A failed result: no bar this tick; the next one shows the last good column again.
        for (RectItem *bar : bars)
            bar->hide();
        changed = true;
        return;
    }
    {
        QMutexLocker lock(&mutex);
        const int n = nbRows;
        for (int i = 0; i < n; ++i) {
            const double v = M[i][0];
            RectItem *bar = bars[i];
            const QString tip = QStringLiteral("P") + QString::number(i) + QStringLiteral(" (") +
                                QString::number(v, 'g', 6) + QStringLiteral(")");
            if (std::isfinite(v) && v > 0.05) {
                bar->setPos(i * scalex, -(v * scaley));
                bar->setDim(scalex, v * scaley);
                bar->setToolTip(tip);
                bar->setColor(Qt::blue);
                bar->show();
            } else if (std::isfinite(v) && v < -0.05) {
                bar->setPos(i * scalex, 0);
                bar->setDim(scalex, -(v * scaley));
                bar->setToolTip(tip);
                bar->setColor(Qt::red);
                bar->show();
            } else {
                bar->hide();
            }
        }
        for (int i = n; i < maxBars; ++i)
            bars[i]->hide();
        for (RectItem *bar : bars)
            bar->update();
    }
}
