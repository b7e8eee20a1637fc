#include "help/UpdateSite.h"

#include <QRegularExpression>
#include <QStringList>
#include <QVector>

namespace
{
const char *const defaultDirectory = "https://127.0.0.1:8443/tessaly/";

QVector<int> parts(const QString &version)
{
    QVector<int> out;
    for (const QString &p : version.split(QLatin1Char('.')))
        out << p.toInt();
    return out;
}
} // namespace

QString UpdateSite::builtInVersion()
{
    return QStringLiteral(TESSALY_VERSION);
}

QUrl UpdateSite::directory()
{
    QString text = qEnvironmentVariable("TESSALY_UPDATE_URL");
    if (text.isEmpty())
        text = QLatin1String(defaultDirectory);
    QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https") || url.host().isEmpty() || url.hasQuery() ||
        url.hasFragment())
        return QUrl();
    if (!url.path().endsWith(QLatin1Char('/')))
        url.setPath(url.path() + QLatin1Char('/'));
    return url;
}

QUrl UpdateSite::versionQuery()
{
    QUrl url = directory();
    if (!url.isValid())
        return url;
    url.setPath(url.path() + QStringLiteral("version.php"));
    url.setQuery(QStringLiteral("current=") + builtInVersion());
    return url;
}

QString UpdateSite::platformTag()
{
    // The release offered is the one for the system this program was built for.
#if defined(Q_OS_WIN)
    return QStringLiteral("WIN32");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("OSX");
#else
    return QStringLiteral("LINUX");
#endif
}

QString UpdateSite::releaseExtension()
{
#if defined(Q_OS_WIN)
    return QStringLiteral(".zip");
#elif defined(Q_OS_MACOS)
    return QStringLiteral(".dmg");
#else
    return QStringLiteral(".tar.gz");
#endif
}

QString UpdateSite::releaseFileName(const QString &version)
{
    return QStringLiteral("Tessaly_") + version + QLatin1Char('_') + platformTag() + releaseExtension();
}

QUrl UpdateSite::releaseUrl(const QString &version)
{
    QUrl url = directory();
    if (!url.isValid())
        return url;
    url.setPath(url.path() + releaseFileName(version));
    return url;
}

QString UpdateSite::parseVersion(const QByteArray &answer)
{
    // A version is short; anything longer is not one and is not decoded at all.
    if (answer.size() > 256)
        return QString();
    QString text = QString::fromUtf8(answer);
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    static const QRegularExpression version(QStringLiteral("^[0-9]+\\.[0-9]+\\.[0-9]+$"));
    return version.match(text).hasMatch() ? text : QString();
}

bool UpdateSite::isNewer(const QString &a, const QString &b)
{
    const QVector<int> pa = parts(a), pb = parts(b);
    for (int i = 0; i < 3 && i < pa.size() && i < pb.size(); ++i)
        if (pa[i] != pb[i])
            return pa[i] > pb[i];
    return false;
}
