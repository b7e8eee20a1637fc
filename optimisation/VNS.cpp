// The search worker: its job loop, the candidate steps and the shaking.
#include "optimisation/VNS.h"

#include "graph/Graph.h"
#include "graph/Random.h"
#include "optimisation/Solution.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <QMutex>

#include <algorithm>
#include <chrono>
#include <iostream>

std::atomic<qint64> VNS::publicationSerial{0};

namespace
{

const double Tolerance = 1e-6;

// Index of the first set bit of mask at or after start, cyclically; mask is not empty.
inline int firstCyclic(quint32 mask, int start)
{
    const quint32 high = mask & (~0u << start);
    return __builtin_ctz(high ? high : mask);
}

} // namespace

VNS::VNS(Problem *problem, Graph *graph, int threadNo, QMutex *shared, OptimalSolutions *best)
    : SyncedThread(nullptr), threadNo(threadNo), sharedMutex(shared), guiProblem(problem), guiGraph(graph),
      best(best)
{
    ownGraph = new Graph(QStringLiteral("VNS"), false);
    if (guiGraph)
        ownGraph->copy(guiGraph);
    if (guiProblem) {
        ownProblem = guiProblem->clone();
        ownProblem->setGraph(ownGraph);
    }
    clear_stoquad_matrix();
    initQuintRegVectors();
    initQuintSizeVectors();
    initQuadSizeVectors();
    local.setName(QStringLiteral("local"));
    local.setFamily(true);
    for (quint32 &r : rows)
        r = 0;
}

VNS::~VNS()
{
    stopSerial.store(jobSerial.load());
    wait();
    delete ownProblem;
    delete ownGraph;
}

void VNS::init(int nbnod_, int nbarcs_, int p1_, int p2_, int maxTime_, bool fixNbArcs_,
               OptimalSolutions *archive, const ProblemSnapshot &start)
{
    best = archive;
    nbnod = nbnod_;
    nbarcs = nbarcs_;
    p1 = p1_;
    p2 = p2_;
    maxTime = maxTime_;
    fixNbArcs = fixNbArcs_;
    startState = start;
    initialised = true;
    jobSerial.fetch_add(1);
    prepared.store(true);
}

void VNS::clear()
{
    local.clear();
    if (best)
        best->clear();
}

void VNS::clear_stoquad_matrix()
{
    for (auto &row : W)
        for (double &w : row)
            w = 0.0;
}

void VNS::slot_set_agressivity(int v)
{
    prob.store(v / 100.0);
    console(QStringLiteral("VNS: prob = ") + QString::number(prob.load(), 'g', 6), true, 0, Qt::green);
}

void VNS::slot_set_start_random(bool b)
{
    console(QStringLiteral("start random = ") + QString::number(b ? 1 : 0), true, 3, Qt::red);
    start_random.store(b);
}

void VNS::slot_terminateVNS()
{
    if (prepared.load() || isRunning())
        stopSerial.store(jobSerial.load());
}

void VNS::console(const QString &text, bool debug, int level, const QColor &colour)
{
    emit signal_console(text, debug, level, colour, threadNo);
}

bool VNS::halted()
{
    if (stop)
        return true;
    const int evalLimit = maxEvals.load(std::memory_order_relaxed);
    const bool timeUp = maxTime > 0 && clock.isValid() && clock.elapsed() >= maxTime;
    if (stopSerial.load() == runningJob || timeUp || (evalLimit > 0 && ownProblem->nbEvals() >= evalLimit)) {
        if (timeUp)
            std::cerr << "Timer Event" << std::endl;
        stop = true;
        // The job's archive is final from here on.
        if (best)
            best->close();
    }
    return stop;
}

// ---------------------------------------------------------------- job

void VNS::run()
{
    EndMark mark(this);
    if (!initialised || !ownProblem || !best) {
        prepared.store(false);
        return;
    }
    runningJob = jobSerial.load();
    stop = false;

    if (!startState.applyTo(ownProblem)) {
        console(QStringLiteral("The problem could not be read: job skipped."), false, 0, Qt::red);
        initialised = false;
        prepared.store(false);
        return;
    }
    if (!startState.graphString().isEmpty())
        ownGraph->loadCurrentGraph(startState.graphString());
    ownProblem->setNbArcs(nbarcs);
    ownProblem->setFixNbArcs(fixNbArcs);
    ownProblem->setNbNod(nbnod);
    ownProblem->setP1(p1);
    ownProblem->setP2(p2);
    ownProblem->resetNbEvals();
    evalCount.store(0);

    // The shaking range follows the order the job searches.
    kmin = std::max(1, nbnod / 4);
    kmax = std::max(kmin, nbnod);
    kstep = 1;
    console(QStringLiteral("optimization running.. thread no=") + QString::number(threadNo), true, 2,
            Qt::black);
    clock.start();
    optimize();
    runningJob = 0;
    stop = false;
    clock.invalidate();
    prepared.store(false);
}

void VNS::seedJob()
{
    const quint32 fixed = fixedSeed.load();
    const quint32 spread = 0x9e3779b9u * static_cast<quint32>(threadNo);
    if (fixed != 0) {
        tsy_srand(fixed + spread);
        return;
    }
    // Workers that start in the same millisecond must still search differently.
    const auto now = static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count());
    tsy_srand(static_cast<quint32>(now ^ (now >> 32)) ^ spread ^
              (static_cast<quint32>(jobSerial.load()) << 16));
}

void VNS::optimize()
{
    initialised = false;
    k = kmin;
    seedJob();
    local.clear();
    if (reset_stats.load() || amnesy.load())
        clear_stoquad_matrix();
    if (ownGraph->getNbNodes() != nbnod || start_random.load())
        ownGraph->randomGraph(nbnod);
    local.clear();
    best_backup(QStringLiteral("Restart"));

    best->lock();
    const bool emptyArchive = best->size() == 0;
    best->unlock();
    if (emptyArchive) {
        Eval e;
        evaluate(&e);
        auto *s = new Solution(&e, ownGraph->currentGraphData());
        if (!best->addSolution(s))
            delete s;
    }

    while (!halted()) {
        improved = true;
        perturb(k);
        local.updateSolutions();
        bool ok = false;
        do {
            improved = false;
            QStringList graphs = local.graphs();
            if (graphs.isEmpty()) {
                archiveCurrent(false);
                graphs = QStringList{ownGraph->currentGraphData()};
            }
            for (const QString &g : graphs) {
                if (halted())
                    continue;
                ownGraph->loadCurrentGraph(g);
                ok |= searchChain();
            }
            local.updateSolutions();
        } while (improved);

        if (ok) {
            console(QStringLiteral("ls succes"), true, 4, Qt::green);
            k = kmin;
            // Pruning keeps the solutions with a point on the front. An archive without a front
            // holds only violated solutions (none of them has a point), among them the best
            // graph found: pruning it would empty the archive, and any worse graph would then
            // pass for a new best. One lock over the test and the pruning, since other workers
            // may add to the archive in between.
            best->lock();
            const int before = best->size();
            if (best->nbPoints() > 0)
                best->updateSolutions2();
            const int after = best->size();
            const int nbPoints = best->nbPoints();
            best->unlock();
            if (before != after) {
                console(QString::number(nbPoints) + QStringLiteral(" points"), false, 1, Qt::blue);
                console(QStringLiteral("OPT SOL : ") + QString::number(after), false, 1, Qt::blue);
            }
        } else {
            console(QStringLiteral("ls failed"), true, 4, Qt::green);
            k += kstep;
        }
        if (k > kmax)
            k = kmin;

        best->lock();
        const QStringList archived = best->graphs();
        best->unlock();
        if (!archived.isEmpty())
            ownGraph->loadCurrentGraph(archived.at(tsy_rand(archived.size())));
    }
    console(QStringLiteral("VNS Complete (") + QString::number(threadNo) + QStringLiteral(")"), true, 4,
            Qt::blue);
}

bool VNS::regularConstraintOn()
{
    return ownProblem->getRegular();
}

bool VNS::isRegularGraph()
{
    return ownProblem->isRegular() < Tolerance;
}

bool VNS::edgeCountMet()
{
    return ownGraph->getNbEdges() == targetEdges();
}

bool VNS::searchChain()
{
    if (!regularConstraintOn()) {
        // Below 4 vertices there is no quad to rewrite (and no edge switch to shake with), and
        // single pair toggles can be stuck (from the empty graph every neighbour fails a distance
        // objective): the few graphs of the order are all tried instead.
        if (ownGraph->getNbNodes() < 4)
            return ls_exhaustive();
        return ls_stoquad(false);
    }
    const bool c6 = use_c6_regular.load();
    if (isRegularGraph()) {
        if (c6) {
            ls_c6();
            return false;
        }
        return ls_regular();
    }
    bool ok = false;
    const bool repairEdges = !edgeCountMet();
    if (repairEdges) {
        // The edges are brought to the count evenly first: the pair-order repair alone strips the
        // first vertices bare, and once an objective has no value on the graph in pieces (a
        // distance, say) the searches that follow can get nothing accepted.
        ok |= evenOutEdgeCount();
        ok |= ls_search_nbarcs();
        if (!edgeCountMet())
            return ok;
    }
    if (!isRegularGraph())
        ok |= ls_search_regular();
    if (!isRegularGraph())
        ok |= ls_quadfixnbarcs(true);
    if (repairEdges && !isRegularGraph())
        ok |= ls_quintfixnbarcs(true);
    if (isRegularGraph()) {
        if (!c6)
            ok |= ls_regular();
        else
            ls_c6();
    }
    return ok;
}

void VNS::best_backup(const QString &label)
{
    QString graph, text;
    int nbSolutions = 0, nbPoints = 0;
    best->lock();
    const Solution *s = best->lastSolution();
    const bool found = s != nullptr;
    if (found) {
        graph = s->getGraph();
        text = s->getValue()->display();
        nbSolutions = best->size();
        nbPoints = best->nbPoints();
    }
    best->unlock();

    if (found) {
        ownGraph->loadCurrentGraph(graph);
        emit signal_publish_graph(graph, ++publicationSerial);
        emit signal_best_solution_changed();
        const QString line =
            label + QStringLiteral(" [") + QString::number(threadNo) + QStringLiteral("] : ") + text +
            QStringLiteral("\t time = ") +
            QString::number(static_cast<double>(clock.isValid() ? clock.elapsed() : 0), 'g', 6) +
            QStringLiteral("/") + QString::number(maxTime) + QStringLiteral(" nb evals = ") +
            QString::number(ownProblem->nbEvals()) + QStringLiteral(" #sol = ") +
            QString::number(nbSolutions) + QStringLiteral(" :") + QString::number(nbPoints);
        console(line, false, 1, Qt::gray);
    }
    ownGraph->best_backup();
}

// ---------------------------------------------------------------- candidates

void VNS::evaluate(Eval *e)
{
    ownProblem->eval(e);
    evalCount.store(ownProblem->nbEvals(), std::memory_order_relaxed);
}

VNS::Offer VNS::candidateStep(Eval *e, const QString &label)
{
    evaluate(e);
    // Most candidates are refused: ask first, so that a refusal builds no Solution.
    if (!local.accepts(*e))
        return Offer::Refused;
    auto *s = new Solution(e, ownGraph->currentGraphData());
    if (!local.addSolution(s)) {
        delete s;
        return Offer::Refused;
    }
    improved = true;
    auto *copy = new Solution(s);
    if (!best->addSolution(copy)) {
        delete copy;
        return Offer::Local;
    }
    best_backup(label);
    return Offer::Best;
}

void VNS::initialStep(Eval *e, const QString &label)
{
    evaluate(e);
    if (!local.accepts(*e))
        return;
    auto *s = new Solution(e, ownGraph->currentGraphData());
    if (!local.addSolution(s)) {
        delete s;
        return;
    }
    auto *copy = new Solution(s);
    if (!best->addSolution(copy)) {
        delete copy;
        return;
    }
    best_backup(label);
}

void VNS::archiveCurrent(bool clearFirst)
{
    if (clearFirst)
        local.clear();
    Eval e;
    evaluate(&e);
    auto *s = new Solution(&e, ownGraph->currentGraphData());
    if (!local.addSolution(s))
        delete s;
}

// ---------------------------------------------------------------- perturbation

void VNS::perturb(int kMoves)
{
    const int n = ownGraph->getNbNodes();
    if (regularConstraintOn() && isRegularGraph() && n >= 6) {
        int failures = 0;
        for (int move = 0; move < kMoves; ++move) {
            // Five distinct vertices, each uniform among those not chosen yet.
            int v[5];
            for (int c = 0; c < 5; ++c) {
                int r = tsy_qrand() % (n - c);
                int x = 0;
                for (;; ++x) {
                    bool taken = false;
                    for (int d = 0; d < c; ++d)
                        taken |= v[d] == x;
                    if (taken)
                        continue;
                    if (r-- == 0)
                        break;
                }
                v[c] = x;
            }
            const QVector<int> &entry = quintReg.at(quintSignature(v));
            if (entry.isEmpty()) {
                ++failures;
                continue;
            }
            setQuintGraph(v, entry.at(tsy_qrand() % entry.size()));
        }
        if (failures >= kMoves)
            switchMoves(kMoves);
    } else {
        if (n < 2)
            return;
        switchMoves(kMoves);
    }
    archiveCurrent(true);
}

void VNS::switchMoves(int kMoves)
{
    const int n = ownGraph->getNbNodes();
    if (n < 2)
        return;
    const quint32 all = n == 32 ? ~0u : ((1u << n) - 1);
    for (int move = 0; move < kMoves; ++move) {
        const int o1 = tsy_qrand() % n;
        const int o2 = tsy_qrand() % n;
        const int o3 = tsy_qrand() % n;
        const int o4 = tsy_qrand() % n;
        readRows();
        bool switched = false;
        // The first (u, v, w, x) in the order of the offsets: u-v and w-x edges, w-v and u-x not.
        for (int i = 0; i < n - 1 && !switched; ++i) {
            const int u = (o1 + i) % n;
            for (int j = 0; j < n && !switched; ++j) {
                const int v = (o2 + j) % n;
                if (v == u || !(rows[u] & (1u << v)))
                    continue;
                const quint32 wCandidates = all & ~rows[v] & ~(1u << u) & ~(1u << v);
                for (int l = 0; l < n && !switched; ++l) {
                    const int w = (o3 + l) % n;
                    if (!(wCandidates & (1u << w)))
                        continue;
                    const quint32 xCandidates = rows[w] & ~rows[u] & ~(1u << u) & ~(1u << v) & ~(1u << w);
                    if (!xCandidates)
                        continue;
                    const int x = firstCyclic(xCandidates, o4);
                    ownGraph->remEdge(u, v);
                    ownGraph->remEdge(w, x);
                    ownGraph->addEdge(u, x);
                    ownGraph->addEdge(w, v);
                    switched = true;
                }
            }
        }
    }
}

double VNS::timeOpt() const
{
    return clock.isValid() ? static_cast<double>(clock.elapsed()) : 0.0;
}
