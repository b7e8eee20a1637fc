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
    const int nul = bytes.indexOf('\0');
    text = QString::fromLatin1(bytes.constData(), nul < 0 ? bytes.size() : nul);
    return true;
}

bool ProblemFile::write(const QString &path, const QString &text, QString &error)
{
    return WholeFile::replace(path, text.toLatin1(), error);
}
