#include "help/DownloadEngine.h"

#include "help/ProgressBar.h"
#include "help/UpdateSite.h"
#include "shell/Prompt.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

#include <cstdio>

namespace
{
// A release file is held in memory until it is saved; a larger body is refused.
const qint64 maxReleaseBytes = qint64(1) << 30;
// No byte for this long ends the download.
const int transferTimeoutMs = 60000;
} // namespace

DownloadEngine::DownloadEngine(QNetworkAccessManager *manager, QUrl url)
    : manager(manager), url(std::move(url)), progress(new ProgressBar)
{
}

DownloadEngine::~DownloadEngine()
{
    delete progress;
}

DownloadEngine *DownloadEngine::offer(QWidget *parent, QNetworkAccessManager *manager, const QString &version)
{
    // Only a plain version may enter the question, the file name and the address.
    if (UpdateSite::parseVersion(version.toUtf8()) != version)
        return nullptr;
    const QUrl address = UpdateSite::releaseUrl(version);
    if (!address.isValid())
        return nullptr;
    const QString text = QStringLiteral("A new version of TSY is available : ") + version +
                         QStringLiteral("\n Do you want to download the new version?") +
                         QStringLiteral("\n Check \"Do not check for updates\" in the preferences from the "
                                        "\"Help\" menu to avoid this message.");
    if (!Prompt::current()->question(parent, QStringLiteral("New Version"), text))
        return nullptr;
    std::fprintf(stderr, "%s\n", qPrintable(UpdateSite::releaseFileName(version)));
    auto *engine = new DownloadEngine(manager, address);
    QTimer::singleShot(0, engine, &DownloadEngine::slot_start);
    return engine;
}

void DownloadEngine::slot_start()
{
    if (reply || !manager)
        return;
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    reply = manager->get(request);
    connect(reply, &QNetworkReply::finished, this, &DownloadEngine::slot_download_complete);
    connect(reply, &QNetworkReply::downloadProgress, progress, &ProgressBar::slot_progress);
    connect(reply, &QNetworkReply::sslErrors, this, &DownloadEngine::sslErrors);
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > maxReleaseBytes || total > maxReleaseBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    progress->slot_progress(0, 100);
    progress->setName(QStringLiteral("Downloading ") + url.fileName(QUrl::FullyDecoded) +
                      QStringLiteral(".."));
    progress->show();
}

QString DownloadEngine::failure() const
{
    if (tooLarge)
        return tr("The file is larger than %1 bytes.").arg(maxReleaseBytes);
    if (reply->error() != QNetworkReply::NoError)
        return reply->errorString();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status >= 300)
        return tr("The server answered %1 instead of the file.").arg(status);
    return QString();
}

bool DownloadEngine::save(const QString &fileName) const
{
    const QByteArray body = reply->readAll();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(body) != body.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void DownloadEngine::slot_download_complete()
{
    if (!reply)
        return;
    progress->hide();
    const QString problem = failure();
    if (!problem.isEmpty()) {
        Prompt::current()->warning(nullptr, tr("Warning"), problem);
        finish(false);
        return;
    }
    const QString fileName = Prompt::current()->saveFileName(nullptr, QStringLiteral("Save file as"),
                                                             url.fileName(QUrl::FullyDecoded), QString());
    if (fileName.isEmpty()) {
        finish(false);
        return;
    }
    if (!save(fileName)) {
        Prompt::current()->warning(nullptr, tr("Warning"), tr("Failed to save file."));
        finish(false);
        return;
    }
    finish(true);
}

void DownloadEngine::finish(bool saved)
{
    reply->deleteLater();
    emit signal_finished(saved);
    deleteLater();
}

void DownloadEngine::sslErrors(const QList<QSslError> &errors)
{
    std::fprintf(stderr, "SSL ERRORS : %d\n", errors.size());
    std::fflush(stderr);
}
