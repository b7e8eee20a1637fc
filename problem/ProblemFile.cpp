#include "problem/ProblemFile.h"

#include "dialogs/WholeFile.h"

#include <QFile>

bool ProblemFile::read(const QString &path, QString &text, QString &error)
{
    if (path.isEmpty()) {
        error = QStringLiteral("No file name");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.size() > MaxBytes) {
        error = QStringLiteral("File too large for a problem");
        return false;
    }
    // Read one byte more than allowed: a file that grows or lies about its size is still bounded.
    const QByteArray bytes = file.read(MaxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    if (bytes.size() > MaxBytes) {
        error = QStringLiteral("File too large for a problem");
        return false;
    }
    // A problem text never holds a NUL byte: one marks a file that is not a problem file, or a
    // damaged one. Reading up to it would load part of the board and let the next save or
    // autosave overwrite the whole problem with that part, so the file is refused whole.
    const int nul = bytes.indexOf('\0');
    if (nul >= 0) {
        error = QStringLiteral("the file holds a NUL byte (at byte %1), so it is not a problem text; "
                               "nothing was read")
                    .arg(nul + 1);
        return false;
    }
    text = QString::fromLatin1(bytes.constData(), bytes.size());
    return true;
}

bool ProblemFile::write(const QString &path, const QString &text, QString &error)
{
    return WholeFile::replace(path, text.toLatin1(), error);
}
