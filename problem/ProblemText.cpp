// Problem: the problem text in and out, problem files and autosave, the dump and printing.
#include "problem/Problem.h"

#include "graph/Graph.h"
#include "problem/Calculus.h"
#include "problem/Link.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemInternal.h"
#include "problem/ProblemTextReader.h"
#include "problem/ProblemTextWriter.h"
#include "problem/infoEDGE.h"
#include "problem/infoNODE.h"

#include "dialogs/Prompt.h"

#include <QDir>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QPainter>
#include <QPrinter>

#include <iostream>

using ProblemInternal::onGuiThread;

// ---- Problem text -------------------------------------------------------------------------------

QString Problem::saveString()
{
    return ProblemTextWriter::write(
        evalStack, famStack + consStack + objStack + QVector<Calculus *>{colors, labels, eLabels}, title,
        description);
}

void Problem::reportReadError(const QString &console, const QString &standardError)
{
    emitConsole(console, false, QColor(Qt::red));
    std::cerr << standardError.toLocal8Bit().constData() << std::endl;
}

void Problem::installStaged(ProblemTextReader &st)
{
    clear();
    evalStack = st.eval;
    famStack = st.fam;
    consStack = st.cons;
    objStack = st.obj;
    st.eval.clear();
    st.fam.clear();
    st.cons.clear();
    st.obj.clear();

    struct Placement {
        QVector<Calculus *> *stack;
        int zBase;
    };
    for (const Placement &p : {Placement{&evalStack, 0}, Placement{&famStack, 200},
                               Placement{&consStack, 500}, Placement{&objStack, 500}}) {
        for (int i = 0; i < p.stack->size(); ++i) {
            Calculus *item = p.stack->at(i);
            item->setGraph(graph);
            putOnBoard(item, p.zBase + i + 1, true);
            item->setSelectable(true);
        }
    }
    if (gui && boardScene) {
        for (Calculus *item : evalStack + famStack + consStack + objStack) {
            for (int k = 1; k <= 4; ++k) {
                Link *l = item->incomingLink(k);
                if (l && l->scene() != boardScene) {
                    boardScene->addItem(l);
                    l->adjust();
                }
            }
        }
    }
    // Arguments stand before their users, so one pass in stack order computes everything.
    for (Calculus *item : evalStack + famStack + consStack + objStack)
        item->bestBackup();

    for (const ProblemTextReader::DisplayRecord &record : st.displays) {
        Calculus *d = record.target;
        d->setPos(record.x, record.y);
        d->setInReport(record.flags[0]);
        d->setGraphInReport(!record.flags[1] && !record.flags[2]);
        d->setVecInReport(record.flags[2]);
        d->setNodInReport(record.flags[1]);
        d->setInvertGraph(record.flags[3]);
        d->setGivenName(record.givenName);
        for (int k = 0; k < 4; ++k)
            if (record.args[k])
                link(k + 1, record.args[k], d);
    }
    st.displays.clear();
    ensureParameterItems();
}

bool Problem::openString(const QString &text)
{
    ProblemTextReader st(gui, colors, labels, eLabels);
    if (!st.read(text)) {
        reportReadError(st.errorConsole, st.errorStandard);
        ensureParameterItems();
        return false;
    }

    installStaged(st);
    for (Calculus *item : allItems())
        item->select(false);
    if (graph && (onGuiThread() || !graph->isDisplayed()))
        graph->update_display();
    if (st.hasDescription) {
        title = Calculus::sanitizeParagraphs(st.title);
        description = Calculus::sanitizeParagraphs(st.description);
    }
    emitConsole(QStringLiteral("Problem loaded"), false, QColor(Qt::black));
    if (st.hasDescription) {
        emit signal_problem_description(description);
        emit signal_problem_title(title);
    }
    return true;
}

Problem *Problem::clone()
{
    const QString text = saveString();
    // Built without a graph and bound afterwards: linking the copy's items on this board's graph
    // would take fresh stamps and back up the user's current graph as the best one.
    Problem *copy = new Problem(nullptr, QStringLiteral("clone"), false);
    copy->openString(text);
    copy->setGraph(graph);
    copy->setDiameter(diameter);
    copy->setDiameterIntType(diameterType);
    copy->setDiameterValue(diameterValue);
    copy->setDegmaxIntType(degmaxType);
    copy->setDegmax(degmax);
    copy->setDegmaxValue(degmaxValue);
    copy->setRegular(regular);
    copy->setRegDegree(regDegree);
    copy->setFixNbArcs(fixNbArcs);
    copy->setNbArcs(nbArcs);
    copy->setNbNod(nbNod);
    copy->setConnected(connected);
    copy->setConnectedBar(connectedBar);
    copy->setChemical(chemical);
    return copy;
}

void Problem::display(bool debug)
{
    ProblemTextWriter::numberEvaluationStack(evalStack);
    const QString rule = QStringLiteral("===================\n");
    QString text = rule;
    text += QStringLiteral("Name     = ") + name + QLatin1Char('\n');
    text += QStringLiteral("FileName = ") + fileName + QLatin1Char('\n');
    text += QStringLiteral("BaseName = ") + baseName + QLatin1Char('\n');
    for (Calculus *item : evalStack + famStack + consStack)
        text += item->getCaractToSave() + QLatin1Char('\n');
    text += rule;
    std::cerr << text.toUtf8().constData() << std::endl;
    std::cerr.flush();
    emitConsole(text, debug, QColor(Qt::black));
}

// ---- Problem files and autosave -----------------------------------------------------------------

void Problem::reportFileError(const QString &what, const QString &path, const QString &error)
{
    const QString text = what + QStringLiteral(" ") + path + QStringLiteral(": ") + error;
    emitConsole(text, false, QColor(Qt::red));
    std::cerr << text.toLocal8Bit().constData() << std::endl;
}

bool Problem::save(const QString &path)
{
    QString error;
    return saveTo(path, error);
}

bool Problem::saveTo(const QString &path, QString &error)
{
    if (!ProblemFile::write(path, saveString(), error)) {
        reportFileError(QStringLiteral("Problem not saved to"), path, error);
        return false;
    }
    emitConsole(QStringLiteral("Problem saved"), false, QColor(Qt::black));
    return true;
}

bool Problem::open(const QString &path)
{
    std::cerr << "Opening " << path.toUtf8().constData() << std::endl;
    QString text, error;
    if (!ProblemFile::read(path, text, error)) {
        reportFileError(QStringLiteral("Cannot open"), path, error);
        // The console may not be in view: the box says why too.
        Prompt::current()->warning(
            this, QStringLiteral("Opening"),
            QStringLiteral("Cannot open file\n%1: %2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return openString(text);
}

namespace
{
// The file fields of a board after a save or an open of path through a dialog.
void fileFieldsOf(const QString &path, QString &fileName, QString &name, QString &baseName)
{
    const QFileInfo info(path);
    fileName = path;
    name = info.completeBaseName();
    baseName = info.path() + QLatin1Char('/') + name;
}
} // namespace

void Problem::slot_save()
{
    const QString start = wd.isEmpty() ? fileName : wd;
    const QString path = Prompt::current()->saveFileName(this, QStringLiteral("Save results as"), start,
                                                         QStringLiteral("*.tsy3"));
    if (path.isEmpty())
        return; // cancelled
    QString error;
    if (saveTo(path, error)) {
        fileFieldsOf(path, fileName, name, baseName);
        return;
    }
    // The console may not be in view: the box itself says why, and that nothing was replaced.
    Prompt::current()->warning(this, QStringLiteral("Warning"),
                               QStringLiteral("Failed to save data.\n%1: %2\nAny previous file is unchanged.")
                                   .arg(QDir::toNativeSeparators(path), error));
}

void Problem::slot_open()
{
    const QString path = Prompt::current()->openFileName(this, QStringLiteral("Choose problem to load"), wd,
                                                         QStringLiteral("*.tsy3"));
    if (path.isEmpty())
        return; // cancelled
    if (open(path))
        fileFieldsOf(path, fileName, name, baseName);
}

QString Problem::autosavePath() const
{
    return wd.isEmpty() ? QStringLiteral(".tsypb") : wd + QStringLiteral("/.tsypb");
}

bool Problem::autosave(QString *reason)
{
    const QString path = autosavePath();
    QString error;
    if (ProblemFile::write(path, saveString(), error))
        return true;
    if (reason)
        *reason = error;
    // The working directory stays: dropping it would send later autosaves to another folder
    // while the next start reloads from this one, and so brings back a stale problem.
    reportFileError(QStringLiteral("Autosave failed for"), path, error);
    return false;
}

bool Problem::autoload()
{
    QString text, error;
    if (!ProblemFile::read(autosavePath(), text, error)) {
        std::cerr << "Cannot open file (autoload)" << std::endl;
        reportFileError(QStringLiteral("Cannot reload the problem from"), autosavePath(), error);
        return false;
    }
    return openString(text);
}

QString Problem::currentDescription()
{
    QString text;
    for (Calculus *item : evalStack + famStack + consStack + objStack)
        text += item->problemDocument() + QLatin1Char('\n');
    return text;
}

// ---- Printing -----------------------------------------------------------------------------------

void Problem::slot_print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!Prompt::current()->print(nullptr, &printer))
        return;
    QPainter painter(&printer);
    render(&painter, QRectF(), QRect(), Qt::KeepAspectRatio);
}
