#include "problem/ProblemTextReader.h"

#include "problem/BuildCalculus.h"
#include "problem/Calculus.h"
#include "problem/CalculusDisplay.h"
#include "problem/Link.h"
#include "problem/invConstant.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace
{
const int maxNodes = 32;
const QString newRecord = QStringLiteral("<NEW>");

// A position read from a problem text: text that is no number, and values that are not finite,
// read 0. Every position the writer can express with six significant digits up to ten million
// reads back as written; beyond that a value is brought back to the edge, so that the board's
// extent times the largest zoom still fits the view's integer scroll range.
double readCoordinate(const QString &field)
{
    bool ok = false;
    const double v = field.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    return qBound(-1e7, v, 1e7);
}

// A new item's dialog holds a few dozen hidden widgets; each has posted a polish request, and
// their layouts have posted layout requests. Qt searches the thread's whole queue of posted events
// each time it posts to, or deletes, a widget that still waits for one of its events. A problem of
// a thousand items, read without a return to the event loop, would pile up some fifty thousand
// of them, and reading it, or clearing it right after, would take time that grows with the square
// of the items. So the dialog is polished now, as the event loop would do next, and its requests
// are withdrawn: a hidden widget has nothing to lay out, and showing the dialog lays it out. The
// queue stays short, so each withdrawal costs little.
void settleDialog(Calculus *item)
{
    CalculusDisplay *dialog = item->getCalculusDisplay();
    if (!dialog || dialog->isVisible())
        return;
    dialog->ensurePolished();
    QList<QWidget *> widgets = dialog->findChildren<QWidget *>();
    widgets.prepend(dialog);
    for (QWidget *w : qAsConst(widgets)) {
        QCoreApplication::removePostedEvents(w, QEvent::PolishRequest);
        QCoreApplication::removePostedEvents(w, QEvent::LayoutRequest);
    }
}
} // namespace

ProblemTextReader::ProblemTextReader(bool gui, Calculus *colors, Calculus *labels, Calculus *eLabels)
    : gui(gui), colors(colors), labels(labels), eLabels(eLabels)
{
}

ProblemTextReader::~ProblemTextReader()
{
    discard();
}

void ProblemTextReader::discard()
{
    // Users before their arguments, so no link outlives one of its ends.
    for (QVector<Calculus *> *stack : {&obj, &cons, &fam, &eval}) {
        for (int i = stack->size() - 1; i >= 0; --i)
            delete stack->at(i);
        stack->clear();
    }
    displays.clear();
}

bool ProblemTextReader::read(const QString &text)
{
    const QStringList parts = text.split(newRecord, Qt::KeepEmptyParts);
    const BuildCalculus theCatalogue;
    catalogue = &theCatalogue;
    bool ok = true;
    for (const QString &part : parts) {
        if (!readRecord(part)) {
            ok = false;
            break;
        }
        if (hasDescription)
            break; // records after the description are not read
    }
    catalogue = nullptr;
    if (ok && stackedItemsOnBoard() > MaxStackedItems) {
        const QString tooMany = QStringLiteral("Critical error, too many items in problem description.");
        ok = fail(tooMany, tooMany);
    }
    if (!ok)
        discard();
    return ok;
}

int ProblemTextReader::stackedItemsOnBoard() const
{
    int items = eval.size() + fam.size() + cons.size() + obj.size();
    // The board adds the parameter items that a text lacks.
    for (const QString &param : {QStringLiteral("PARAM 1"), QStringLiteral("PARAM 2")}) {
        const bool present =
            std::any_of(eval.cbegin(), eval.cend(), [&param](const Calculus *c) { return c->name == param; });
        if (!present)
            ++items;
    }
    return items;
}

bool ProblemTextReader::fail(const QString &console, const QString &standardError)
{
    errorConsole = console;
    errorStandard = standardError;
    return false;
}

bool ProblemTextReader::readRecord(const QString &part)
{
    const QStringList fields = part.split(QLatin1Char('\t'), Qt::KeepEmptyParts);
    const QString keyword = fields.at(0);

    if (keyword == QLatin1String("DESC")) {
        readDescription(part);
        return true;
    }
    if (fields.size() < 9) {
        const int missing = fields.size(); // the number of the first missing field
        return fail(QStringLiteral("Critical error, missing argument."),
                    QStringLiteral("Critical error, missing argument") + QString(missing, QLatin1Char('.')));
    }
    if (++itemRecords > MaxItemRecords) {
        const QString tooMany = QStringLiteral("Critical error, too many items in problem description.");
        return fail(tooMany, tooMany);
    }

    if (keyword == QLatin1String("Colors"))
        return readDisplayRecord(colors, fields, keyword);
    if (keyword == QLatin1String("Labels"))
        return readDisplayRecord(labels, fields, keyword);
    if (keyword == QLatin1String("E_Labels"))
        return readDisplayRecord(eLabels, fields, keyword);
    return readItemRecord(fields, keyword);
}

void ProblemTextReader::readDescription(const QString &part)
{
    // Title is field 1; the description is the rest of the record, tabs included.
    const int firstTab = part.indexOf(QLatin1Char('\t'));
    const int secondTab = firstTab < 0 ? -1 : part.indexOf(QLatin1Char('\t'), firstTab + 1);
    title = firstTab < 0 ? QString() : part.mid(firstTab + 1, secondTab < 0 ? -1 : secondTab - firstTab - 1);
    description = secondTab < 0 ? QString() : part.mid(secondTab + 1);
    hasDescription = true;
}

bool ProblemTextReader::readCommon(const QStringList &fields, const QString &wrongArgument, Common &common)
{
    const int bound = eval.size();
    for (int k = 0; k < 4; ++k) {
        const int f = 8 + k;
        if (f >= fields.size())
            return fail(wrongArgument, wrongArgument);
        const QString &field = fields.at(f);
        if (field == QLatin1String("NULL"))
            continue;
        bool ok = false;
        const int index = field.toInt(&ok, 10);
        if (!ok || index < 0 || index >= bound)
            return fail(wrongArgument, wrongArgument);
        common.args[k] = eval.at(index);
    }
    common.givenName = fields.at(1);
    for (int k = 0; k < 4; ++k)
        common.flags[k] = fields.at(2 + k) == QLatin1String("1");
    common.x = readCoordinate(fields.at(6));
    common.y = readCoordinate(fields.at(7));
    return true;
}

bool ProblemTextReader::readConstantTail(const QStringList &fields, ConstantTail &tail)
{
    const QString loading = QStringLiteral("Problem : ERROR LOADING CONSTANT");
    const QString invalid = QStringLiteral("Critical error, invalid value in loading constant");
    if (fields.size() < 14)
        return fail(loading, loading);
    bool ok = false;
    tail.rows = fields.at(12).toInt(&ok, 10);
    if (!ok || tail.rows < 0 || tail.rows > maxNodes)
        return fail(invalid + QLatin1Char('.'), invalid);
    tail.cols = fields.at(13).toInt(&ok, 10);
    if (!ok || tail.cols < 0 || tail.cols > maxNodes)
        return fail(invalid + QLatin1Char('.'), invalid + QLatin1Char('.'));
    if (fields.size() - 14 != tail.rows * tail.cols)
        return fail(loading, loading + QLatin1Char('.'));
    tail.values.reserve(tail.rows * tail.cols);
    for (int i = 14; i < fields.size(); ++i)
        tail.values << fields.at(i).toDouble(); // text that is no number reads 0
    return true;
}

bool ProblemTextReader::readDisplayRecord(Calculus *target, const QStringList &fields, const QString &keyword)
{
    const QString wrongArgument = QStringLiteral("Critical error, wrong argument for ") + keyword;
    Common common;
    if (!readCommon(fields, wrongArgument, common))
        return false;
    DisplayRecord record;
    record.target = target;
    record.givenName = common.givenName;
    for (int k = 0; k < 4; ++k) {
        record.flags[k] = common.flags[k];
        record.args[k] = common.args[k];
    }
    record.x = common.x;
    record.y = common.y;
    displays << record;
    return true;
}

bool ProblemTextReader::readItemRecord(const QStringList &fields, const QString &keyword)
{
    const bool isConstant = keyword == QLatin1String("CONSTANT");
    const bool isObjective = keyword == QLatin1String("Z") || keyword == QLatin1String("OBJECTIVE");
    const QString wrongArgument = (isConstant ? QStringLiteral("*") : QString()) +
                                  QStringLiteral("Critical error, wrong argument for ") + keyword;

    Calculus *item = isConstant ? catalogue->makeConstant(gui) : catalogue->makeCalculus(keyword, gui);
    if (!item && BuildCalculus::statisticsItems().contains(keyword))
        item = BuildCalculus::makeStatisticsItem(keyword, gui);
    if (!item) {
        const QString unknown = keyword + QStringLiteral(" is not a valid name in problem description.");
        return fail(unknown, unknown);
    }
    settleDialog(item);

    // The rest of the record is checked before the item is set up or filed.
    Common common;
    ConstantTail tail;
    bool ok = readCommon(fields, wrongArgument, common);
    if (ok && isObjective && fields.size() < 13)
        ok = fail(wrongArgument, wrongArgument);
    if (ok && isConstant)
        ok = readConstantTail(fields, tail);
    if (!ok) {
        delete item;
        return false;
    }

    item->setPos(common.x, common.y);
    item->setInReport(common.flags[0]);
    if (!isConstant)
        item->setGraphInReport(!common.flags[1] && !common.flags[2]);
    item->setVecInReport(common.flags[2]);
    item->setNodInReport(common.flags[1]);
    item->setInvertGraph(common.flags[3]);
    item->setGivenName(common.givenName);
    linkArguments(item, common);

    if (isObjective)
        item->setMin(fields.at(12) == QLatin1String("min"));
    if (isConstant) {
        static_cast<invConstant *>(item)->loadData(tail.rows, tail.cols, tail.values);
        eval << item;
        return true;
    }
    file(item, catalogue->type(keyword));
    return true;
}

void ProblemTextReader::linkArguments(Calculus *item, const Common &common)
{
    // The staged items have no graph yet: linking them computes nothing and moves no graph stamp.
    for (int k = 0; k < 4; ++k) {
        Calculus *arg = common.args[k];
        if (!arg)
            continue;
        Link *l = new Link(arg, item, gui);
        if (!item->setLinkK(k + 1, l) || !arg->setLinkTo(l)) {
            delete l; // an argument the item refuses is dropped, as on the board
            continue;
        }
        item->setArgK(k + 1, arg);
    }
}

void ProblemTextReader::file(Calculus *item, int category)
{
    switch (category) {
    case 2:
        fam << item;
        break;
    case 4:
        cons << item;
        break;
    case 5:
        obj << item;
        break;
    default:
        // Invariants, parameters, operators, and any item the factory makes without listing it:
        // all evaluate and save in the evaluation stack.
        eval << item;
        break;
    }
}
