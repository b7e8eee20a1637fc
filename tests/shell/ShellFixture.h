#pragma once

#include "dialogs/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <iostream>
#include <sstream>

// The example problem of the README: the largest adjacency eigenvalue minus the average degree.
inline QString exampleProblemPath()
{
    return QStringLiteral(TESSALY_TEST_DATA "/../../docs/examples/spectral_minus_average_degree.tsy3");
}

// A prompt that never blocks: it records every dialog and answers from its settings.
class ShellPrompt : public Prompt
{
public:
    void information(QWidget *, const QString &title, const QString &text) override { log(title, text); }
    void warning(QWidget *, const QString &title, const QString &text) override { log(title, text); }
    void critical(QWidget *, const QString &title, const QString &text) override { log(title, text); }
    void about(QWidget *, const QString &title, const QString &text) override { log(title, text); }
    bool question(QWidget *, const QString &title, const QString &text) override
    {
        log(title, text);
        return answerYes;
    }
    bool confirm(QWidget *, const QString &title, const QString &text) override
    {
        log(title, text);
        return answerOk;
    }
    QString openFileName(QWidget *, const QString &caption, const QString &, const QString &) override
    {
        log(caption, QString());
        return openFile;
    }
    QString saveFileName(QWidget *, const QString &caption, const QString &, const QString &) override
    {
        log(caption, QString());
        return saveFile;
    }
    QString directory(QWidget *, const QString &caption, const QString &) override
    {
        log(caption, QString());
        return chosenDirectory;
    }
    // Print dialogs are refused.
    bool print(QWidget *, QPrinter *) override
    {
        log(QStringLiteral("print"), QString());
        return false;
    }

    bool answerYes = false;
    bool answerOk = false;
    QString openFile;
    QString saveFile;
    QString chosenDirectory;
    QStringList titles;
    QStringList texts;

private:
    void log(const QString &title, const QString &text)
    {
        titles << title;
        texts << text;
    }
};

// Keeps the settings store and the working directory of a test inside a temporary folder, so a
// test never reads or writes the user's own settings or files. Create it before any QSettings.
class IsolatedSettings
{
public:
    IsolatedSettings()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Veltram"));
        QCoreApplication::setApplicationName(QStringLiteral("Tessaly-III"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + "/config");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path() + "/config");
        QDir().mkpath(dir.path() + "/work");
        QDir::setCurrent(dir.path() + "/work");
    }
    QString path() const { return dir.path(); }
    QString workDir() const { return dir.path() + "/work"; }
    // Empties the store.
    void reset()
    {
        QSettings s;
        s.clear();
        s.sync();
    }

private:
    QTemporaryDir dir;
};

// Captures what the program writes to std::cerr while it lives.
class CerrCapture
{
public:
    CerrCapture() : old(std::cerr.rdbuf(buffer.rdbuf())) {}
    ~CerrCapture() { std::cerr.rdbuf(old); }
    QString text() const { return QString::fromStdString(buffer.str()); }

private:
    std::ostringstream buffer;
    std::streambuf *old;
};
