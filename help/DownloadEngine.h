#pragma once

#include <QAbstractSocket>
#include <QList>
#include <QObject>
#include <QSslError>
#include <QUrl>

#include <memory>

class HttpAnswer;
class ProgressBar;
class WholeFile;
class QNetworkAccessManager;
class QSslSocket;
class QTemporaryFile;
class QTimer;
class QWidget;

// One download of a release file, followed by a modeless progress window. The file is streamed
// to a temporary file as it arrives. When the download ends, a failure (network or TLS error, a
// connection closed early, an answer other than a whole, non-empty "200", a body that is
// malformed, shorter than announced or too large, a compressed stream that does not decode to its
// end, a server too slow) is reported with its reason; a success asks where to save and puts the
// file in place whole or not at all, leaving any file already there untouched on failure. The
// engine then deletes itself.
//
// The engine reads the HTTPS answer itself instead of through a QNetworkReply: the reply reads a
// bad chunk-size line as the last chunk and accepts a gzip stream cut short, and then finishes
// without error, so a damaged file could not be told from a complete one.
class DownloadEngine : public QObject
{
    Q_OBJECT

public:
    struct Limits {
        // A larger file, compressed or decoded, is refused.
        qint64 maxFileBytes = qint64(512) << 20;
        // The download is given up when fewer than minBytesPerSecond * slowWindowMs / 1000
        // bytes arrive in slowWindowMs.
        qint64 minBytesPerSecond = 1024;
        int slowWindowMs = 30000;
    };

    // manager is shared and not owned; its proxy setting is used. Nothing is sent yet.
    DownloadEngine(QNetworkAccessManager *manager, QUrl url);
    ~DownloadEngine() override;

    // Asks the user whether to download the release of version (a version announced by
    // VersionChecker); on Yes writes the release file name to the standard error stream and
    // starts a new engine from the event loop. Returns that engine, or null when the user
    // declined or the version or the update address is not valid.
    static DownloadEngine *offer(QWidget *parent, QNetworkAccessManager *manager, const QString &version);

    // Takes effect when set before the download starts.
    void setLimits(const Limits &l) { limits = l; }

    ProgressBar *getProgressBar() const { return progress; }
    QUrl getUrl() const { return url; }

signals:
    // Emitted once when the download has ended: true when the file was saved.
    void signal_finished(bool saved);

public slots:
    void slot_start();
    void slot_download_complete();
    void sslErrors(const QList<QSslError> &errors);

private:
    void sendRequest();
    void readAnswer();
    void arrived(qint64 bytes);
    void socketError(QAbstractSocket::SocketError error);
    void connectionClosed();
    void fail(const QString &why);
    void endTransfer();
    QString failure() const;
    void save(const QString &fileName);
    void copySlice();
    void saveFailed();
    void finish(bool saved);
    void abandon();

    QNetworkAccessManager *manager;
    QUrl url;
    Limits limits;
    QSslSocket *socket = nullptr;
    QTemporaryFile *store = nullptr;   // the file as it arrives
    std::unique_ptr<WholeFile> target; // where the user saves it
    std::unique_ptr<HttpAnswer> answer;
    QTimer *slow;
    ProgressBar *progress;
    qint64 socketBytes = 0;   // every byte read from the connection
    qint64 lastMilestone = 0; // socketBytes when the slow timer last restarted
    bool closeAlert = false;  // the server ended the secure session before the connection
    bool peerClosed = false;  // the connection has ended; what the socket holds is the rest
    bool started = false;
    bool transferEnded = false;
    bool completed = false;
    bool abandoned = false;
};
