#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QMap>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

// Certificates made at test time with the openssl command line: a test CA, a server
// certificate for 127.0.0.1 signed by it, one signed by it for another host name, and a
// self-signed certificate for 127.0.0.1 that no client trusts.
class TestCertificates
{
public:
    QSslCertificate ca, trusted, otherHost, rogue;
    QSslKey trustedKey, rogueKey;
    QString error;

    bool make()
    {
        if (!dir.isValid())
            return fail(QStringLiteral("no temporary folder"));
        const QStringList ec = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                                QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
        QFile ext(path("server.ext"));
        if (!ext.open(QIODevice::WriteOnly) ||
            ext.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n"
                      "extendedKeyUsage=serverAuth\n") < 0)
            return fail(QStringLiteral("cannot write the extension file"));
        ext.close();
        QFile otherExt(path("other.ext"));
        if (!otherExt.open(QIODevice::WriteOnly) ||
            otherExt.write("subjectAltName=DNS:other-host.test\n") < 0)
            return fail(QStringLiteral("cannot write the extension file"));
        otherExt.close();
        if (!run(QStringList{"req", "-x509"} + ec +
                 QStringList{"-keyout", path("ca.key"), "-out", path("ca.crt"), "-days", "2", "-subj",
                             "/CN=Tessaly test CA", "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
                             "keyUsage=critical,keyCertSign,cRLSign"}) ||
            !run(QStringList{"req"} + ec +
                 QStringList{"-keyout", path("server.key"), "-out", path("server.csr"), "-subj",
                             "/CN=127.0.0.1"}) ||
            !run({"x509", "-req", "-in", path("server.csr"), "-CA", path("ca.crt"), "-CAkey", path("ca.key"),
                  "-CAcreateserial", "-out", path("server.crt"), "-days", "2", "-extfile",
                  path("server.ext")}) ||
            !run({"req", "-new", "-key", path("server.key"), "-out", path("other.csr"), "-subj",
                  "/CN=other-host.test"}) ||
            !run({"x509", "-req", "-in", path("other.csr"), "-CA", path("ca.crt"), "-CAkey", path("ca.key"),
                  "-CAcreateserial", "-out", path("other.crt"), "-days", "2", "-extfile",
                  path("other.ext")}) ||
            !run(QStringList{"req", "-x509"} + ec +
                 QStringList{"-keyout", path("rogue.key"), "-out", path("rogue.crt"), "-days", "2", "-subj",
                             "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"}))
            return false;
        ca = certificate("ca.crt");
        trusted = certificate("server.crt");
        otherHost = certificate("other.crt");
        rogue = certificate("rogue.crt");
        trustedKey = key("server.key");
        rogueKey = key("rogue.key");
        if (ca.isNull() || trusted.isNull() || otherHost.isNull() || rogue.isNull() || trustedKey.isNull() ||
            rogueKey.isNull())
            return fail(QStringLiteral("cannot read the made certificates"));
        return true;
    }

    // Makes the test CA the only authority every new TLS connection of the process trusts.
    void trustTestCa() const
    {
        QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
        conf.setCaCertificates({ca});
        QSslConfiguration::setDefaultConfiguration(conf);
    }

private:
    QTemporaryDir dir;

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    bool fail(const QString &why)
    {
        error = why;
        return false;
    }
    bool run(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral("openssl"), args);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return fail(QStringLiteral("openssl ") + args.join(QLatin1Char(' ')) + QStringLiteral(": ") +
                        QString::fromLocal8Bit(p.readAllStandardError()));
        return true;
    }
    QSslCertificate certificate(const char *name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? QSslCertificate(f.readAll(), QSsl::Pem) : QSslCertificate();
    }
    QSslKey key(const char *name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? QSslKey(f.readAll(), QSsl::Ec, QSsl::Pem) : QSslKey();
    }
};

// A small HTTPS server on 127.0.0.1 for the tests: each request gets the answer set for its
// path and query, or 404. An answer may announce its whole body and close the connection
// halfway through it, or be sent as raw bytes (status line, headers and body exactly as
// given, malformed ones included). The server then ends the secure session with a close alert
// and closes the connection, or closes the connection alone; it may also send its answer one byte
// at a time, or never answer.
class LocalHttpsServer : public QTcpServer
{
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        bool closeHalfway = false;
        QByteArray raw;         // when set, sent as it is instead of an answer built from the above
        bool closeAlert = true; // false: the connection is closed without ending the secure session
        int trickleMs = 0;      // > 0: one byte of the answer every trickleMs
        bool silent = false;    // the request is never answered
    };

    QMap<QByteArray, Answer> answers; // by request target, e.g. "/updates/version.php?current=3.0.1"
    QList<QByteArray> targets;        // every request target received, in order

    LocalHttpsServer(const QSslCertificate &cert, const QSslKey &key) : cert(cert), key(key) {}

    bool start() { return listen(QHostAddress::LocalHost, 0); }
    QString base() const { return QStringLiteral("https://127.0.0.1:%1/").arg(serverPort()); }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setLocalCertificate(cert);
        socket->setPrivateKey(key);
        connect(socket, &QSslSocket::readyRead, socket, [this, socket] { serve(socket); });
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        // A client that refuses the certificate drops the handshake.
        connect(socket, &QAbstractSocket::errorOccurred, socket,
                [socket](QAbstractSocket::SocketError) { socket->abort(); });
        socket->startServerEncryption();
    }

private:
    QSslCertificate cert;
    QSslKey key;
    QHash<QSslSocket *, QByteArray> pending;

    void serve(QSslSocket *socket)
    {
        QByteArray &request = pending[socket];
        request += socket->readAll();
        const int end = request.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
        pending.remove(socket);
        const QByteArray target = line.size() > 1 ? line[1] : QByteArray();
        targets << target;
        Answer answer = answers.value(target);
        if (!answers.contains(target))
            answer = Answer{404, "Not found", false, {}};
        if (answer.silent)
            return;
        QByteArray bytes = answer.raw;
        if (bytes.isEmpty())
            bytes = "HTTP/1.1 " + QByteArray::number(answer.status) +
                    (answer.status / 100 == 2 ? " OK" : " Refused") +
                    "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                    QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n" +
                    (answer.closeHalfway ? answer.body.left(answer.body.size() / 2) : answer.body);
        if (answer.trickleMs <= 0) {
            socket->write(bytes);
            close(socket, answer.closeAlert);
            return;
        }
        auto *timer = new QTimer(socket);
        int sent = 0;
        connect(timer, &QTimer::timeout, socket, [=]() mutable {
            socket->write(bytes.mid(sent++, 1));
            if (sent == bytes.size()) {
                timer->stop();
                close(socket, answer.closeAlert);
            }
        });
        timer->start(answer.trickleMs);
    }

    // Without the close alert the connection is dropped once every byte has left.
    static void close(QSslSocket *socket, bool closeAlert)
    {
        if (closeAlert) {
            socket->disconnectFromHost();
            return;
        }
        auto drop = [socket] {
            if (socket->bytesToWrite() == 0 && socket->encryptedBytesToWrite() == 0)
                socket->abort();
        };
        connect(socket, &QSslSocket::encryptedBytesWritten, socket, drop);
        drop();
    }
};
