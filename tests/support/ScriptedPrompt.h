#pragma once

#include "dialogs/Prompt.h"

#include <QPrinter>
#include <QProgressDialog>
#include <QString>
#include <QStringList>
#include <QTimer>

// A prompt for tests that answers at once and records what was asked; installed for its lifetime.
// File dialogs answer with the next queued name of fileAnswers when there is one, else with
// fileToOpen / fileToSave (empty = cancelled). Message boxes are recorded twice: as
// "kind|title|text" in asked and as "title|text" in messages. The print dialog prints to printTo as
// PDF (empty = cancelled). Progress dialogs are real but never block.
class ScriptedPrompt : public Prompt
{
public:
    ScriptedPrompt() { Prompt::install(this); }
    ~ScriptedPrompt() override { Prompt::install(nullptr); }

    bool answerYes = true; // answer of question()
    bool answerOk = true;  // answer of confirm()
    QString fileToOpen;    // empty: the open dialog is cancelled
    QString fileToSave;    // empty: the save dialog is cancelled
    QString printTo;       // the PDF file the print dialog chooses; empty: cancelled
    QStringList asked;     // "kind|title|text" of every prompt shown
    QStringList fileAnswers;
    QStringList messages;
    QStringList dialogCaptions;
    int printRequests = 0;
    // Cancel a progress dialog once it reaches this value (-1: never).
    int cancelProgressAt = -1;
    QProgressDialog *lastProgress = nullptr;

    void information(QWidget *, const QString &title, const QString &text) override
    {
        record(QStringLiteral("information"), title, text);
    }
    void warning(QWidget *, const QString &title, const QString &text) override
    {
        record(QStringLiteral("warning"), title, text);
    }
    void critical(QWidget *, const QString &title, const QString &text) override
    {
        record(QStringLiteral("critical"), title, text);
    }
    bool question(QWidget *, const QString &title, const QString &text) override
    {
        record(QStringLiteral("question"), title, text);
        return answerYes;
    }
    bool confirm(QWidget *, const QString &title, const QString &text) override
    {
        record(QStringLiteral("confirm"), title, text);
        return answerOk;
    }
    QString openFileName(QWidget *, const QString &caption, const QString &, const QString &filter) override
    {
        asked << QStringLiteral("open|") + caption + QLatin1Char('|') + filter;
        return next(caption, fileToOpen);
    }
    QString saveFileName(QWidget *, const QString &caption, const QString &, const QString &filter) override
    {
        asked << QStringLiteral("save|") + caption + QLatin1Char('|') + filter;
        return next(caption, fileToSave);
    }
    bool print(QWidget *, QPrinter *printer) override
    {
        ++printRequests;
        asked << QStringLiteral("print");
        if (printTo.isEmpty())
            return false;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printTo);
        return true;
    }
    QProgressDialog *progress(QWidget *parent, const QString &title, const QString &label, int maximum) override
    {
        QProgressDialog *d = Prompt::progress(parent, title, label, maximum);
        lastProgress = d;
        if (cancelProgressAt == 0) {
            d->cancel();
        } else if (cancelProgressAt > 0) {
            const int at = cancelProgressAt;
            // QProgressDialog has no value signal: look at it while the event loop runs.
            auto *timer = new QTimer(d);
            QObject::connect(timer, &QTimer::timeout, d, [d, at] {
                if (d->value() >= at && !d->wasCanceled())
                    d->cancel();
            });
            timer->start(5);
        }
        return d;
    }

private:
    void record(const QString &kind, const QString &title, const QString &text)
    {
        asked << kind + QLatin1Char('|') + title + QLatin1Char('|') + text;
        messages << title + QLatin1Char('|') + text;
    }
    QString next(const QString &caption, const QString &fallback)
    {
        dialogCaptions << caption;
        return fileAnswers.isEmpty() ? fallback : fileAnswers.takeFirst();
    }
};
