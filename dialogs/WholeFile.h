#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// A file replaced whole or not at all: the bytes go to a temporary file that takes the place of
// the old one only when every write, the flush and the commit succeeded; on any failure the old
// file stays as it was and errorString() says why, in the system's words ("File too large",
// "No space left on device"). A write cut short after some bytes leaves the device itself with
// no reason to give ("Unknown error"): the error number of that write is what names it, so it is
// kept here at the step that failed.
class WholeFile
{
public:
    explicit WholeFile(const QString &path);
    WholeFile(const WholeFile &) = delete;
    WholeFile &operator=(const WholeFile &) = delete;

    // Creates the temporary file; false when it cannot be made.
    bool open();
    // Appends bytes; false once any step failed (later writes do nothing).
    bool write(const QByteArray &bytes);
    // Flushes and puts the file in place; false, the old file untouched, when any step failed.
    bool commit();
    // Why the first failed step failed.
    QString errorString() const { return reason; }

    // The whole sequence for bytes that are ready: false with the reason when path is not replaced.
    static bool replace(const QString &path, const QByteArray &bytes, QString &error);

private:
    // Records the reason of a failed step (systemError: the error number the step left, 0 if none)
    // and drops the temporary file.
    bool fail(int systemError, bool writing);

    QSaveFile file;
    QString reason;
    bool failed = false;
};
