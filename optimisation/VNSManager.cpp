#include "optimisation/VNSManager.h"

#include "graph/Graph.h"
#include "optimisation/DataLoader.h"
#include "optimisation/OptimalSolutions.h"
#include "optimisation/VNS.h"
#include "problem/Problem.h"

#include <QMutexLocker>

#include <cmath>
#include <iostream>
#include <limits>

namespace
{

// A bound of the p2 range as an int, truncated toward zero. NaN reads as 0 and values beyond
// the int range saturate, so the conversion is always defined (the job cap bounds the range).
int truncatedBound(double x)
{
    if (std::isnan(x))
        return 0;
    if (x <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (x >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(x);
}

} // namespace

VNSManager::VNSManager(Problem *problem, Graph *graph, AnalystWidget *graphAnalyst,
                       AnalystWidget *vertexAnalyst, DataLoader *loader)
    : SyncedThread(nullptr), guiProblem(problem), guiGraph(graph), graphAnalyst(graphAnalyst),
      vertexAnalyst(vertexAnalyst), loader(loader)
{
    sharedMutex = new QMutex;
    best = new OptimalSolutions;
    for (int i = 0; i < NbWorkers; ++i) {
        auto *w = new VNS(guiProblem, guiGraph, i, sharedMutex, best);
        workers.append(w);
        connect(this, &VNSManager::signal_max_evals, w, &VNS::slot_set_max_evals);
        connect(this, &VNSManager::signal_terminate_jobs, w, &VNS::slot_terminateVNS);
        connect(this, &VNSManager::signal_set_amnesy_mode, w, &VNS::slot_set_amnesy_mode);
        connect(this, &VNSManager::signal_optimize_family_in_ls, w, &VNS::slot_optimize_family_in_ls);
        connect(this, &VNSManager::signal_set_start_random, w, &VNS::slot_set_start_random);
        connect(this, &VNSManager::signal_use_c6_regular, w, &VNS::slot_use_c6_regular);
        connect(this, &VNSManager::signal_reset_stats, w, &VNS::slot_reset_stats);
        connect(this, &VNSManager::signal_set_agressivity, w, &VNS::slot_set_agressivity);
        connect(w, &VNS::signal_publish_graph, this, &VNSManager::slot_publish_graph);
        connect(w, &VNS::signal_console, this, &VNSManager::slot_console);
    }
}

VNSManager::~VNSManager()
{
    slot_stopVNS();
    wait();
    qDeleteAll(workers);
    workers.clear();
    qDeleteAll(jobArchives);
    delete best;
    delete sharedMutex;
}

void VNSManager::setSeed(quint32 seed)
{
    for (VNS *w : workers)
        w->setSeed(seed);
}

void VNSManager::report(const QString &text, int level, const QColor &colour)
{
    emit signal_console(text, false, level, colour);
}

void VNSManager::appendJob(int n, int m, int p1, int p2)
{
    jobNbnod.append(n);
    jobNbarcs.append(m);
    jobP1.append(p1);
    jobP2.append(p2);
    jobArchives.append(new OptimalSolutions);
}

void VNSManager::buildJobs()
{
    std::cerr << p1min << " <= p1 <= " << p1max << std::endl;
    qint64 first = p1min, last = p1max;
    if (first > last)
        return;
    if (!fix_nbnod_to_p1 && (nbnod < 1 || nbnod > 32)) {
        report(QStringLiteral("Order %1 lies outside 1..32: every job skipped.").arg(nbnod), 0, Qt::red);
        return;
    }
    if (fix_nbnod_to_p1) {
        // p1 is the order of the job's graphs.
        const qint64 all = last - first + 1;
        first = qMax<qint64>(first, 1);
        last = qMin<qint64>(last, 32);
        const qint64 kept = last >= first ? last - first + 1 : 0;
        if (kept < all)
            report(QStringLiteral("%1 job(s) skipped: the order p1 must lie in 1..32.").arg(all - kept), 0,
                   Qt::red);
    }
    bool capped = false;
    qint64 impossibleEdges = 0;
    for (qint64 p1 = first; p1 <= last && !capped; ++p1) {
        std::cerr << "p1 = " << p1 << std::endl;
        const int n = fix_nbnod_to_p1 ? static_cast<int>(p1) : nbnod;
        if (!use_param2) {
            if (jobP1.size() >= MaxJobs) {
                capped = true;
                break;
            }
            appendJob(n, nbarcs, static_cast<int>(p1), 0);
            continue;
        }
        const double x = static_cast<double>(p1);
        int lo = truncatedBound(p2minsq * x * x + (p2minlin * x + p2mincst));
        int hi = truncatedBound(p2maxsq * x * x + (p2maxlin * x + p2maxcst));
        if (fix_nbarcs_to_p2 && hi > lo) {
            // p2 is the number of edges: only 0..n(n-1)/2 can be met. The range is cut to those
            // counts, never widened, so a range that holds none of them gives no job.
            const int maxEdges = n * (n - 1) / 2;
            const int cutLo = qMax(lo, 0);
            const int cutHi = qMin(hi, maxEdges + 1);
            const qint64 kept = cutHi > cutLo ? qint64(cutHi) - cutLo : 0;
            impossibleEdges += qint64(hi) - lo - kept;
            lo = cutLo;
            hi = cutHi;
        }
        for (int p2 = lo; p2 < hi; ++p2) {
            if (jobP1.size() >= MaxJobs) {
                capped = true;
                break;
            }
            appendJob(n, fix_nbarcs_to_p2 ? p2 : nbarcs, static_cast<int>(p1), p2);
        }
    }
    if (impossibleEdges > 0)
        report(QStringLiteral("%1 job(s) skipped: the number of edges p2 must lie in 0..n(n-1)/2.")
                   .arg(impossibleEdges),
               0, Qt::red);
    if (capped)
        report(QStringLiteral("Too many jobs: only the first %1 are run.").arg(MaxJobs), 0, Qt::red);
}

void VNSManager::slot_startVNS()
{
    if (isRunning()) {
        std::cerr << "VNS already running..." << std::endl;
        for (int i = 0; i < workers.size(); ++i)
            std::cerr << i << (workers[i]->isRunning() ? " running" : " not running") << std::endl;
        return;
    }
    jobNbnod.clear();
    jobNbarcs.clear();
    jobP1.clear();
    jobP2.clear();
    qDeleteAll(jobArchives);
    jobArchives.clear();

    plan = Plan();
    plan.swept = use_param1;
    plan.nbThreads = qBound(1, nb_threads, NbWorkers);
    plan.nbnod = nbnod;
    plan.nbarcs = nbarcs;
    plan.maxTime = qMax(0, maxTime);
    plan.fixNbArcs = fix_nbarcs;
    plan.saveGraphs = save_graphs;
    {
        QMutexLocker locker(sharedMutex);
        plan.start = ProblemSnapshot::take(guiProblem, guiGraph);
    }
    if (use_param1) {
        buildJobs();
    } else if (nbnod < 1 || nbnod > 32) {
        report(QStringLiteral("Order %1 lies outside 1..32: no job started.").arg(nbnod), 0, Qt::red);
        plan.valid = false;
    }
    best->clear();
    {
        std::unique_lock<std::mutex> locker(jobMutex);
        nextJob = 0;
        halted = false;
    }
    start(QThread::InheritPriority);
}

void VNSManager::slot_stopVNS()
{
    {
        std::unique_lock<std::mutex> locker(jobMutex);
        nextJob = jobP1.size();
        halted = true;
    }
    emit signal_terminate_jobs();
}

void VNSManager::slot_publish_graph(QString graph, qint64 serial)
{
    // A newer publication is already queued: this one would be overwritten at once.
    if (serial != VNS::lastPublication() || !guiGraph)
        return;
    QMutexLocker locker(sharedMutex);
    if (!guiGraph->loadCurrentGraph(graph))
        return;
    if (guiProblem)
        guiProblem->best_backup();
    guiGraph->best_backup();
    guiGraph->update_display();
    locker.unlock();
    // Announced once per publication actually made, so the board refreshes at most once per
    // batch of queued improvements.
    emit signal_new_solution();
}

void VNSManager::run()
{
    EndMark mark(this);
    emit signal_optimization_starts();
    const int total = jobP1.size();

    if (!plan.swept) {
        best->open();
        // Prepared under the job lock, so a Halt either finds the workers prepared (and stops
        // their jobs) or comes first and no job is prepared.
        std::unique_lock<std::mutex> locker(jobMutex);
        const bool go = plan.valid && !halted;
        if (go)
            for (int i = 0; i < plan.nbThreads; ++i)
                workers[i]->init(plan.nbnod, plan.nbarcs, 0, 0, plan.maxTime, plan.fixNbArcs, best,
                                 plan.start);
        locker.unlock();
        if (go)
            for (int i = 0; i < plan.nbThreads; ++i)
                workers[i]->start(QThread::InheritPriority);
    } else {
        for (;;) {
            bool handed = false;
            bool remaining = false;
            for (int i = 0; i < plan.nbThreads; ++i) {
                if (workers[i]->isRunning())
                    continue;
                workers[i]->wait();
                std::unique_lock<std::mutex> locker(jobMutex);
                if (nextJob >= total)
                    break;
                const int j = nextJob++;
                const QString s = QStringLiteral("Starting job %1/%2").arg(j + 1).arg(total);
                std::cerr << s.toStdString() << std::endl;
                workers[i]->init(jobNbnod[j], jobNbarcs[j], jobP1[j], jobP2[j], plan.maxTime, plan.fixNbArcs,
                                 jobArchives[j], plan.start);
                locker.unlock();
                report(s, 0, Qt::black);
                workers[i]->start(QThread::InheritPriority);
                handed = true;
            }
            {
                std::unique_lock<std::mutex> locker(jobMutex);
                remaining = nextJob < total;
            }
            if (!remaining)
                break;
            if (!handed)
                // Every worker is busy: sleep until one ends (or shortly, to look again).
                for (int i = 0; i < plan.nbThreads; ++i)
                    if (workers[i]->isRunning()) {
                        workers[i]->wait(20);
                        break;
                    }
        }
    }
    for (VNS *w : workers)
        w->wait();

    emit signal_please_wait(true);
    std::cerr << "No more jobs running..." << std::endl;
    if (loader)
        loader->clear();
    QVector<QString> handover;
    if (!plan.swept) {
        best->lock();
        if (plan.saveGraphs)
            for (const QString &g : best->graphs())
                handover.append(g);
        best->unlock();
    } else {
        int solutions = 0;
        for (int j = 0; j < jobArchives.size(); ++j) {
            OptimalSolutions *archive = jobArchives[j];
            archive->lock();
            std::cerr << "Adding " << archive->size() << " graphs -- " << j << std::endl;
            solutions += archive->size();
            if (plan.saveGraphs)
                for (const QString &g : archive->graphs())
                    handover.append(g);
            archive->unlock();
        }
        report(QStringLiteral("Nb Sols = ") + QString::number(solutions), 0, Qt::blue);
    }
    if (loader && plan.saveGraphs)
        loader->addGraphs(handover);
    const int loaded = loader ? loader->size() : 0;
    report(QString::number(loaded) + QStringLiteral(" Graphs added."), 0, Qt::blue);
    emit signal_optimization_complete();
    if (plan.saveGraphs)
        emit signal_graphs_ready();
    std::cerr << loaded << " graphs." << std::endl;
    emit signal_please_wait(false);
}
