#pragma once

// What every fuzz target needs before its first input: a widget application on the offscreen
// platform, a prompt that never blocks, and the standard error stream (where the readers report
// every refusal) turned into a sink, so the fuzzer's own output stays readable.

#include "dialogs/Prompt.h"

#include <QApplication>
#include <QEvent>
#include <QString>

#include <cstdlib>
#include <iostream>
#include <sstream>

namespace FuzzSetup
{

class SilentPrompt : public Prompt
{
public:
    void information(QWidget *, const QString &, const QString &) override {}
    void warning(QWidget *, const QString &, const QString &) override {}
    void critical(QWidget *, const QString &, const QString &) override {}
    bool question(QWidget *, const QString &, const QString &) override { return false; }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QString();
    }
};

inline std::ostringstream *&sink()
{
    static std::ostringstream *s = nullptr;
    return s;
}

inline void start(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    Prompt::install(new SilentPrompt);
    sink() = new std::ostringstream;
    std::cerr.rdbuf(sink()->rdbuf());
}

// Delivers the events the input left behind, as the window's event loop would (otherwise they
// pile up over the run and slow every later widget deletion), and empties the sink. A failure is
// written to the standard output and ends the run, so the fuzzer keeps the input that caused it.
inline void conclude(const QString &failure)
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    sink()->str(std::string());
    if (failure.isEmpty())
        return;
    std::cout << "FAILED: " << failure.toUtf8().constData() << std::endl;
    std::abort();
}

} // namespace FuzzSetup
