#include "help/DownloadEngine.h"

#include "dialogs/Prompt.h"
#include "dialogs/WholeFile.h"
#include "help/HttpAnswer.h"
#include "help/ProgressBar.h"
#include "help/UpdateSite.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSslSocket>
#include <QTemporaryFile>
#include <QTimer>

#include <cstdio>

namespace
{
// Bytes of the answer handled in one pass of the event loop.
const qint64 readStep = 65536;
// Putting the file in place copies it in slices, so the window stays responsive.
const qint64 copyStep = qint64(1) << 20;
const int copySliceMs = 50;
} // namespace

DownloadEngine::DownloadEngine(QNetworkAccessManager *manager, QUrl url)
    : manager(manager), url(std::move(url)), slow(new QTimer(this)), progress(new ProgressBar)
{
    slow->setSingleShot(true);
    connect(slow, &QTimer::timeout, this, [this] {
        fail(tr("The download was given up: the server sent less than %1 KB/s for %2 s.")
                 .arg(double(limits.minBytesPerSecond) / 1024)
                 .arg(double(limits.slowWindowMs) / 1000));
    });
    // Neither the partial download nor a half-written copy outlives the program.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &DownloadEngine::abandon);
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
    if (started || !manager)
        return;
    started = true;
    store = new QTemporaryFile(QDir::temp().filePath(QStringLiteral("tessaly-download-XXXXXX")), this);
    answer.reset(new HttpAnswer(store, limits.maxFileBytes));
    progress->slot_progress(0, 100);
    progress->setName(QStringLiteral("Downloading ") + url.fileName(QUrl::FullyDecoded) +
                      QStringLiteral(".."));
    progress->show();
    if (url.scheme() != QLatin1String("https") || url.host().isEmpty()) {
        fail(tr("Only HTTPS addresses are downloaded."));
        return;
    }
    if (!store->open()) {
        fail(tr("The download cannot be stored: %1").arg(store->errorString()));
        return;
    }
    socket = new QSslSocket(this);
    socket->setProxy(manager->proxy());
    socket->setPeerVerifyMode(QSslSocket::VerifyPeer);
    connect(socket, &QSslSocket::encrypted, this, &DownloadEngine::sendRequest);
    connect(socket, &QIODevice::readyRead, this, &DownloadEngine::readAnswer);
    connect(socket, QOverload<const QList<QSslError> &>::of(&QSslSocket::sslErrors), this,
            &DownloadEngine::sslErrors);
    connect(socket, &QAbstractSocket::errorOccurred, this, &DownloadEngine::socketError);
    connect(socket, &QAbstractSocket::disconnected, this, &DownloadEngine::connectionClosed);
    slow->start(limits.slowWindowMs);
    socket->connectToHostEncrypted(url.host(), quint16(url.port(443)));
}

void DownloadEngine::sendRequest()
{
    QByteArray path = url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!path.startsWith('/'))
        path.prepend('/');
    QUrl authority = url;
    authority.setUserInfo(QString());
    const QByteArray host = authority.authority(QUrl::FullyEncoded).toLatin1();
    for (const QByteArray &part : {path, host})
        if (part.contains(' ') || part.contains('\r') || part.contains('\n')) {
            fail(tr("The download address is not valid."));
            return;
        }
    // Compression is asked for on this engine's own terms, so that it can check the stream.
    socket->write("GET " + path + " HTTP/1.1\r\nHost: " + host +
                  "\r\nAccept: */*\r\nAccept-Encoding: gzip\r\nConnection: close\r\nUser-Agent: Tessaly/" +
                  UpdateSite::builtInVersion().toLatin1() + "\r\n\r\n");
}

// The answer is handled a step at a time, so that a compressed step that decodes to much more
// cannot hold the window for long.
void DownloadEngine::readAnswer()
{
    if (transferEnded)
        return;
    const QByteArray bytes = socket->read(readStep);
    arrived(bytes.size());
    if (!answer->feed(bytes)) {
        endTransfer();
        return;
    }
    progress->slot_progress(answer->received(), answer->announced());
    if (answer->done()) {
        endTransfer();
    } else if (socket->bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &DownloadEngine::readAnswer, Qt::QueuedConnection);
    } else if (peerClosed) {
        answer->closed(closeAlert);
        endTransfer();
    }
}

// The slow timer restarts each time a window's worth of bytes at the lowest rate has arrived, so
// it fires only when a whole window went by below that rate.
void DownloadEngine::arrived(qint64 bytes)
{
    socketBytes += bytes;
    if (socketBytes - lastMilestone >= limits.minBytesPerSecond * limits.slowWindowMs / 1000) {
        lastMilestone = socketBytes;
        slow->start(limits.slowWindowMs);
    }
}

void DownloadEngine::socketError(QAbstractSocket::SocketError error)
{
    if (transferEnded)
        return;
    if (error == QAbstractSocket::RemoteHostClosedError) {
        // The socket tells the server's close alert from a bare end of the connection only by
        // the text of this error.
        closeAlert = socket->errorString() ==
                     QCoreApplication::translate("QSslSocket", "The TLS/SSL connection has been closed");
        connectionClosed();
        return;
    }
    fail(socket->errorString());
}

// What the socket holds still belongs to the answer.
void DownloadEngine::connectionClosed()
{
    if (transferEnded || peerClosed)
        return;
    peerClosed = true;
    readAnswer();
}

void DownloadEngine::fail(const QString &why)
{
    if (transferEnded)
        return;
    answer->fail(why);
    endTransfer();
}

void DownloadEngine::endTransfer()
{
    if (transferEnded)
        return;
    transferEnded = true;
    slow->stop();
    if (socket) {
        socket->disconnect(this);
        socket->abort();
    }
    if (answer->done() && (!store->flush() || store->error() != QFileDevice::NoError))
        answer->fail(tr("The download cannot be stored: %1").arg(store->errorString()));
    QMetaObject::invokeMethod(this, &DownloadEngine::slot_download_complete, Qt::QueuedConnection);
}

QString DownloadEngine::failure() const
{
    if (answer->failed())
        return answer->problem();
    if (!answer->done())
        return tr("The download did not complete.");
    return QString();
}

void DownloadEngine::slot_download_complete()
{
    if (!transferEnded || completed || abandoned)
        return;
    completed = true;
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
    save(fileName);
}

// The copy goes to a temporary file beside the chosen one, which replaces it only when whole.
void DownloadEngine::save(const QString &fileName)
{
    target.reset(new WholeFile(fileName));
    if (!target->open() || !store->seek(0)) {
        saveFailed();
        return;
    }
    copySlice();
}

void DownloadEngine::copySlice()
{
    if (abandoned)
        return;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < copySliceMs) {
        const QByteArray bytes = store->read(copyStep);
        if (bytes.isEmpty()) {
            if (store->error() != QFileDevice::NoError || store->pos() != store->size() ||
                !target->commit()) {
                saveFailed();
                return;
            }
            finish(true);
            return;
        }
        if (!target->write(bytes)) {
            saveFailed();
            return;
        }
    }
    QMetaObject::invokeMethod(this, &DownloadEngine::copySlice, Qt::QueuedConnection);
}

void DownloadEngine::saveFailed()
{
    target.reset();
    Prompt::current()->warning(nullptr, tr("Warning"), tr("Failed to save file."));
    finish(false);
}

void DownloadEngine::finish(bool saved)
{
    delete store;
    store = nullptr;
    emit signal_finished(saved);
    deleteLater();
}

void DownloadEngine::abandon()
{
    abandoned = true;
    transferEnded = true;
    slow->stop();
    if (socket) {
        socket->disconnect(this);
        socket->abort();
    }
    target.reset(); // an uncommitted copy is discarded
    delete store;
    store = nullptr;
}

void DownloadEngine::sslErrors(const QList<QSslError> &errors)
{
    std::fprintf(stderr, "SSL ERRORS : %d\n", errors.size());
    std::fflush(stderr);
}
