#include "dialogs/WholeFile.h"

#include <cerrno>

WholeFile::WholeFile(const QString &path) : file(path) {}

bool WholeFile::open()
{
    if (file.fileName().isEmpty()) {
        failed = true;
        reason = QStringLiteral("No file name");
        return false;
    }
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(errno, false);
    return true;
}

bool WholeFile::write(const QByteArray &bytes)
{
    if (failed || !file.isOpen())
        return false;
    errno = 0;
    const qint64 written = file.write(bytes);
    const int systemError = errno;
    if (written != bytes.size() || file.error() != QFileDevice::NoError)
        return fail(systemError, true);
    return true;
}

bool WholeFile::commit()
{
    if (failed || !file.isOpen())
        return false;
    // commit() can pass after a buffered write was cut short: the flush and the device's error
    // are checked first.
    errno = 0;
    const bool flushed = file.flush();
    const int systemError = errno;
    if (!flushed || file.error() != QFileDevice::NoError)
        return fail(systemError, true);
    errno = 0;
    if (!file.commit())
        return fail(errno, false);
    return true;
}

bool WholeFile::fail(int systemError, bool writing)
{
    failed = true;
    // The device names an error that the system reported at once; a write cut short leaves it
    // "Unknown error", and only the write's own error number tells the cause.
    const QString device = file.errorString();
    const bool named = file.error() != QFileDevice::NoError && device != QIODevice::tr("Unknown error");
    QString cause;
    if (named)
        cause = device;
    else if (systemError != 0)
        cause = qt_error_string(systemError);
    else
        cause = QStringLiteral("the disk is full or a file size limit was reached");
    reason = writing ? QStringLiteral("the file could not be written completely (%1)").arg(cause) : cause;
    if (file.isOpen())
        file.cancelWriting();
    return false;
}

bool WholeFile::replace(const QString &path, const QByteArray &bytes, QString &error)
{
    WholeFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    error = file.errorString();
    return false;
}
