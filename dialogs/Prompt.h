#pragma once

#include <QString>

class QPrinter;
class QProgressDialog;
class QWidget;

// Every modal question, message box and file dialog of the program goes through the current
// Prompt, so tests can replace it with one that answers at once and never blocks on a dialog.
class Prompt
{
public:
    virtual ~Prompt() = default;

    virtual void information(QWidget *parent, const QString &title, const QString &text);
    virtual void warning(QWidget *parent, const QString &title, const QString &text);
    virtual void critical(QWidget *parent, const QString &title, const QString &text);
    // True when the user answers Yes.
    virtual bool question(QWidget *parent, const QString &title, const QString &text);
    // The chosen file, or an empty string when the dialog was cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter);
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter);
    // An about box; richText is the program's own text, never text from files.
    virtual void about(QWidget *parent, const QString &title, const QString &richText);
    // True when the user answers Ok (Cancel is the default).
    virtual bool confirm(QWidget *parent, const QString &title, const QString &text);
    // The chosen directory, or an empty string when the dialog was cancelled.
    virtual QString directory(QWidget *parent, const QString &caption, const QString &dir);
    // The print dialog on printer; true when the user accepted it.
    virtual bool print(QWidget *parent, QPrinter *printer);
    // A window-modal progress dialog with a Cancel button for a task of maximum steps, shown at
    // once; the caller owns it and deletes it when the task ends.
    virtual QProgressDialog *progress(QWidget *parent, const QString &title, const QString &label,
                                      int maximum);

    // The prompt in use; the interactive one unless a test installed another.
    static Prompt *current();
    // Installs p (not owned) as the current prompt; null restores the interactive one.
    static void install(Prompt *p);
};
