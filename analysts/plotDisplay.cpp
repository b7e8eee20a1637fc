#include "analysts/plotDisplay.h"

#include "analysts/PlotItem.h"
#include "analysts/PlotView.h"
#include "graph/Graph.h"

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

namespace
{
const int maxPoints = 32;

QDoubleSpinBox *scaleBox(QWidget *parent, double value)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(1.0, 1000.0);
    box->setValue(value);
    return box;
}
} // namespace

plotDisplay::plotDisplay(const QString &itemName)
{
    M = QVector<QVector<double>>(maxPoints, QVector<double>(maxPoints, 0.0));
    graph = nullptr;
    name = itemName;
    nbRows = 1;
    nbCols = 1;
    setModal(false);
    setWindowTitle(tr("Plot"));

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
    gl_results->addWidget(apply, 9, 0);
    gl_results->addWidget(done, 9, 1);
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
    auto *sx = scaleBox(settings, 10.0);
    gl_settings->addWidget(sx, 3, 1);
    gl_settings->addWidget(new QLabel(QStringLiteral("Scaley"), settings), 4, 0);
    auto *sy = scaleBox(settings, 10.0);
    gl_settings->addWidget(sy, 4, 1);
    gl_settings->addWidget(new QLabel(QStringLiteral("Radius"), settings), 5, 0);
    auto *rb = scaleBox(settings, 5.0);
    gl_settings->addWidget(rb, 5, 1);
    tabs->addTab(settings, QStringLiteral("Settings"));

    // Kept for the base operations, not shown.
    lb_keyword = new QLabel(QStringLiteral("NA"), this);
    lb_keyword->hide();
    tw_results = new QTableWidget(1, 1, this);
    tw_results->setItem(0, 0, new QTableWidgetItem(QStringLiteral("0")));
    tw_results->hide();

    connect(apply, &QPushButton::clicked, this, &plotDisplay::slot_apply);
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    connect(cb_invertGraph, &QCheckBox::stateChanged, this, [this](int) { slot_apply(); });
    connect(le_name, &QLineEdit::textChanged, lb_givenName, &QLabel::setText);
    connect(cb_inReport, &QCheckBox::clicked, columns, &QWidget::setEnabled);
    connect(sx, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &plotDisplay::slot_set_scalex);
    connect(sy, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &plotDisplay::slot_set_scaley);
    connect(rb, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &plotDisplay::slot_set_radius);

    hide();
    QVector<PlotItem *> made;
    for (int i = 0; i < maxPoints; ++i) {
        auto *point = new PlotItem(M[i][0] * scalex, -(M[i][1] * scaley), nullptr, graph, i, name, radius);
        point->hide();
        made.append(point);
    }
    points = made;
    view->addItems(made);
    changed = true;
    timerId = startTimer(100);
}

plotDisplay::~plotDisplay()
{
    killTimer(timerId);
    disconnect(hilightConnection);
    view->clear();
    points.clear();
}

void plotDisplay::setValues(const QVector<QVector<double>> &m, int rows, int cols)
{
    if (cols == 2 && rows > 0) {
        {
            QMutexLocker lock(&mutex);
            nbRows = qMin(rows, qMin(maxPoints, m.size()));
            nbCols = 2;
            for (int i = 0; i < nbRows; ++i) {
                M[i][0] = m[i].size() > 0 ? m[i][0] : 0.0;
                M[i][1] = m[i].size() > 1 ? m[i][1] : 0.0;
            }
        }
        blank = false;
        slot_apply();
        return;
    }
    if (QThread::currentThread() == thread()) {
        // On the GUI thread they go at once; the next tick shows the last good values again.
        for (PlotItem *item : points)
            item->hide();
        changed = true;
        return;
    }
    // Any other thread leaves the graphics items alone: the GUI thread's next tick hides them.
    blank = true;
    changed = true;
}

QVector<QVector<double>> *plotDisplay::getM()
{
    return &M;
}

void plotDisplay::setGraph(Graph *g)
{
    disconnect(hilightConnection);
    hilightConnection = QMetaObject::Connection();
    graph = g;
    for (PlotItem *point : points)
        point->setGraph(g);
    if (g)
        hilightConnection = connect(g, &Graph::signal_hilight_node, this, &plotDisplay::slot_hilight);
}

void plotDisplay::loadData(int rows, int cols, QVector<double> values)
{
    Q_UNUSED(rows);
    Q_UNUSED(cols);
    Q_UNUSED(values);
}

void plotDisplay::slot_apply()
{
    changed = true;
}

void plotDisplay::slot_set_scalex(double v)
{
    scalex = v;
}

void plotDisplay::slot_set_scaley(double v)
{
    scaley = v;
}

void plotDisplay::slot_set_radius(double v)
{
    radius = v;
}

void plotDisplay::slot_hilight(int k)
{
    for (int i = 0; i < points.size(); ++i)
        points[i]->setHilight(i == k);
    changed = true;
}

void plotDisplay::timerEvent(QTimerEvent *event)
{
    Q_UNUSED(event);
    // Cleared before drawing: a request that arrives meanwhile is kept for the next tick.
    if (!changed.exchange(false))
        return;
    if (blank.exchange(false)) {
        for (PlotItem *point : points)
            point->hide();
        changed = true;
        return;
    }
    {
        QMutexLocker lock(&mutex);
        const int n = nbRows;
        for (int i = 0; i < n; ++i) {
            const double x = M[i][0];
            const double y = M[i][1];
            PlotItem *point = points[i];
            point->setToolTip(QStringLiteral("P") + QString::number(i) + QStringLiteral(" (") +
                              QString::number(x, 'g', 6) + QStringLiteral(",") + QString::number(y, 'g', 6) +
                              QStringLiteral(")"));
            // The model coordinates follow the values, so turns and axes work on the shown points.
            point->setPosition(x * scalex, y * scaley, 0);
            point->setVisible(true);
            point->setRadius(radius);
        }
        for (int i = n; i < maxPoints; ++i)
            points[i]->hide();
        for (PlotItem *point : points)
            point->update();
    }
    view->updateBounds();
}
