#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// Where the update server lives and how its answers and release files are named. The update
// directory holds both the version page and the release files; it must be an HTTPS address.
class UpdateSite
{
public:
    // The version this build reports and compares against, "3.0.1".
    static QString builtInVersion();

    // The update directory: $TESSALY_UPDATE_URL when set, a loopback address otherwise. Its
    // path ends in a slash. An address that is not HTTPS with a host gives an invalid QUrl, and
    // then nothing is ever sent.
    static QUrl directory();
    // directory() + "version.php?current=" + builtInVersion(); invalid when the directory is.
    static QUrl versionQuery();

    // The system this program was built for ("WIN32", "OSX" or "LINUX") and the extension of
    // its release file (".zip", ".dmg", ".tar.gz").
    static QString platformTag();
    static QString releaseExtension();
    // "Tessaly_" + version + "_" + platformTag() + releaseExtension().
    static QString releaseFileName(const QString &version);
    // directory() + releaseFileName(version).
    static QUrl releaseUrl(const QString &version);

    // The version named by an answer of the version page: line feeds and carriage returns are
    // removed, and what remains must be three dot-separated decimal numbers; anything else
    // gives an empty string.
    static QString parseVersion(const QByteArray &answer);
    // True when the valid version a is greater than the valid version b, part by part; a part
    // too large for an int reads as 0.
    static bool isNewer(const QString &a, const QString &b);
};
