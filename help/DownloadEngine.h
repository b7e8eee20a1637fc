#pragma once

#include <QList>
#include <QObject>
#include <QSslError>
#include <QUrl>

class ProgressBar;
class QNetworkAccessManager;
class QNetworkReply;
class QWidget;

// One download of a release file, followed by a modeless progress window. When it ends, a
// failure (network or TLS error, a connection closed early, an answer other than 2xx) is
// reported; a success asks where to save and writes the file whole or not at all. The engine
// then deletes itself.
class DownloadEngine : public QObject
{
    Q_OBJECT

public:
    // manager is shared and not owned; nothing is sent yet.
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
    QString failure() const;
    bool save(const QString &fileName) const;
    void finish(bool saved);

    QNetworkAccessManager *manager;
    QUrl url;
    QNetworkReply *reply = nullptr;
    ProgressBar *progress;
    bool tooLarge = false;
};
