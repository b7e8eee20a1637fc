#include "help/VersionChecker.h"

#include "help/UpdateSite.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <cstdio>

namespace
{
// The answer is a few characters; a longer body is not a version and is not kept in memory.
const qint64 maxAnswerBytes = 4096;
} // namespace

VersionChecker::VersionChecker(QNetworkAccessManager *manager) : manager(manager) {}

void VersionChecker::slot_start()
{
    if (started)
        return;
    started = true;
    const QUrl url = UpdateSite::versionQuery();
    if (!url.isValid() || !manager) {
        std::fprintf(stderr, "Update check: the update address is not an HTTPS address\n");
        emit signal_check_finished();
        return;
    }
    reply = manager->get(QNetworkRequest(url));
    connect(reply, &QNetworkReply::finished, this, &VersionChecker::slot_download_complete);
    connect(reply, &QNetworkReply::sslErrors, this, &VersionChecker::sslErrors);
    QNetworkReply *r = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [r](qint64 received, qint64) {
        if (received > maxAnswerBytes)
            r->abort();
    });
    // A limit on the whole query, not on the pause between bytes: a server that trickles its
    // answer would keep an idle timeout from ever firing.
    QTimer::singleShot(timeLimitMs, reply, [r] {
        if (!r->isRunning())
            return;
        std::fprintf(stderr, "Update check: no answer in time\n");
        r->abort();
    });
}

void VersionChecker::slot_download_complete()
{
    if (!reply)
        return;
    QNetworkReply *r = reply;
    reply = nullptr;
    r->deleteLater();
    const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (r->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
        const QString version = UpdateSite::parseVersion(r->read(maxAnswerBytes + 1));
        if (!version.isEmpty() && UpdateSite::isNewer(version, UpdateSite::builtInVersion()))
            emit signal_new_version_available(version);
    }
    emit signal_check_finished();
}

void VersionChecker::sslErrors(const QList<QSslError> &errors)
{
    std::fprintf(stderr, "SSL ERRORS : %d\n", errors.size());
    std::fflush(stderr);
}
