#pragma once

#include "shell/Prompt.h"

#include <QPrinter>
#include <QString>
#include <QStringList>

// A prompt that answers at once from fields the test sets, records what was asked, and installs
// itself for its lifetime.
class ScriptedPrompt : public Prompt
{
public:
    ScriptedPrompt() { Prompt::install(this); }
    ~ScriptedPrompt() override { Prompt::install(nullptr); }

    bool answerYes = true; // answer of question()
    QString fileToOpen;    // empty: the open dialog is cancelled
    QString fileToSave;    // empty: the save dialog is cancelled
    QString printTo;       // the PDF file the print dialog chooses; empty: cancelled
    QStringList asked;     // "kind|title|text" of every prompt shown

    void information(QWidget *, const QString &title, const QString &text) override
    {
        asked << QStringLiteral("information|") + title + QLatin1Char('|') + text;
    }
    void warning(QWidget *, const QString &title, const QString &text) override
    {
        asked << QStringLiteral("warning|") + title + QLatin1Char('|') + text;
    }
    void critical(QWidget *, const QString &title, const QString &text) override
    {
        asked << QStringLiteral("critical|") + title + QLatin1Char('|') + text;
    }
    bool question(QWidget *, const QString &title, const QString &text) override
    {
        asked << QStringLiteral("question|") + title + QLatin1Char('|') + text;
        return answerYes;
    }
    QString openFileName(QWidget *, const QString &caption, const QString &, const QString &filter) override
    {
        asked << QStringLiteral("open|") + caption + QLatin1Char('|') + filter;
        return fileToOpen;
    }
    QString saveFileName(QWidget *, const QString &caption, const QString &, const QString &filter) override
    {
        asked << QStringLiteral("save|") + caption + QLatin1Char('|') + filter;
        return fileToSave;
    }
    bool print(QWidget *, QPrinter *printer) override
    {
        asked << QStringLiteral("print");
        if (printTo.isEmpty())
            return false;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printTo);
        return true;
    }
};
