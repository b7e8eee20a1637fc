#include "graph/ShuffleCheck.h"

#include "dialogs/Prompt.h"
#include "graph/Graph.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <atomic>

ShuffleCheck::Result ShuffleCheck::run(Graph *graph, int rounds, QWidget *parent, int budget)
{
    Result result;
    result.rounds = rounds < 0 ? 0 : rounds;
    if (graph == nullptr || result.rounds == 0)
        return result;

    // The relabellings are drawn here, on the GUI thread that owns the graph; only strings
    // travel to the worker. The graph goes back to the shown one until the tests are done.
    graph->best_restore();
    const QString original = graph->currentGraphData();
    QStringList relabelled;
    for (int r = 0; r < result.rounds; ++r) {
        graph->shuffle();
        relabelled << graph->currentGraphData();
    }
    graph->best_restore();

    Isomorphic iso;
    iso.setBudget(budget);
    iso.setTrace(false);
    iso.setG1(original);
    std::atomic<bool> stop{false};
    std::atomic<int> done{0};
    std::atomic<int> yes{0};
    std::atomic<long long> evaluations{0};
    iso.setStopFlag(&stop);
    // Written by the worker only; read here once it has been joined.
    QVector<int> answers;
    answers.reserve(result.rounds);

    QThread *worker = QThread::create([&] {
        for (const QString &s : qAsConst(relabelled)) {
            if (stop.load())
                break;
            iso.setG2(s);
            const int answer = iso.isIsomorphic();
            evaluations += iso.getEvaluations();
            if (iso.wasHalted() && stop.load())
                break;
            answers.append(answer);
            if (answer == 1)
                ++yes;
            ++done;
        }
    });

    QProgressDialog *dialog = Prompt::current()->progress(
        parent, QStringLiteral("Shuffle"),
        QStringLiteral("Testing %1 relabelled graphs for isomorphism...").arg(result.rounds), result.rounds);
    QEventLoop loop;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        // cancel() called on the dialog sets its flag without a signal: look at the flag too.
        if (dialog && dialog->wasCanceled())
            stop = true;
        else if (dialog)
            dialog->setValue(done.load());
    });
    if (dialog)
        QObject::connect(dialog, &QProgressDialog::canceled, &loop, [&] { stop = true; });
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    if (dialog && dialog->wasCanceled())
        stop = true;
    ticker.start(20);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    ticker.stop();

    result.tested = done.load();
    result.isomorphic = yes.load();
    result.evaluations = evaluations.load();
    result.answers = answers;
    result.cancelled = stop.load() && result.tested < result.rounds;
    delete dialog;

    if (result.tested > 0) {
        graph->loadCurrentGraph(relabelled.at(result.tested - 1));
        graph->changeBest();
        graph->update_display();
    }
    return result;
}
