#pragma once

// Constants and helpers shared by the files that implement Problem; nothing else includes this.

#include <QCoreApplication>
#include <QString>
#include <QThread>

namespace ProblemInternal
{
const QString param1Name = QStringLiteral("PARAM 1");
const QString param2Name = QStringLiteral("PARAM 2");

inline bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace ProblemInternal
