#pragma once

#include <QString>

// A problem file on disk: the problem text in Latin-1 (a character outside Latin-1 is written as
// "?"), no header, no final line break. A file that holds a NUL byte is refused whole.
class ProblemFile
{
public:
    // Larger files are refused: no problem text of the reader's limits comes near this size.
    static const qint64 MaxBytes = 64 * 1024 * 1024;

    // The text of the file at path; false with a reason when it cannot be read or is no text.
    static bool read(const QString &path, QString &text, QString &error);
    // Replaces the file at path with text, all or nothing: the previous file stays untouched when
    // any step fails (open, write, flush, commit); false with a reason then.
    static bool write(const QString &path, const QString &text, QString &error);
};
