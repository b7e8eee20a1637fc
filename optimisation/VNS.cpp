#include "optimisation/VNS.h"

#include "graph/Graph.h"
#include "graph/Random.h"
#include "optimisation/Solution.h"
#include "problem/Eval.h"
#include "problem/Problem.h"

#include <QMutex>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
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

// ---------------------------------------------------------------- signatures

void VNS::readRows()
{
    ownGraph->adjacencyRows(rows);
}

int VNS::quadSignature(const int *v)
{
    readRows();
    return SignatureTables::quadSignature(rows, v);
}

int VNS::quintSignature(const int *v)
{
    readRows();
    return SignatureTables::quintSignature(rows, v);
}

bool VNS::setQuadGraph(const int *v, int code)
{
    bool last = false;
    for (int b = 0; b < 6; ++b) {
        const int a = v[SignatureTables::quadPairs[b][0]], c = v[SignatureTables::quadPairs[b][1]];
        last = (code >> b) & 1 ? ownGraph->addEdge(a, c) : ownGraph->remEdge(a, c);
    }
    return last;
}

bool VNS::setQuintGraph(const int *v, int code)
{
    bool last = false;
    for (int b = 0; b < 10; ++b) {
        const int a = v[SignatureTables::quintPairs[b][0]], c = v[SignatureTables::quintPairs[b][1]];
        last = (code >> b) & 1 ? ownGraph->addEdge(a, c) : ownGraph->remEdge(a, c);
    }
    return last;
}

void VNS::initQuadSizeVectors()
{
    quadSize = SignatureTables::buildQuadSize();
}

void VNS::initQuintSizeVectors()
{
    quintSize = SignatureTables::buildQuintSize();
}

void VNS::initQuintRegVectors()
{
    quintReg = SignatureTables::buildQuintReg();
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

// ---------------------------------------------------------------- learning quad-swap descent

bool VNS::ls_stoquad(bool stopWhenRegular)
{
    Eval e;
    initialStep(&e, QStringLiteral("ls_stoquad init"));
    const QString label = QStringLiteral("ls_stoquad");
    const int n = ownGraph->getNbNodes();
    int P[32];
    for (int i = 0; i < n; ++i)
        P[i] = i;
    const double bias = prob.load();
    bool result = false;
    bool pass;
    do {
        for (int i = 0; i < n; ++i)
            std::swap(P[i], P[tsy_qrand() % n]);
        pass = false;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                for (int l = j + 1; l < n; ++l)
                    for (int m = l + 1; m < n; ++m) {
                        if (halted())
                            continue;
                        const int v[4] = {P[i], P[j], P[l], P[m]};
                        readRows();
                        int s = SignatureTables::quadSignature(rows, v);
                        for (int t = 0; t < 64; ++t) {
                            if (t == s)
                                continue;
                            if (halted())
                                break;
                            const double r = tsy_rand();
                            if (!(std::tanh(W[s][t]) + bias > 2.0 * r - 0.5))
                                continue;
                            setQuadGraph(v, t);
                            const Offer offer = candidateStep(&e, label);
                            if (offer == Offer::Refused) {
                                W[s][t] -= 0.1;
                                setQuadGraph(v, s);
                                continue;
                            }
                            W[s][t] += 1.0;
                            pass = true;
                            if (offer == Offer::Best) {
                                result = true;
                                if (stopWhenRegular && isRegularGraph())
                                    return true;
                            }
                            // Publishing may have loaded another worker's graph: read the quad again.
                            readRows();
                            s = SignatureTables::quadSignature(rows, v);
                        }
                    }
    } while (pass);
    recentreWeights();
    return result;
}

void VNS::recentreWeights()
{
    double sum = 0.0;
    int count = 0;
    for (const auto &row : W)
        for (double w : row)
            if (std::fabs(w) > 0.01) {
                sum += w;
                ++count;
            }
    if (count == 0)
        return;
    const double mean = sum / count;
    for (auto &row : W)
        for (double &w : row)
            if (std::fabs(w) > 0.01)
                w -= mean;
}

// ---------------------------------------------------------------- regular graphs

int VNS::targetEdges()
{
    if (ownProblem->getFixNbArcs() || !ownProblem->getRegular())
        return ownProblem->getNbArcs();
    // Regularity alone fixes the count: a D-regular graph on n vertices has n * D / 2 edges.
    return ownGraph->getNbNodes() * ownProblem->getRegDegree() / 2;
}

VNS::Walk VNS::walkRewrites(const int *v, int k, const SignatureTables::Table &table, Eval *e,
                            const QString &label, bool stopWhenRegular, bool &pass, bool &result)
{
    const int n = ownGraph->getNbNodes();
    const auto signature = [&] {
        return k == 4 ? SignatureTables::quadSignature(rows, v) : SignatureTables::quintSignature(rows, v);
    };
    const auto write = [&](int code) {
        if (k == 4)
            setQuadGraph(v, code);
        else
            setQuintGraph(v, code);
    };
    int s = signature();
    for (int x = 0; x < table.at(s).size(); ++x) {
        if (halted())
            return Walk::Stop;
        write(table.at(s).at(x));
        const Offer offer = candidateStep(e, label);
        if (offer == Offer::Refused) {
            write(s);
            continue;
        }
        pass = true;
        if (offer == Offer::Best) {
            result = true;
            if (stopWhenRegular && isRegularGraph())
                return Walk::Regular;
        }
        // Publishing may have loaded another worker's graph: the walk goes on from what the
        // tuple holds now, so that an undo writes back exactly what was there.
        if (ownGraph->getNbNodes() != n)
            return Walk::Stop;
        readRows();
        s = signature();
    }
    return Walk::Go;
}

bool VNS::ls_regular()
{
    Eval e;
    initialStep(&e, QStringLiteral("ls_regular init"));
    const QString label = QStringLiteral("ls_regular");
    const int n = ownGraph->getNbNodes();
    if (n < 1)
        return false;
    const int o = tsy_qrand() % n;
    if (n < 5)
        return false;
    // A const view: indexing a shared table through a non-const reference would copy it.
    const SignatureTables::Table &table = quintReg;
    bool result = false;
    bool pass;
    int v[5];
    do {
        pass = false;
        readRows();
        for (int i0 = 0; i0 < n; ++i0) {
            v[0] = (i0 + o) % n;
            for (int i1 = 0; i1 < n; ++i1) {
                if (i1 == i0)
                    continue;
                v[1] = (i1 + o) % n;
                for (int i2 = 0; i2 < n; ++i2) {
                    if (i2 == i0 || i2 == i1)
                        continue;
                    // A pass at 32 vertices is 24 million tuples: look at the limits on the way.
                    if (halted())
                        return result;
                    v[2] = (i2 + o) % n;
                    for (int i3 = 0; i3 < n; ++i3) {
                        if (i3 == i0 || i3 == i1 || i3 == i2)
                            continue;
                        v[3] = (i3 + o) % n;
                        for (int i4 = 0; i4 < n; ++i4) {
                            if (i4 == i0 || i4 == i1 || i4 == i2 || i4 == i3)
                                continue;
                            if (!(tsy_rand() < 0.6))
                                continue;
                            v[4] = (i4 + o) % n;
                            if (walkRewrites(v, 5, table, &e, label, false, pass, result) != Walk::Go)
                                return result;
                        }
                    }
                }
            }
        }
    } while (pass);
    return result;
}

bool VNS::ls_c6()
{
    Eval record;
    const QString label = QStringLiteral("ls_c6");
    initialStep(&record, label);
    const int n = ownGraph->getNbNodes();
    if (n < 1)
        return false;
    const int o = tsy_qrand() % n;
    const double bias = prob.load();
    auto adjacent = [this](int x, int y) { return (rows[x] >> y) & 1u; };
    bool pass;
    do {
        pass = false;
        readRows();
        for (int i = 0; i < n; ++i) {
            const int a = (i + o) % n;
            for (int j = 0; j < n; ++j) {
                const int b = (j + o) % n;
                for (int c = 0; c < n; ++c) {
                    // An accepted swap reverses the pairs of the prefix: the levels below
                    // re-check theirs against the graph as it is now.
                    if (!adjacent(a, b))
                        break;
                    if (halted())
                        return false;
                    if (c == a || c == b || adjacent(b, c))
                        continue;
                    for (int d = 0; d < n; ++d) {
                        if (!adjacent(a, b) || adjacent(b, c))
                            break;
                        if (d == a || d == b || d == c || !adjacent(c, d))
                            continue;
                        for (int e = 0; e < n; ++e) {
                            if (!adjacent(a, b) || adjacent(b, c) || !adjacent(c, d))
                                break;
                            if (e == a || e == b || e == c || e == d || adjacent(d, e))
                                continue;
                            for (int f = 0; f < n; ++f) {
                                // The six pairs, as they are right before the swap.
                                if (!adjacent(a, b) || adjacent(b, c) || !adjacent(c, d) || adjacent(d, e))
                                    break;
                                if (f == a || f == b || f == c || f == d || f == e || !adjacent(e, f) ||
                                    adjacent(a, f))
                                    continue;
                                if (!(tsy_rand() < bias))
                                    continue;
                                if (halted())
                                    return false;
                                ownGraph->addEdge(b, c);
                                ownGraph->addEdge(d, e);
                                ownGraph->addEdge(f, a);
                                ownGraph->remEdge(a, b);
                                ownGraph->remEdge(c, d);
                                ownGraph->remEdge(e, f);
                                const bool before = improved;
                                const Offer offer = candidateStep(&record, label);
                                if (offer == Offer::Refused) {
                                    ownGraph->remEdge(b, c);
                                    ownGraph->remEdge(d, e);
                                    ownGraph->remEdge(f, a);
                                    ownGraph->addEdge(a, b);
                                    ownGraph->addEdge(c, d);
                                    ownGraph->addEdge(e, f);
                                    continue;
                                }
                                pass = true;
                                // Only a graph that reached the job's archive counts as an
                                // improvement of this search.
                                if (offer == Offer::Local)
                                    improved = before;
                                if (ownGraph->getNbNodes() != n)
                                    return false;
                                readRows();
                            }
                        }
                    }
                }
            }
        }
    } while (pass);
    return false;
}

bool VNS::ls_search_regular()
{
    Eval e;
    evaluate(&e);
    const QString label = QStringLiteral("ls_search_regular");
    const int degree = ownProblem->getRegDegree();
    bool result = false;
    bool pass;
    do {
        pass = false;
        const int n = ownGraph->getNbNodes();
        readRows();
        for (int u = 0; u < n; ++u) {
            if (halted())
                return result;
            const int du = __builtin_popcount(rows[u]);
            if (du >= degree)
                continue;
            for (int v = 0; v < n; ++v) {
                const int dv = __builtin_popcount(rows[v]);
                if (dv <= degree)
                    continue;
                // The counts du and dv stay as they were read: several edges may move from v
                // to u, each judged by the archive.
                for (int w = 0; w < n; ++w) {
                    if (w == u || w == v || !((rows[v] >> w) & 1u) || ((rows[u] >> w) & 1u))
                        continue;
                    if (halted())
                        return result;
                    ownGraph->addEdge(u, w);
                    ownGraph->remEdge(v, w);
                    const Offer offer = candidateStep(&e, label);
                    if (offer == Offer::Refused) {
                        ownGraph->addEdge(v, w);
                        ownGraph->remEdge(u, w);
                        continue;
                    }
                    pass = true;
                    if (offer == Offer::Best) {
                        result = true;
                        if (isRegularGraph())
                            return true;
                    }
                    if (ownGraph->getNbNodes() != n)
                        return result;
                    readRows();
                }
            }
        }
    } while (pass);
    return result;
}

// ---------------------------------------------------------------- fixed number of edges

bool VNS::evenOutEdgeCount()
{
    const int target = targetEdges();
    const int n = ownGraph->getNbNodes();
    readRows();
    int degree[32];
    int m = 0;
    for (int i = 0; i < n; ++i) {
        degree[i] = __builtin_popcount(rows[i]);
        m += degree[i];
    }
    m /= 2;
    // Too many edges lose an edge of the largest degree sum, too few gain a missing pair of the
    // smallest degree sum (ties: the first pair in lexicographic order). Each step moves the
    // count by one, so at most n (n - 1) / 2 steps are made.
    bool result = false;
    while (m != target) {
        const bool removing = m > target;
        int bestI = -1, bestJ = -1, bestSum = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                if (bool((rows[i] >> j) & 1u) != removing)
                    continue;
                const int sum = degree[i] + degree[j];
                if (bestI < 0 || (removing ? sum > bestSum : sum < bestSum)) {
                    bestI = i;
                    bestJ = j;
                    bestSum = sum;
                }
            }
        if (bestI < 0)
            break; // the complete or the empty graph: no pair is left to toggle
        const int step = removing ? -1 : 1;
        if (removing)
            ownGraph->remEdge(bestI, bestJ);
        else
            ownGraph->addEdge(bestI, bestJ);
        rows[bestI] ^= 1u << bestJ;
        rows[bestJ] ^= 1u << bestI;
        degree[bestI] += step;
        degree[bestJ] += step;
        m += step;
        result = true;
    }
    return result;
}

bool VNS::ls_search_nbarcs()
{
    const int target = targetEdges();
    const int n = ownGraph->getNbNodes();
    readRows();
    int m = 0;
    for (int i = 0; i < n; ++i)
        m += __builtin_popcount(rows[i]);
    m /= 2;
    // Pairs are toggled in lexicographic order (0-1, 0-2, ..., 1-2, ...), each kept when it brings
    // the count closer. This may leave the first vertices bare or full; evening out the degrees
    // is the work of the degree-repairing searches that follow. Every kept toggle brings the
    // distance down by one, so there are at most |m - target| of them, and a pass that keeps
    // none ends the search.
    int distance = std::abs(m - target);
    bool result = false;
    bool pass;
    do {
        pass = false;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const bool present = (rows[i] >> j) & 1u;
                const int after = std::abs(m + (present ? -1 : 1) - target);
                if (after >= distance)
                    continue;
                if (present)
                    ownGraph->remEdge(i, j);
                else
                    ownGraph->addEdge(i, j);
                rows[i] ^= 1u << j;
                rows[j] ^= 1u << i;
                m += present ? -1 : 1;
                distance = after;
                pass = true;
                if (distance == 0)
                    return true;
            }
        result |= pass;
    } while (pass);
    return result;
}

bool VNS::ls_quadfixnbarcs(bool stopWhenRegular)
{
    Eval e;
    evaluate(&e);
    const QString label = QStringLiteral("ls_quadfixnbarcs");
    const SignatureTables::Table &table = quadSize;
    bool result = false;
    bool pass;
    do {
        pass = false;
        const int n = ownGraph->getNbNodes();
        readRows();
        int v[4];
        for (v[0] = 0; v[0] < n; ++v[0])
            for (v[1] = v[0] + 1; v[1] < n; ++v[1])
                for (v[2] = v[1] + 1; v[2] < n; ++v[2])
                    for (v[3] = v[2] + 1; v[3] < n; ++v[3]) {
                        if (halted())
                            return result;
                        switch (walkRewrites(v, 4, table, &e, label, stopWhenRegular, pass, result)) {
                        case Walk::Go:
                            break;
                        case Walk::Regular:
                            return true;
                        case Walk::Stop:
                            return result;
                        }
                    }
    } while (pass);
    return result;
}

bool VNS::ls_quintfixnbarcs(bool stopWhenRegular)
{
    Eval e;
    evaluate(&e);
    const QString label = QStringLiteral("ls_quintfixnbarcs");
    const SignatureTables::Table &table = quintSize;
    bool result = false;
    bool pass;
    do {
        pass = false;
        const int n = ownGraph->getNbNodes();
        readRows();
        int v[5];
        for (v[0] = 0; v[0] < n; ++v[0])
            for (v[1] = v[0] + 1; v[1] < n; ++v[1])
                for (v[2] = v[1] + 1; v[2] < n; ++v[2])
                    for (v[3] = v[2] + 1; v[3] < n; ++v[3])
                        for (v[4] = v[3] + 1; v[4] < n; ++v[4]) {
                            if (halted())
                                return result;
                            switch (walkRewrites(v, 5, table, &e, label, stopWhenRegular, pass, result)) {
                            case Walk::Go:
                                break;
                            case Walk::Regular:
                                return true;
                            case Walk::Stop:
                                return result;
                            }
                        }
    } while (pass);
    return result;
}

bool VNS::ls_add_rem()
{
    Eval e;
    initialStep(&e, QStringLiteral("ls_stoquad init"));
    const QString label = QStringLiteral("ls_add_rem");
    const int n = ownGraph->getNbNodes();
    int P[32];
    for (int i = 0; i < n; ++i)
        P[i] = i;
    bool result = false;
    bool pass;
    do {
        for (int i = 0; i < n; ++i)
            std::swap(P[i], P[tsy_qrand() % n]);
        pass = false;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                if (halted())
                    return result;
                // Both cells of the pair and a fresh change stamp: a one-cell flip could add but
                // never remove an edge, and the items would keep their cached values.
                const bool wasEdge = ownGraph->edge(P[i], P[j]);
                if (wasEdge)
                    ownGraph->remEdge(P[i], P[j]);
                else
                    ownGraph->addEdge(P[i], P[j]);
                const Offer offer = candidateStep(&e, label);
                if (offer == Offer::Refused) {
                    if (wasEdge)
                        ownGraph->addEdge(P[i], P[j]);
                    else
                        ownGraph->remEdge(P[i], P[j]);
                    continue;
                }
                pass = true;
                result |= offer == Offer::Best;
                if (ownGraph->getNbNodes() != n)
                    return result;
            }
    } while (pass);
    return result;
}

bool VNS::ls_exhaustive()
{
    Eval e;
    initialStep(&e, QStringLiteral("ls_stoquad init"));
    const QString label = QStringLiteral("ls_exhaustive");
    const int n = ownGraph->getNbNodes();
    if (n > 3)
        return false;
    int pairs[3][2];
    int count = 0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            pairs[count][0] = i;
            pairs[count][1] = j;
            ++count;
        }
    bool result = false;
    for (int mask = 0; mask < (1 << count); ++mask) {
        if (halted())
            return result;
        for (int p = 0; p < count; ++p) {
            if ((mask >> p) & 1)
                ownGraph->addEdge(pairs[p][0], pairs[p][1]);
            else
                ownGraph->remEdge(pairs[p][0], pairs[p][1]);
        }
        result |= candidateStep(&e, label) == Offer::Best;
    }
    return result;
}

double VNS::timeOpt() const
{
    return clock.isValid() ? static_cast<double>(clock.elapsed()) : 0.0;
}
