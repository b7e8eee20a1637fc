#pragma once

#include <QString>
#include <QStringList>

// Folder of the committed reference data (written by the scripts in tests/generators).
inline QString testDataPath(const QString &file)
{
    return QStringLiteral(TESSALY_TEST_DATA "/") + file;
}

// The non-empty lines of a data file that do not start with '#'; empty when the file is missing.
QStringList readDataLines(const QString &file);
