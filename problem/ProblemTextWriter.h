#pragma once

#include <QString>
#include <QVector>

class Calculus;

// Writes a problem text: one save record per item, each followed by "<NEW>", then the description
// record "DESC", tab, title, tab, description.
class ProblemTextWriter
{
public:
    // Numbers the evaluation stack (the save index by which records refer to their arguments).
    static void numberEvaluationStack(const QVector<Calculus *> &evalStack);
    // The records of evalStack, then of others, in order, and the description record.
    static QString write(const QVector<Calculus *> &evalStack, const QVector<Calculus *> &others,
                         const QString &title, const QString &description);
};
