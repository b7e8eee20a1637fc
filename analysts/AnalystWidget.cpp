#include "analysts/AnalystWidget.h"

#include "analysts/Analyst.h"
#include "analysts/FilterWidget.h"
#include "analysts/GraphPdfExport.h"
#include "dialogs/Prompt.h"
#include "dialogs/WholeFile.h"
#include "graph/Graph.h"
#include "optimisation/DataLoader.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>
#include <memory>

namespace
{

// The window stays responsive: events are processed at most this often during an update...
constexpr qint64 EventPeriodMs = 40;
// ...and the progress window appears once an update has run this long.
constexpr qint64 ProgressDelayMs = 400;
// Graphs evaluated between two looks at the clock.
constexpr int ClockStride = 64;

} // namespace

AnalystWidget::AnalystWidget(Problem *problem, Graph *graph, Analyst *analyst, DataLoader *loader,
                             FilterWidget *filter, bool vertexMode)
    : QWidget(nullptr), problem(problem), graph(graph), analyst(analyst), loader(loader), filter(filter),
      vertexMode(vertexMode)
{
    nextButton = new QPushButton(tr("Next"));
    prevButton = new QPushButton(tr("Prev"));
    nextButton->setEnabled(false);
    prevButton->setEnabled(false);
    progressBar = new QProgressBar;
    progressBar->setMaximum(100);
    progressBar->setValue(0);
    // The position of the shown page among the rows.
    progressBar->setFormat(tr("%v of %m"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(analyst, 0, 0, 20, 10);
    layout->addWidget(prevButton, 20, 0, 1, 1);
    layout->addWidget(progressBar, 20, 1, 1, 8);
    layout->addWidget(nextButton, 20, 9, 1, 1);

    connect(analyst, &Analyst::signal_next_data_available, nextButton, &QWidget::setEnabled);
    connect(analyst, &Analyst::signal_prev_data_available, prevButton, &QWidget::setEnabled);
    connect(nextButton, &QPushButton::clicked, analyst, &Analyst::slot_build_next_table);
    connect(prevButton, &QPushButton::clicked, analyst, &Analyst::slot_build_prev_table);
    connect(analyst, &Analyst::signal_total_data, this, &AnalystWidget::showTotal);
    connect(analyst, &Analyst::signal_cur_pos, progressBar, &QProgressBar::setValue);
    if (loader) {
        if (vertexMode)
            connect(loader, &DataLoader::signal_console, this, &AnalystWidget::slot_console);
        connect(loader, &DataLoader::signal_load_complete, this, &AnalystWidget::slot_data_loaded);
        // An update asked for during a load runs when the load ends, even when the load
        // delivered nothing.
        connect(loader, &QThread::finished, this, [this]() {
            if (afterLoad)
                slot_update_table();
        });
    }
}

AnalystWidget::~AnalystWidget()
{
    halted = true;
    delete progressDialog;
}

void AnalystWidget::showTotal(int rows)
{
    // A bar whose maximum equals its minimum is a busy indicator that never ends: without rows
    // the bar is empty and says so.
    if (rows > 0) {
        progressBar->setFormat(tr("%v of %m"));
        progressBar->setRange(0, rows);
    } else {
        progressBar->setFormat(tr("0 of 0"));
        progressBar->setRange(0, 1);
        progressBar->setValue(0);
    }
}

void AnalystWidget::report(const QString &text, int level, const QColor &colour)
{
    emit signal_console(text, false, level, colour);
}

bool AnalystWidget::refusedDuringLoad(const QString &what)
{
    if (!loader || !loader->isRunning())
        return false;
    report(what + tr(" waits: a graph file is being loaded. Try again when the load has ended."), 0, Qt::red);
    return true;
}

bool AnalystWidget::refusedDuringUpdate(const QString &what)
{
    if (!busy)
        return false;
    report(what + tr(" waits: the analyst is being updated (Halt stops the update)."), 0, Qt::red);
    return true;
}

void AnalystWidget::databaseChanged()
{
    if (busy)
        rerun = true;
}

// ---- the update ------------------------------------------------------------------------------

void AnalystWidget::slot_update_table()
{
    if (busy) {
        rerun = true;
        return;
    }
    if (loader && loader->isRunning()) {
        afterLoad = true;
        return;
    }
    afterLoad = false;
    busy = true;
    halted = false;
    sinceStart.start();
    sinceEvents.start();
    bool complete = false;
    do {
        rerun = false;
        complete = runUpdate();
    } while (!complete && rerun && !halted);
    busy = false;
    delete progressDialog;
    progressDialog = nullptr;
    // A request that came in the last moment of the pass.
    if (rerun && !halted)
        QMetaObject::invokeMethod(this, &AnalystWidget::slot_update_table, Qt::QueuedConnection);
    rerun = false;
}

bool AnalystWidget::runUpdate()
{
    // A private copy of the user's problem, on a private graph that starts as the user's graph, so
    // the column names follow the user's graph and nothing the user sees is changed.
    std::unique_ptr<Graph> own(graph ? graph->clone() : new Graph(QStringLiteral("analyst"), false));
    std::unique_ptr<Problem> board;
    if (problem) {
        board.reset(problem->clone());
        board->setGraph(own.get());
    } else {
        board.reset(new Problem(own.get(), QStringLiteral("analyst"), false));
    }
    const QStringList names = board->getReportNames(vertexMode);
    analyst->setHeader(names);
    if (filter)
        filter->setVariables(names);
    analyst->clear();
    // The accepted list of the last complete pass stays valid while this one runs.
    QVector<int> passed;
    invalid = 0;

    const QVector<QString> graphs = database;
    const int total = graphs.size();
    Eval e;
    bool stopped = false;
    int evaluated = total;
    for (int i = 0; i < total; ++i) {
        if (i % ClockStride == 0) {
            keepAlive(i, total);
            if (halted || rerun) {
                stopped = true;
                evaluated = i;
                break;
            }
        }
        // An entry with an order outside 0..32 is skipped: evaluating would give the previous
        // graph's values.
        if (!own->loadCurrentGraph(graphs[i])) {
            ++invalid;
            continue;
        }
        board->compute(true);
        board->eval(&e);
        if (filterMode && e.violated())
            continue;
        if (!vertexMode) {
            const QVector<double> row = board->getReportValues();
            if (!filter || filter->isValid(row))
                analyst->push_back(row, i);
        } else {
            for (int v = 1; v <= own->getNbNodes(); ++v) {
                const QVector<double> row = board->getReportValues(v);
                if (!filter || filter->isValid(row))
                    analyst->push_back(row, i);
            }
        }
        passed.append(i);
    }
    if (stopped && rerun && !halted)
        return false;
    accepted = passed;
    analyst->buildTable();
    if (invalid > 0)
        report(QString::number(invalid) +
                   tr(" analyst entries have an order outside 0..32 and were skipped."),
               0, Qt::red);
    if (stopped)
        report(tr("Analyst update halted: ") + QString::number(evaluated) + tr(" of ") +
                   QString::number(total) + tr(" graphs evaluated."),
               0, Qt::red);
    emit signal_data_loaded();
    return true;
}

void AnalystWidget::keepAlive(int done, int total)
{
    if (sinceEvents.elapsed() < EventPeriodMs)
        return;
    if (!progressDialog && sinceStart.elapsed() >= ProgressDelayMs && done < total)
        progressDialog =
            Prompt::current()->progress(this, vertexMode ? tr("Vertex-Analyst") : tr("Graph-Analyst"),
                                        tr("Evaluating the graphs..."), total);
    if (progressDialog) {
        progressDialog->setValue(done);
        if (progressDialog->wasCanceled())
            halted = true;
    }
    QCoreApplication::processEvents();
    sinceEvents.restart();
}

void AnalystWidget::slot_halt()
{
    if (busy)
        halted = true;
}

// ---- the database ----------------------------------------------------------------------------

void AnalystWidget::slot_data_loaded()
{
    database = loader ? loader->getGraphs() : QVector<QString>();
    databaseChanged();
    slot_update_table();
}

void AnalystWidget::addGraph(QString g)
{
    database.append(g);
    databaseChanged();
    slot_update_table();
    report(QString::number(database.size()) + QStringLiteral(" graphs in analyst"), 3, Qt::black);
}

bool AnalystWidget::designates(int k) const
{
    return k >= 0 && k < database.size() && std::binary_search(accepted.constBegin(), accepted.constEnd(), k);
}

bool AnalystWidget::replaceGraph(QString g, int k)
{
    const bool inside = designates(k);
    if (inside)
        database[k] = g;
    else
        database.append(g);
    databaseChanged();
    slot_update_table();
    return inside;
}

bool AnalystWidget::deleteGraph(int k)
{
    if (!designates(k))
        return false;
    database.remove(k);
    databaseChanged();
    slot_update_table();
    return true;
}

QStringList AnalystWidget::getGraphs() const
{
    return QStringList(database.begin(), database.end());
}

void AnalystWidget::clearTable(bool headerFirst)
{
    // The names follow the user's graph, as in an update.
    const QStringList names = problem ? problem->getReportNames(vertexMode) : QStringList();
    if (headerFirst)
        analyst->setHeader(names);
    analyst->clear();
    if (!headerFirst)
        analyst->setHeader(names);
    database.clear();
    databaseChanged();
    analyst->buildTable();
}

void AnalystWidget::slot_clear()
{
    clearTable(true);
    emit signal_aw_cleared();
    emit signal_data_loaded();
}

void AnalystWidget::slot_clear_only()
{
    clearTable(false);
}

void AnalystWidget::slot_delete()
{
    const int r = analyst->currentRow();
    if (r < 0 || r >= analyst->nbGraphs())
        return;
    const int k = analyst->vertex(r);
    if (!designates(k))
        return;
    if (Prompt::current()->question(this, tr("Question"),
                                    tr("Do you want to delete current graph in Analyst?")))
        deleteGraph(k);
}

void AnalystWidget::slot_set_filter_mode(bool on)
{
    filterMode = on;
    if (loader)
        loader->setFilter(on);
}

void AnalystWidget::slot_console(QString text)
{
    report(text, 0, Qt::green);
}

// ---- the user's graph ------------------------------------------------------------------------

void AnalystWidget::slot_load_graph(int k)
{
    if (refusedDuringLoad(tr("Loading a graph")))
        return;
    current = k;
    if (graph && designates(k))
        graph->loadtsy(database[k], true);
    slot_update();
}

void AnalystWidget::slot_update()
{
    if (graph)
        graph->best_backup();
    if (problem)
        problem->best_backup();
    if (graph)
        graph->update_display();
    if (problem)
        problem->update_display();
    emit signal_place_graph();
}

void AnalystWidget::slot_next_graph()
{
    if (database.isEmpty())
        return;
    int next = current + 1;
    if (next >= database.size() || next < 0)
        next = 0;
    slot_load_graph(next);
}

// ---- the loader ------------------------------------------------------------------------------

void AnalystWidget::slot_set_type_g6()
{
    if (loader)
        loader->setDataType(QStringLiteral("g6"));
}

void AnalystWidget::slot_set_type_tsy()
{
    if (loader)
        loader->setDataType(QStringLiteral("tsy"));
}

void AnalystWidget::slot_load_data()
{
    if (!loader || refusedDuringLoad(tr("Loading a file")) || refusedDuringUpdate(tr("Loading a file")))
        return;
    loader->setFilter(filterMode);
    const QString filterText = loader->getDataType() == QLatin1String("g6") ? tr("*.g6") : tr("*.dtsy3");
    const QString name =
        Prompt::current()->openFileName(this, tr("Choose data file to load"), wd, filterText);
    if (name.isEmpty())
        return;
    if (!loader->setFilename(name)) {
        report(tr("Cannot open ") + name, 0, Qt::red);
        Prompt::current()->warning(this, tr("Warning"), tr("Cannot open the file ") + name);
        return;
    }
    loader->start();
}

// ---- exports ---------------------------------------------------------------------------------

// Database indices carried by the rows, each once, in database order.
QVector<int> AnalystWidget::usedIndices() const
{
    QVector<bool> used(database.size(), false);
    for (int d : analyst->getGraphsRef())
        if (d >= 0 && d < database.size())
            used[d] = true;
    QVector<int> indices;
    for (int i = 0; i < used.size(); ++i)
        if (used[i])
            indices.append(i);
    return indices;
}

void AnalystWidget::slot_save_data()
{
    if (refusedDuringLoad(tr("Saving the data")) || refusedDuringUpdate(tr("Saving the data")))
        return;
    const QString name =
        Prompt::current()->saveFileName(this, QStringLiteral("Save results as"), wd, QStringLiteral("*.txt"));
    if (name.isEmpty())
        return;
    QString error;
    if (!analyst->save(name, &error))
        reportSaveFailure(tr("Warning"), tr("Failed to save data."), name, error);
}

void AnalystWidget::reportSaveFailure(const QString &title, const QString &text, const QString &name,
                                      const QString &reason)
{
    const QString detail = name + QStringLiteral(": ") + reason;
    report(text + QLatin1Char(' ') + detail, 0, Qt::red);
    Prompt::current()->warning(this, title, text + QLatin1Char('\n') + detail);
}

void AnalystWidget::saveGraphList(const QVector<int> &indices, const QString &title)
{
    if (refusedDuringLoad(tr("Saving graphs")) || refusedDuringUpdate(tr("Saving graphs")))
        return;
    const QString name = Prompt::current()->saveFileName(this, title, wd, QStringLiteral("*.dtsy3"));
    if (name.isEmpty())
        return;
    WholeFile file(name);
    bool ok = file.open();
    for (int k = 0; ok && k < indices.size(); ++k)
        ok = file.write(database[indices[k]].toLatin1() + '\n');
    if (!ok || !file.commit())
        reportSaveFailure(QStringLiteral("Save failed"), QStringLiteral("Failed to save graphs"), name,
                          file.errorString());
}

void AnalystWidget::slot_save_graphs()
{
    QVector<int> all(database.size());
    for (int i = 0; i < all.size(); ++i)
        all[i] = i;
    saveGraphList(all, QStringLiteral("Save results as"));
}

void AnalystWidget::slot_save_used_graphs()
{
    saveGraphList(usedIndices(), QStringLiteral("Save graphs as"));
}

void AnalystWidget::savePdf(const QVector<int> &indices)
{
    if (refusedDuringLoad(tr("Saving drawings")) || refusedDuringUpdate(tr("Saving drawings")))
        return;
    const QString name = Prompt::current()->saveFileName(
        this, QStringLiteral("Save  graphs as (creating a folder is suggested)"), wd,
        QStringLiteral("*.pdf"));
    if (name.isEmpty())
        return;
    const QStringList files = GraphPdfExport::fileNames(name, indices.size());
    GraphPdfExport drawing;
    for (int k = 0; k < indices.size(); ++k) {
        QString error;
        if (!drawing.write(database[indices[k]], files[k], &error)) {
            reportSaveFailure(QStringLiteral("Save failed"), QStringLiteral("Failed to save graphs"),
                              files[k], error);
            return;
        }
    }
    if (!indices.isEmpty())
        report(QString::number(indices.size()) + tr(" drawings saved."), 0, Qt::darkGreen);
}

void AnalystWidget::slot_save_graphs_pdf()
{
    QVector<int> all(database.size());
    for (int i = 0; i < all.size(); ++i)
        all[i] = i;
    savePdf(all);
}

void AnalystWidget::slot_save_used_graphs_pdf()
{
    savePdf(usedIndices());
}
