#include "problem/Calculus.h"

#include "graph/Graph.h"
#include "graph/Random.h"
#include "problem/CalculusDisplay.h"
#include "problem/Link.h"

#include <QGraphicsSceneMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>

#include <iostream>

QVector<Calculus *> Calculus::vector_calculus;
QMutex Calculus::c_mutex;
Calculus *Calculus::calculus_under_mouse = nullptr;

namespace
{
const double noValue = 1e12;
const int maxSize = 32;
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

QRectF Calculus::boundingRect() const
{
    return QRectF(-(w / 2) - 2 - 10, -(h / 2) - 2 - 50, (w + 3) + 2 + 10, (h + 3) + 2 + 50);
}

QPainterPath Calculus::shape() const
{
    QPainterPath path;
    path.addRect(-(w / 2), -(h / 2), w, h);
    return path;
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

bool Calculus::setLink1(Link *l)
{
    return linkSlot(1, l);
}

bool Calculus::setLink2(Link *l)
{
    return linkSlot(2, l);
}

bool Calculus::setLink3(Link *l)
{
    return linkSlot(3, l);
}

bool Calculus::setLink4(Link *l)
{
    return linkSlot(4, l);
}

bool Calculus::setLinkTo(Link *l)
{
    return canBeArgument && acceptOutgoingLink(l);
}

bool Calculus::setArg1(Calculus *c)
{
    return argSlot(1, c);
}

bool Calculus::setArg2(Calculus *c)
{
    return argSlot(2, c);
}

bool Calculus::setArg3(Calculus *c)
{
    return argSlot(3, c);
}

bool Calculus::setArg4(Calculus *c)
{
    return argSlot(4, c);
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
    switch (k) {
    case 1:
        return arg1;
    case 2:
        return arg2;
    case 3:
        return arg3;
    default:
        return arg4;
    }
}

Link *&Calculus::linkRef(int k)
{
    switch (k) {
    case 1:
        return link1;
    case 2:
        return link2;
    case 3:
        return link3;
    default:
        return link4;
    }
}

Calculus *Calculus::argument(int k) const
{
    switch (k) {
    case 1:
        return arg1;
    case 2:
        return arg2;
    case 3:
        return arg3;
    case 4:
        return arg4;
    default:
        return nullptr;
    }
}

Link *Calculus::incomingLink(int k) const
{
    switch (k) {
    case 1:
        return link1;
    case 2:
        return link2;
    case 3:
        return link3;
    case 4:
        return link4;
    default:
        return nullptr;
    }
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

// ---- On the board -------------------------------------------------------------------------------

void Calculus::placeAtRandom(int width, int height)
{
    x0 = tsy_qrand() % 200;
    y0 = tsy_qrand() % 200;
    w = width;
    h = height;
}

void Calculus::initDisplay(bool offerComplement)
{
    if (!withDisplay)
        return;
    initDisplay(new CalculusDisplay(name), offerComplement);
}

void Calculus::initDisplay(CalculusDisplay *dialog, bool offerComplement)
{
    if (!withDisplay) {
        delete dialog;
        return;
    }
    if (!dialog)
        dialog = new CalculusDisplay(name);
    delete display;
    display = dialog;
    display->setEnabled(true);
    display->setVisible(false);
    display->enableInvertGraph(offerComplement);
    if (graph)
        display->setGraph(graph);
    setFlag(QGraphicsItem::ItemIsMovable, true);
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    setZValue(1.0);
    setPos(x0, y0);
    setVisible(true);
    setToolTip(name);
    display->setName(name);
}

void Calculus::toggleDisplay()
{
    if (!display)
        return;
    display->setName(name);
    display->setVisible(!display->isVisible());
}

void Calculus::toggleSelect()
{
    if (selected) {
        selected = false;
        update();
    } else if (selectable) {
        selected = true;
        update();
    }
}

void Calculus::select(bool b)
{
    selected = selectable ? b : false;
}

void Calculus::setSelectable(bool b)
{
    selectable = b;
    if (!b)
        selected = false;
}

void Calculus::update_display()
{
    if (!display)
        return;
    update();
    updateGivenName();
}

void Calculus::setZ(double z)
{
    setZValue(z);
}

void Calculus::debugDisplay()
{
    std::cerr << "----------------" << std::endl;
    std::cerr << "NAME = " << name.toUtf8().constData() << std::endl;
    for (int k = 1; k <= 4; ++k) {
        Link *l = incomingLink(k);
        if (l) {
            std::cerr << "LINK" << k << ":";
            l->display();
        }
    }
    if (!linksTo.isEmpty()) {
        std::cerr << "LINKS TO:" << std::endl;
        for (Link *l : linksTo)
            l->display();
    }
    std::cerr << "----------------" << std::endl;
}

Calculus *Calculus::calculusUnderMouse()
{
    return calculus_under_mouse;
}

void Calculus::setCalculusUnderMouse(Calculus *c)
{
    calculus_under_mouse = c;
}

void Calculus::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    toggleSelect();
    QGraphicsItem::mousePressEvent(event);
}

void Calculus::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsItem::mouseReleaseEvent(event);
}

QVariant Calculus::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == QGraphicsItem::ItemPositionHasChanged) {
        for (int k = 1; k <= 4; ++k) {
            Link *l = incomingLink(k);
            if (l)
                l->adjust();
        }
        const QList<Link *> outgoing = linksTo;
        for (Link *l : outgoing)
            l->adjust();
    }
    return QGraphicsItem::itemChange(change, value);
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

// ---- Painting helpers ---------------------------------------------------------------------------

QRadialGradient Calculus::radialGradient(QPointF origin, qreal radius, QPointF centre, QPointF focal,
                                         const QColor &at1, const QColor &at0)
{
    QRadialGradient g(origin, radius);
    g.setCenter(centre);
    g.setFocalPoint(focal);
    g.setColorAt(1.0, at1);
    g.setColorAt(0.0, at0);
    return g;
}

bool Calculus::markedColours(QColor &at1, QColor &at0, bool showError) const
{
    if (selected) {
        at1 = QColor(Qt::blue).lighter(120);
        at0 = QColor(Qt::darkBlue).lighter(120);
        return true;
    }
    if (showError && errorBackup) {
        at1 = QColor(Qt::red).lighter(120);
        at0 = QColor(Qt::darkRed).lighter(120);
        return true;
    }
    return false;
}

void Calculus::setBodyBrush(QPainter *painter, Shading shading, const QColor &at1, const QColor &at0)
{
    if (shading == Shading::Box)
        painter->setBrush(radialGradient(QPointF(-30, -30), 60, QPointF(30, 30), QPointF(3, 30), at1, at0));
    else
        painter->setBrush(radialGradient(QPointF(-30, -30), 100, QPointF(3, 3), QPointF(3, 3), at1, at0));
    painter->setPen(QPen(Qt::black));
}

QString Calculus::valueOrSizeText(bool single, double value, int r, int c)
{
    return single ? QString::number(value, 'g', 6) : QStringLiteral("%1 x %2").arg(r).arg(c);
}

void Calculus::paintGivenNameTag(QPainter *painter, bool yellow) const
{
    if (givenName.isEmpty())
        return;
    const QColor at1 = yellow ? QColor(Qt::yellow) : QColor(Qt::green).lighter(120);
    const QColor at0 = yellow ? QColor(Qt::yellow).darker(120) : QColor(Qt::green);
    painter->setBrush(radialGradient(QPointF(-30, -30), 100, QPointF(3, 3), QPointF(2, 2), at1, at0));
    painter->setPen(QPen(Qt::black));
    painter->drawRect(QRectF(-50, -35, 100, 20));
    painter->setPen(QPen(Qt::red));
    painter->drawText(QRectF(-45, -35, 90, 20), givenName);
}

void Calculus::paintReportMark(QPainter *painter) const
{
    if (!inReport())
        return;
    painter->setPen(QPen(Qt::red));
    painter->drawText(QRectF(30, 0, 25, 25), QStringLiteral("*"));
}

void Calculus::paintComplementMark(QPainter *painter) const
{
    if (!display || !display->invertGraph())
        return;
    painter->setPen(QPen(Qt::red));
    painter->setBrush(QBrush(Qt::white, Qt::SolidPattern));
    painter->drawEllipse(QRectF(-70, -30, 20, 20));
    painter->drawText(QRectF(-65, -25, 10, 10), QStringLiteral("i"));
}

double Calculus::shownValue() const
{
    return display ? display->getValue() : M[0][0];
}

int Calculus::shownRows() const
{
    return display ? display->getNbRows() : rows;
}

int Calculus::shownCols() const
{
    return display ? display->getNbCols() : cols;
}

bool Calculus::setLinkK(int k, Link *l)
{
    switch (k) {
    case 1:
        return setLink1(l);
    case 2:
        return setLink2(l);
    case 3:
        return setLink3(l);
    default:
        return setLink4(l);
    }
}

bool Calculus::setArgK(int k, Calculus *c)
{
    switch (k) {
    case 1:
        return setArg1(c);
    case 2:
        return setArg2(c);
    case 3:
        return setArg3(c);
    default:
        return setArg4(c);
    }
}
