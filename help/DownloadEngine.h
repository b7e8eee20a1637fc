#pragma once

#include <QAbstractSocket>
#include <QList>
#include <QObject>
#include <QSslError>
#include <QUrl>

#include <memory>

class ProgressBar;
class QNetworkAccessManager;
class QSslSocket;
class QTimer;
class QWidget;

// One download of a release file, followed by a modeless progress window. When it ends, a
// failure (network or TLS error, a connection closed early, an answer other than 2xx, a body
// that is malformed, shorter than announced or a compressed stream that does not decode to its
// end) is reported; a success asks where to save and writes the file whole or not at all. The
// engine then deletes itself.
//
// The engine reads the HTTPS answer itself instead of through a QNetworkReply: the reply reads a
// bad chunk-size line as the last chunk and accepts a gzip stream cut short, and then finishes
// without error, so a damaged file could not be told from a complete one.
class DownloadEngine : public QObject
{
    Q_OBJECT

public:
    // manager is shared and not owned; its proxy setting is used. Nothing is sent yet.
    DownloadEngine(QNetworkAccessManager *manager, QUrl url);
    ~DownloadEngine() override;

    // Asks the user whether to download the release of version (a version announced by
    // VersionChecker); on Yes writes the release file name to the standard error stream and
    // starts a new engine from the event loop. Returns that engine, or null when the user
    // declined or the version or the update address is not valid.
    static DownloadEngine *offer(QWidget *parent, QNetworkAccessManager *manager, const QString &version);

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
    class Answer;

    void sendRequest();
    void readAnswer();
    void socketError(QAbstractSocket::SocketError error);
    void connectionClosed();
    void fail(const QString &why);
    void endTransfer();
    QString failure() const;
    bool save(const QString &fileName) const;
    void finish(bool saved);

    QNetworkAccessManager *manager;
    QUrl url;
    QSslSocket *socket = nullptr;
    std::unique_ptr<Answer> answer;
    QTimer *idle;
    ProgressBar *progress;
    bool started = false;
    bool transferEnded = false;
    bool completed = false;
};
