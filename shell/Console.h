#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QCheckBox;
class QSpinBox;
class QTextEdit;

// The log of every component's messages, one paragraph per message in the sender's colour.
// Three controls filter what is shown, read when a message arrives: "Debug" lets debug messages
// through, "Verbose" is the highest level shown, "Thread" (-1 for all) keeps one search worker.
// Text is always shown as plain text, whatever it looks like.
class Console : public QWidget
{
    Q_OBJECT

public:
    Console();

    QTextEdit *logView() const { return log; }
    QCheckBox *debugBox() const { return debug; }
    QSpinBox *verbosityBox() const { return verbosity; }
    QSpinBox *threadBox() const { return thread; }

public slots:
    // Older form without flags: shown in red between "[" and "](deprecated use of Console::append())".
    void append(QString text);
    void append(QString text, bool isDebug, int level, QColor colour);
    // A search worker's message; worker is its number.
    void append(QString text, bool isDebug, int level, QColor colour, int worker);
    void slot_print();

private:
    void addParagraph(const QString &text, const QColor &colour);

    QTextEdit *log;
    QCheckBox *debug;
    QSpinBox *verbosity;
    QSpinBox *thread;
    // The log view stays at its last line as new lines come in (until the user scrolls up).
    bool following = true;
};
