// Calculus proper: arguments and links, evaluation, result, flags, names, registry and save record.
#include "problem/Calculus.h"

#include "graph/Graph.h"
#include "problem/CalculusDisplay.h"
#include "problem/Link.h"

#include <QMutexLocker>

QVector<Calculus *> Calculus::vector_calculus;
QMutex Calculus::c_mutex;
Calculus *Calculus::calculus_under_mouse = nullptr;

namespace
{
const double noValue = 1e12;
const int maxSize = 32;

// Slots 1 to 4, in order: the arguments, the incoming links, and the operations that set them
// (called through the table, the setters still dispatch to the kind's overrides).
Calculus *Calculus::*const argFields[4] = {&Calculus::arg1, &Calculus::arg2, &Calculus::arg3,
                                           &Calculus::arg4};
Link *Calculus::*const linkFields[4] = {&Calculus::link1, &Calculus::link2, &Calculus::link3,
                                        &Calculus::link4};
bool (Calculus::*const linkSetters[4])(Link *) = {&Calculus::setLink1, &Calculus::setLink2,
                                                  &Calculus::setLink3, &Calculus::setLink4};
bool (Calculus::*const argSetters[4])(Calculus *) = {&Calculus::setArg1, &Calculus::setArg2,
                                                     &Calculus::setArg3, &Calculus::setArg4};

// The table index of slot k, where k outside 1..3 means slot 4.
int slotIndex(int k)
{
    return k >= 1 && k <= 3 ? k - 1 : 3;
}
} // namespace

Calculus::Calculus()
{
    QMutexLocker lock(&valueMutex);
    M = QVector<QVector<double>>(maxSize, QVector<double>(maxSize, 0.0));
}

Calculus::~Calculus()
{
    // Each link's destructor detaches it from both ends, which edits linksTo: work on a copy.
    const QList<Link *> outgoing = linksTo;
    for (Link *l : outgoing)
        delete l;
    linksTo.clear();
    for (int k = 1; k <= 4; ++k) {
        Link *l = linkRef(k);
        if (l) {
            delete l; // clears linkRef(k) and argRef(k) through removeLink
            linkRef(k) = nullptr;
        }
    }
    delete display;
    display = nullptr;

    // The registry must never hold a dangling item.
    {
        QMutexLocker lock(&c_mutex);
        vector_calculus.removeAll(this);
    }
    if (calculus_under_mouse == this)
        calculus_under_mouse = nullptr;
}

QVector<QVector<double>> *Calculus::getZ()
{
    return &M;
}

void Calculus::setMin(bool m)
{
    Q_UNUSED(m);
}

QString Calculus::specificInformationToSave()
{
    return QString();
}

// ---- Default argument/link operations -----------------------------------------------------------

bool Calculus::linkSlot(int k, Link *l)
{
    return k <= argSlots && acceptIncomingLink(k, l, linkDeselects);
}

bool Calculus::argSlot(int k, Calculus *c)
{
    return k <= argSlots && acceptArgument(k, c, changeBestLast);
}

bool Calculus::setLinkK(int k, Link *l)
{
    return (this->*linkSetters[slotIndex(k)])(l);
}

bool Calculus::setArgK(int k, Calculus *c)
{
    return (this->*argSetters[slotIndex(k)])(c);
}

bool Calculus::setLinkTo(Link *l)
{
    return canBeArgument && acceptOutgoingLink(l);
}

void Calculus::setParam(int p)
{
    Q_UNUSED(p);
}

int Calculus::getParam()
{
    return -1;
}

// ---- Evaluation ---------------------------------------------------------------------------------

bool Calculus::compute(bool force)
{
    if (!crucial && !force)
        return true;
    if (!graph) {
        error = true;
        return false;
    }
    applyChanges();
    const qint64 stamp = graph->getID();
    if (stamp == lastID)
        return false;

    error = false;
    QMutexLocker computeLock(&computeMutex);
    lastID = stamp;
    for (int k = 1; k <= 4; ++k) {
        const Calculus *a = argument(k);
        if (a && a->error)
            error = true;
    }
    const bool complement = invertGraph;
    if (complement)
        graph->invert();
    {
        QMutexLocker valueLock(&valueMutex);
        recompute();
    }
    if (complement)
        graph->invert();
    return true;
}

void Calculus::update_crucial()
{
    if (!crucial)
        return;
    for (Calculus *a : {arg1, arg2, arg3, arg4})
        if (a)
            a->crucial = true;
}

void Calculus::applyChanges()
{
    if (!display)
        return;
    inReportFlag = display->inReport();
    nodInReportFlag = display->nodInReport();
    vecInReportFlag = display->vecInReport();
    graphInReportFlag = display->graphInReport();
    invertGraph = display->invertGraph();
}

void Calculus::bestBackup()
{
    compute(true);
    if (display) {
        {
            QMutexLocker lock(&valueMutex);
            display->setValues(M, rows, cols);
        }
        // Items that report no status (the invariants) show their definition instead. The keyword
        // is used, never the given name, which may come from a file and must not be read as rich
        // text.
        setToolTip(statusText.isEmpty() && !textDef.isEmpty() ? name + QStringLiteral(" : ") + textDef
                                                              : statusText);
        // The box caches its drawing: without a repaint request it would go on showing the value
        // of the graph before.
        update();
    }
    errorBackup = error;
}

void Calculus::setGraph(Graph *g)
{
    graph = g;
    if (display)
        display->setGraph(g);
}

// ---- Reading the result -------------------------------------------------------------------------

double Calculus::getValue(int k)
{
    QMutexLocker lock(&valueMutex);
    if (k < 1 || k > maxSize)
        return noValue;
    if (cols < 2)
        return M[k - 1][0];
    return M[0][k - 1];
}

QVector<double> Calculus::getFirstRow()
{
    QMutexLocker lock(&valueMutex);
    QVector<double> row;
    const int n = qMin(cols, maxSize);
    for (int j = 0; j < n; ++j)
        row.append(M[0][j]);
    return row;
}

QVector<double> Calculus::getFirstCol()
{
    QMutexLocker lock(&valueMutex);
    QVector<double> col;
    const int n = qMin(rows, maxSize);
    for (int i = 0; i < n; ++i)
        col.append(M[i][0]);
    return col;
}

// ---- Flags --------------------------------------------------------------------------------------

bool Calculus::inReport() const
{
    return display ? display->inReport() : inReportFlag;
}

void Calculus::setInReport(bool b)
{
    storeFlag(inReportFlag, &CalculusDisplay::setInReport, b);
}

bool Calculus::graphInReport() const
{
    return display ? display->graphInReport() : graphInReportFlag;
}

void Calculus::setGraphInReport(bool b)
{
    storeFlag(graphInReportFlag, &CalculusDisplay::setGraphInReport, b);
}

bool Calculus::vecInReport() const
{
    return display ? display->vecInReport() : vecInReportFlag;
}

void Calculus::setVecInReport(bool b)
{
    storeFlag(vecInReportFlag, &CalculusDisplay::setVecInReport, b);
}

bool Calculus::nodInReport() const
{
    return display ? display->nodInReport() : nodInReportFlag;
}

void Calculus::setNodInReport(bool b)
{
    storeFlag(nodInReportFlag, &CalculusDisplay::setNodInReport, b);
}

void Calculus::setInvertGraph(bool b)
{
    storeFlag(invertGraph, &CalculusDisplay::setInvertGraph, b);
}

void Calculus::storeFlag(bool &flag, void (CalculusDisplay::*setter)(bool), bool b)
{
    flag = b;
    if (display)
        (display->*setter)(b);
}

// ---- Names --------------------------------------------------------------------------------------

QString Calculus::sanitizeText(const QString &s)
{
    QString t = s;
    t.replace(QLatin1Char('\t'), QLatin1Char(' '));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // "<NEW >" contains no record separator and cannot form one with its neighbours.
    t.replace(QStringLiteral("<NEW>"), QStringLiteral("<NEW >"));
    return t;
}

QString Calculus::sanitizeParagraphs(const QString &s)
{
    QString t = s;
    t.replace(QLatin1Char('\t'), QLatin1Char(' '));
    // One kind of line break: the Notebook's text box hands back LF only, so the text it shows
    // and the one the problem keeps stay the same.
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QStringLiteral("<NEW>"), QStringLiteral("<NEW >"));
    return t;
}

void Calculus::setGivenName(const QString &s)
{
    const QString clean = sanitizeText(s);
    if (display)
        display->setGivenName(clean);
    givenName = clean;
}

void Calculus::updateGivenName()
{
    if (display)
        givenName = sanitizeText(display->givenName());
}

// ---- Links --------------------------------------------------------------------------------------

Calculus *&Calculus::argRef(int k)
{
    return this->*argFields[slotIndex(k)];
}

Link *&Calculus::linkRef(int k)
{
    return this->*linkFields[slotIndex(k)];
}

Calculus *Calculus::argument(int k) const
{
    return k >= 1 && k <= 4 ? this->*argFields[k - 1] : nullptr;
}

Link *Calculus::incomingLink(int k) const
{
    return k >= 1 && k <= 4 ? this->*linkFields[k - 1] : nullptr;
}

bool Calculus::isLinked(int k) const
{
    return incomingLink(k) != nullptr;
}

bool Calculus::removeLink(Link *l)
{
    if (linksTo.removeAll(l) > 0)
        return true;
    for (int k = 1; k <= 4; ++k) {
        if (linkRef(k) == l) {
            linkRef(k) = nullptr;
            argRef(k) = nullptr;
            return true;
        }
    }
    return false;
}

bool Calculus::acceptIncomingLink(int k, Link *l, bool deselect)
{
    if (k < 1 || k > 4 || !l || l->to() != this || l->from() == this)
        return false;
    // A second link in an occupied slot would be lost by this item while its source still holds it.
    if (linkRef(k) && linkRef(k) != l)
        return false;
    linkRef(k) = l;
    l->setArgNo(k);
    if (deselect)
        selected = false;
    return true;
}

bool Calculus::acceptOutgoingLink(Link *l)
{
    if (!l || l->from() != this || l->to() == this)
        return false;
    if (!linksTo.contains(l))
        linksTo.append(l);
    selected = false;
    return true;
}

bool Calculus::acceptArgument(int k, Calculus *c, bool changeBestLast)
{
    if (k < 1 || k > 4 || c == this)
        return false;
    Link *l = linkRef(k);
    // The link of slot k always starts at the argument: a source the link does not come from
    // (a refused move of the link) is not taken.
    if (l && l->from() != c)
        return false;
    argRef(k) = c;
    if (graph && !changeBestLast)
        graph->changeBest();
    compute(true);
    update();
    bestBackup();
    if (l)
        l->setArg(c);
    if (graph && changeBestLast)
        graph->changeBest();
    return true;
}

// ---- Registry -----------------------------------------------------------------------------------

void Calculus::clearVectorCalculus()
{
    QMutexLocker lock(&c_mutex);
    vector_calculus.clear();
}

void Calculus::addVectorCalculus(Calculus *c)
{
    QMutexLocker lock(&c_mutex);
    vector_calculus.append(c);
}

QVector<Calculus *> Calculus::registry()
{
    QMutexLocker lock(&c_mutex);
    return vector_calculus;
}

// ---- Save record and documentation --------------------------------------------------------------

QString Calculus::getCaractToSave()
{
    applyChanges();
    const QString tab = QStringLiteral("\t");
    QString s = name + tab;
    if (!givenName.isEmpty())
        s += givenName;
    s += tab;
    const bool flags[4] = {inReportFlag, nodInReportFlag, vecInReportFlag, invertGraph};
    for (bool f : flags)
        s += f ? QStringLiteral("1\t") : QStringLiteral("0\t");
    const QPointF p = pos();
    s += QString::number(p.x(), 'g', 6) + tab + QString::number(p.y(), 'g', 6) + tab;
    for (int k = 1; k <= 4; ++k) {
        const Calculus *a = argument(k);
        s += a ? QString::number(a->saveIndex, 10) : QStringLiteral("NULL");
        if (k < 4)
            s += tab;
    }
    s += specificInformationToSave();
    s += QLatin1Char('\n');
    return s;
}

QString Calculus::getID()
{
    identifier = category + QLatin1Char('-') + QString::number(zValue(), 'g', 6);
    return identifier;
}

QString Calculus::problemDocument()
{
    QString s = getID() + QStringLiteral(": ") + name;
    if (!givenName.isEmpty())
        s += QStringLiteral(" (") + givenName + QLatin1Char(')');
    s += QLatin1Char('\n');
    s += QStringLiteral("Rows: ") + sRows + QLatin1Char('\n');
    s += QStringLiteral("Columns: ") + sCols + QLatin1Char('\n');
    for (int k = 1; k <= 4; ++k) {
        Calculus *a = argument(k);
        if (a)
            s += QStringLiteral("arg%1 = ").arg(k) + a->getID() + QLatin1Char('\n');
    }
    return s;
}

QString Calculus::textDocumentation() const
{
    return (givenName.isEmpty() ? name : givenName) + QStringLiteral(" : ") + textDef + QLatin1Char('\n');
}
