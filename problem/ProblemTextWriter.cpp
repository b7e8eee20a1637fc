#include "problem/ProblemTextWriter.h"

#include "problem/Calculus.h"

void ProblemTextWriter::numberEvaluationStack(const QVector<Calculus *> &evalStack)
{
    for (int i = 0; i < evalStack.size(); ++i)
        evalStack[i]->saveIndex = i;
}

QString ProblemTextWriter::write(const QVector<Calculus *> &evalStack, const QVector<Calculus *> &others,
                                 const QString &title, const QString &description)
{
    numberEvaluationStack(evalStack);
    QString text;
    for (const QVector<Calculus *> *items : {&evalStack, &others}) {
        for (Calculus *item : *items) {
            item->updateGivenName();
            text += item->getCaractToSave();
        }
    }
    // Every item record ends with a line feed and given names hold none, so each one is a
    // separator. The description record comes after this step: its line breaks are the user's.
    text.replace(QLatin1Char('\n'), QStringLiteral("<NEW>"));
    text += QStringLiteral("DESC\t") + title + QLatin1Char('\t') + description;
    return text;
}
