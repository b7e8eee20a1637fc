#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class BuildCalculus;
class Calculus;

// Reads a problem text into items built aside from any board: item records joined by "<NEW>",
// then the description record "DESC", title, description. Every record is checked before its
// item is made; arguments refer to evaluation-stack items read before the record (no self or
// forward reference). After a successful read() the caller takes the staged items (and owns them);
// after a failure the reader has deleted everything it made and holds the two error texts.
//
// Records by kind: the description, the display items "Colors", "Labels" and "E_Labels" (which
// configure the board's own items and are only recorded here), the constant (sizes and values in
// its tail), the objective (direction in its tail), and every other catalogue item.
class ProblemTextReader
{
public:
    // A problem text holds at most this many item records; more is refused as damaged input.
    static const int MaxItemRecords = 1000;
    // A board writes one record for each of its three display items and one for every item of its
    // four stacks, the parameter items included. So that whatever a board saves reads back, it
    // holds at most this many stacked items, and a text that would give it more is refused.
    static const int DisplayRecords = 3;
    static const int MaxStackedItems = MaxItemRecords - DisplayRecords;

    // The fields of a record for one of the board's display items, applied by the board.
    struct DisplayRecord {
        Calculus *target = nullptr; // the board's own display item
        QString givenName;
        bool flags[4] = {false, false, false, false};
        double x = 0.0, y = 0.0;
        Calculus *args[4] = {nullptr, nullptr, nullptr, nullptr};
    };

    // Items are made with display when gui is set; the three display items are the board's.
    ProblemTextReader(bool gui, Calculus *colors, Calculus *labels, Calculus *eLabels);
    ~ProblemTextReader();

    ProblemTextReader(const ProblemTextReader &) = delete;
    ProblemTextReader &operator=(const ProblemTextReader &) = delete;

    bool read(const QString &text);

    // The staged result. The stacks are owned by the reader until the caller clears them.
    QVector<Calculus *> eval, fam, cons, obj;
    QVector<DisplayRecord> displays;
    bool hasDescription = false;
    QString title, description;
    // The message for the console and the one for the standard error stream of a refused text.
    QString errorConsole, errorStandard;

    // Deletes every staged item.
    void discard();

private:
    // The fields every item record shares (fields 1 to 11).
    struct Common {
        QString givenName;
        bool flags[4] = {false, false, false, false};
        double x = 0.0, y = 0.0;
        Calculus *args[4] = {nullptr, nullptr, nullptr, nullptr};
    };
    struct ConstantTail {
        int rows = 0, cols = 0;
        QVector<double> values;
    };

    // The items the board holds in its stacks once the staged ones are installed.
    int stackedItemsOnBoard() const;
    bool readRecord(const QString &part);
    void readDescription(const QString &part);
    bool readCommon(const QStringList &fields, const QString &wrongArgument, Common &common);
    bool readConstantTail(const QStringList &fields, ConstantTail &tail);
    bool readDisplayRecord(Calculus *target, const QStringList &fields, const QString &keyword);
    bool readItemRecord(const QStringList &fields, const QString &keyword);
    void linkArguments(Calculus *item, const Common &common);
    void file(Calculus *item, int category);
    bool fail(const QString &console, const QString &standardError);

    bool gui;
    Calculus *colors;
    Calculus *labels;
    Calculus *eLabels;
    const BuildCalculus *catalogue = nullptr;
    int itemRecords = 0;
};
