#pragma once

#include "shell/Prompt.h"

#include <QProgressDialog>
#include <QStringList>
#include <QTimer>

// A prompt for tests: file dialogs answer with the next queued name (empty = cancelled), message
// boxes are recorded as "title|text", print dialogs are refused, and progress dialogs are real
// but never block. Installed for the lifetime of the object.
class ScriptedPrompt : public Prompt
{
public:
    ScriptedPrompt() { Prompt::install(this); }
    ~ScriptedPrompt() override { Prompt::install(nullptr); }

    QStringList fileAnswers;
    QStringList messages;
    QStringList dialogCaptions;
    int printRequests = 0;
    // Cancel a progress dialog once it reaches this value (-1: never).
    int cancelProgressAt = -1;
    QProgressDialog *lastProgress = nullptr;

    void information(QWidget *, const QString &title, const QString &text) override { record(title, text); }
    void warning(QWidget *, const QString &title, const QString &text) override { record(title, text); }
    void critical(QWidget *, const QString &title, const QString &text) override { record(title, text); }
    bool question(QWidget *, const QString &title, const QString &text) override
    {
        record(title, text);
        return true;
    }
    QString openFileName(QWidget *, const QString &caption, const QString &, const QString &) override
    {
        return next(caption);
    }
    QString saveFileName(QWidget *, const QString &caption, const QString &, const QString &) override
    {
        return next(caption);
    }
    bool print(QWidget *, QPrinter *) override
    {
        ++printRequests;
        return false;
    }
    QProgressDialog *progress(QWidget *parent, const QString &title, const QString &label,
                              int maximum) override
    {
        QProgressDialog *d = Prompt::progress(parent, title, label, maximum);
        lastProgress = d;
        if (cancelProgressAt >= 0) {
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
    void record(const QString &title, const QString &text) { messages << title + QLatin1Char('|') + text; }
    QString next(const QString &caption)
    {
        dialogCaptions << caption;
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
};
