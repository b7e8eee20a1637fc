#pragma once

#include <QList>
#include <QObject>
#include <QSslError>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the update server once which version is current and announces a newer one. The answer
// counts only when the request succeeded (2xx, no network or TLS error) and its body is three
// dot-separated numbers; TLS errors are reported and never ignored. The query ends within its
// time limit whatever the server does.
class VersionChecker : public QObject
{
    Q_OBJECT

public:
    // manager is shared and not owned; nothing is sent yet.
    explicit VersionChecker(QNetworkAccessManager *manager);

    // The longest the query may take, 30 s unless set before it starts.
    void setTimeLimit(int ms) { timeLimitMs = ms; }

signals:
    // A version greater than the built-in one, as the server wrote it without line breaks.
    void signal_new_version_available(QString version);
    // The query has ended, whatever its outcome.
    void signal_check_finished();

public slots:
    // Sends the version query; a second call does nothing (one query per start).
    void slot_start();
    // Handles the answer of the query.
    void slot_download_complete();
    void sslErrors(const QList<QSslError> &errors);

private:
    QNetworkAccessManager *manager;
    QNetworkReply *reply = nullptr;
    int timeLimitMs = 30000;
    bool started = false;
};
