#include "support/TestData.h"

#include <QFile>
#include <QTextStream>

QStringList readDataLines(const QString &file)
{
    QStringList lines;
    QFile f(testDataPath(file));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    }
    return lines;
}
