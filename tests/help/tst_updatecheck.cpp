#include "help/LocalHttpsServer.h"
#include "support/ScriptedPrompt.h"

#include "help/DownloadEngine.h"
#include "help/ProgressBar.h"
#include "help/UpdateSite.h"
#include "help/VersionChecker.h"

#include <QHostAddress>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

namespace
{
const QByteArray versionTarget = "/updates/version.php?current=3.0.1";

// The bytes of the files in folder, with those of the unnamed files in it that the process holds
// open (a temporary file may have no name on Linux).
qint64 bytesIn(const QString &folder)
{
    qint64 n = 0;
    for (const QFileInfo &f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        n += f.size();
    const QDir open(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &fd : open.entryInfoList(QDir::Files | QDir::System | QDir::Hidden)) {
        const QString target = fd.symLinkTarget();
        if (target.startsWith(folder + QLatin1Char('/')) && !QFileInfo::exists(target))
            n += fd.size();
    }
    return n;
}

// Records the folder or name proposed by the save dialog as well, and how many bytes the folder
// watched holds when the dialog is asked.
class SavePrompt : public ScriptedPrompt
{
public:
    QString proposed;
    QString watched;
    qint64 watchedBytes = 0;
    QString saveFileName(QWidget *w, const QString &caption, const QString &dir,
                         const QString &filter) override
    {
        proposed = dir;
        if (!watched.isEmpty())
            watchedBytes = bytesIn(watched);
        return ScriptedPrompt::saveFileName(w, caption, dir, filter);
    }
};

QByteArray randomBytes(int n)
{
    QByteArray out(n, Qt::Uninitialized);
    QRandomGenerator gen(19);
    for (char &c : out)
        c = char(gen.bounded(256));
    return out;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The gzip stream of data, made by the gzip command line.
QByteArray gzipped(const QByteArray &data)
{
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"), {QStringLiteral("-c"), QStringLiteral("-n"), QStringLiteral("-9")});
    if (!gzip.waitForStarted(10000))
        return QByteArray();
    gzip.write(data);
    gzip.closeWriteChannel();
    if (!gzip.waitForFinished(60000) || gzip.exitStatus() != QProcess::NormalExit || gzip.exitCode() != 0)
        return QByteArray();
    return gzip.readAllStandardOutput();
}

// A release file that compresses well but not to nothing: numbered lines among random bytes.
QByteArray releaseContents()
{
    QByteArray out;
    const QByteArray noise = randomBytes(20000);
    for (int i = 0; i < 4000; ++i)
        out += "line " + QByteArray::number(i) + " of the release file\n" + noise.mid((i * 7) % 19000, 5);
    return out;
}

// One chunk of a chunked body, its size line written as given.
QByteArray chunk(const QByteArray &sizeLine, const QByteArray &data)
{
    return sizeLine + "\r\n" + data + "\r\n";
}
QByteArray chunk(const QByteArray &data)
{
    return chunk(QByteArray::number(data.size(), 16), data);
}
} // namespace

class UpdateCheckTest : public QObject
{
    Q_OBJECT

    TestCertificates certs;

    // The server shows the trusted certificate, one for another host or an untrusted one.
    LocalHttpsServer *server(const QString &certificate)
    {
        LocalHttpsServer *s = nullptr;
        if (certificate == QLatin1String("trusted"))
            s = new LocalHttpsServer(certs.trusted, certs.trustedKey);
        else if (certificate == QLatin1String("other host"))
            s = new LocalHttpsServer(certs.otherHost, certs.trustedKey);
        else
            s = new LocalHttpsServer(certs.rogue, certs.rogueKey);
        s->setParent(this);
        if (!s->start())
            return nullptr;
        qputenv("TESSALY_UPDATE_URL", (s->base() + QStringLiteral("updates/")).toUtf8());
        return s;
    }

private slots:
    void initTestCase()
    {
        // Nothing may leave the machine, not even through a proxy named by the environment.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        if (!QSslSocket::supportsSsl())
            QSKIP("this Qt has no TLS support");
        QVERIFY2(certs.make(), qPrintable(certs.error));
        certs.trustTestCa();
    }

    void updateAddress_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<QString>("query"); // empty: nothing may be sent
        QTest::newRow("default is loopback")
            << QByteArray() << "https://127.0.0.1:8443/tessaly/version.php?current=3.0.1";
        QTest::newRow("no trailing slash")
            << QByteArray("https://127.0.0.1:9/a/b") << "https://127.0.0.1:9/a/b/version.php?current=3.0.1";
        QTest::newRow("plain http refused") << QByteArray("http://127.0.0.1:9/a/") << QString();
        QTest::newRow("no host") << QByteArray("https:///a/") << QString();
        QTest::newRow("query in directory") << QByteArray("https://127.0.0.1:9/a/?x=1") << QString();
    }
    void updateAddress()
    {
        QFETCH(QByteArray, env);
        QFETCH(QString, query);
        if (env.isEmpty())
            qunsetenv("TESSALY_UPDATE_URL");
        else
            qputenv("TESSALY_UPDATE_URL", env);
        QCOMPARE(UpdateSite::versionQuery().toString(), query);
        if (query.isEmpty()) {
            QNetworkAccessManager manager;
            VersionChecker checker(&manager);
            QSignalSpy finished(&checker, &VersionChecker::signal_check_finished);
            checker.slot_start();
            QCOMPARE(finished.count(), 1);
        } else {
            QVERIFY(QHostAddress(UpdateSite::directory().host()).isLoopback() || !env.isEmpty());
        }
    }

    // The answer of the version page, compared by number with 3.0.1; anything that is not a
    // successful answer of three dot-separated numbers announces nothing.
    void versionAnswer_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<QString>("announced");
        QTest::newRow("newer patch, CR LF") << 200 << QByteArray("3.0.2\r\n") << "trusted"
                                            << "3.0.2";
        QTest::newRow("equal") << 200 << QByteArray("3.0.1") << "trusted" << QString();
        QTest::newRow("older minor") << 200 << QByteArray("2.9.9") << "trusted" << QString();
        QTest::newRow("older patch") << 200 << QByteArray("3.0.0") << "trusted" << QString();
        QTest::newRow("newer minor") << 200 << QByteArray("3.1.0") << "trusted"
                                     << "3.1.0";
        QTest::newRow("newer major") << 200 << QByteArray("4.0.0\n") << "trusted"
                                     << "4.0.0";
        QTest::newRow("numeric, not text, order") << 200 << QByteArray("10.0.0") << "trusted"
                                                  << "10.0.0";
        QTest::newRow("two-digit patch") << 200 << QByteArray("3.0.10") << "trusted"
                                         << "3.0.10";
        QTest::newRow("line break inside") << 200 << QByteArray("3.\n1.0") << "trusted"
                                           << "3.1.0";
        QTest::newRow("two parts") << 200 << QByteArray("3.1") << "trusted" << QString();
        QTest::newRow("two parts, long") << 200 << QByteArray("3.10") << "trusted" << QString();
        QTest::newRow("four parts") << 200 << QByteArray("3.0.1.1") << "trusted" << QString();
        QTest::newRow("empty part") << 200 << QByteArray("3..10") << "trusted" << QString();
        QTest::newRow("letters") << 200 << QByteArray("a.b.c") << "trusted" << QString();
        QTest::newRow("rich text") << 200 << QByteArray("<b>9.9.9</b>") << "trusted" << QString();
        QTest::newRow("overlong number") << 200 << QByteArray("3.0.99999999999") << "trusted" << QString();
        // A part beyond int reads as 0, so the first part decides here.
        QTest::newRow("overlong patch, newer major") << 200 << QByteArray("4.0.99999999999") << "trusted"
                                                     << "4.0.99999999999";
        QTest::newRow("huge body") << 200 << QByteArray(100000, '9') << "trusted" << QString();
        QTest::newRow("empty body") << 200 << QByteArray() << "trusted" << QString();
        QTest::newRow("404 with a version body") << 404 << QByteArray("9.9.9") << "trusted" << QString();
        QTest::newRow("301 with a version body") << 301 << QByteArray("9.9.9") << "trusted" << QString();
        QTest::newRow("500 with a version body") << 500 << QByteArray("9.9.9") << "trusted" << QString();
        QTest::newRow("untrusted certificate") << 200 << QByteArray("9.9.9") << "untrusted" << QString();
        QTest::newRow("certificate of another host")
            << 200 << QByteArray("9.9.9") << "other host" << QString();
    }
    void versionAnswer()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, certificate);
        const bool trusted = certificate == QLatin1String("trusted");
        QFETCH(QString, announced);
        LocalHttpsServer *s = server(certificate);
        QVERIFY(s);
        s->answers[versionTarget] = {status, body, false, {}};
        QNetworkAccessManager manager;
        VersionChecker checker(&manager);
        QSignalSpy news(&checker, &VersionChecker::signal_new_version_available);
        QSignalSpy finished(&checker, &VersionChecker::signal_check_finished);
        checker.slot_start();
        checker.slot_start(); // one query per start
        QVERIFY(finished.wait(20000));
        QTest::qWait(20);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(s->targets, trusted ? QList<QByteArray>{versionTarget} : QList<QByteArray>{});
        if (announced.isEmpty()) {
            QCOMPARE(news.count(), 0);
        } else {
            QCOMPARE(news.count(), 1);
            QCOMPARE(news.at(0).at(0).toString(), announced);
        }
        delete s;
    }

    // The version query ends within its time limit, whether the server never answers or sends its
    // answer a byte at a time.
    void versionTimeLimit_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("trickleMs");
        QTest::newRow("never answers") << true << 0;
        QTest::newRow("a byte every 20 ms") << false << 20;
    }
    void versionTimeLimit()
    {
        QFETCH(bool, silent);
        QFETCH(int, trickleMs);
        LocalHttpsServer *s = server(QStringLiteral("trusted"));
        QVERIFY(s);
        LocalHttpsServer::Answer &a = s->answers[versionTarget];
        a.body = QByteArray(3000, '\n') + "9.9.9";
        a.silent = silent;
        a.trickleMs = trickleMs;
        QNetworkAccessManager manager;
        VersionChecker checker(&manager);
        checker.setTimeLimit(1000);
        QSignalSpy news(&checker, &VersionChecker::signal_new_version_available);
        QSignalSpy finished(&checker, &VersionChecker::signal_check_finished);
        checker.slot_start();
        // Without the limit the trickle alone would last a minute.
        QVERIFY(finished.wait(8000));
        QCOMPARE(news.count(), 0);
        delete s;
    }

    // A download is saved whole where the user chooses, or not at all; every failure is
    // reported once and leaves the chosen file as it was.
    void download_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("halfway");
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<QString>("saveAs"); // "file", "missing folder" or "" (cancelled)
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("warning"); // start of the warning text; empty: none

        const QByteArray big = randomBytes(300000);
        QTest::newRow("completes") << 200 << big << false << "trusted"
                                   << "file" << true << QString();
        QTest::newRow("server closes halfway") << 200 << big << true << "trusted"
                                               << "file" << false << "?";
        QTest::newRow("404") << 404 << QByteArray("Not found") << false << "trusted"
                             << "file" << false << "?";
        QTest::newRow("redirect not followed") << 301 << big << false << "trusted"
                                               << "file" << false << "?";
        QTest::newRow("untrusted certificate") << 200 << big << false << "untrusted"
                                               << "file" << false << "?";
        QTest::newRow("certificate of another host") << 200 << big << false << "other host"
                                                     << "file" << false << "?";
        QTest::newRow("save cancelled")
            << 200 << big << false << "trusted" << QString() << false << QString();
        QTest::newRow("folder missing") << 200 << big << false << "trusted"
                                        << "missing folder" << false << "Failed to save file.";
    }
    void download()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, halfway);
        QFETCH(QString, certificate);
        QFETCH(QString, saveAs);
        QFETCH(bool, saved);
        QFETCH(QString, warning);
        LocalHttpsServer *s = server(certificate);
        QVERIFY(s);
        s->answers["/files/release%201.bin"] = {status, body, halfway, {}};
        QTemporaryDir dir;
        const QString target = saveAs == QLatin1String("missing folder")
                                   ? dir.filePath(QStringLiteral("missing/release.bin"))
                                   : dir.filePath(QStringLiteral("release.bin"));
        if (saveAs == QLatin1String("file")) {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("previous contents") == 17);
        }
        SavePrompt prompt;
        prompt.fileToSave = saveAs.isEmpty() ? QString() : target;
        QNetworkAccessManager manager;
        QPointer<DownloadEngine> engine =
            new DownloadEngine(&manager, QUrl(s->base() + QStringLiteral("files/release%201.bin")));
        QSignalSpy finished(engine.data(), &DownloadEngine::signal_finished);
        engine->slot_start();
        QCOMPARE(engine->getProgressBar()->getLabel()->text(), QStringLiteral("Downloading release 1.bin.."));
        QVERIFY(engine->getProgressBar()->isVisible());
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), saved);
        QTRY_VERIFY(engine.isNull()); // released once it has ended

        QStringList warnings = prompt.asked.filter(QStringLiteral("warning|"));
        if (warning.isEmpty()) {
            QCOMPARE(warnings, QStringList());
        } else {
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings[0].startsWith(QStringLiteral("warning|Warning|")), qPrintable(warnings[0]));
            if (warning != QLatin1String("?"))
                QCOMPARE(warnings[0], QStringLiteral("warning|Warning|") + warning);
        }
        // The save dialog is offered only for a complete download, with the file's own name.
        const bool complete = warning.isEmpty() || !warning.startsWith(QLatin1Char('?'));
        QCOMPARE(prompt.asked.filter(QStringLiteral("save|Save file as|")).size(), complete ? 1 : 0);
        if (complete)
            QCOMPARE(prompt.proposed, QStringLiteral("release 1.bin"));

        if (saved)
            QCOMPARE(contents(target), body);
        else if (saveAs == QLatin1String("file"))
            QCOMPARE(contents(target), QByteArray("previous contents"));
        else
            QVERIFY(!QFile::exists(target));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 saveAs == QLatin1String("file") ? QStringList{"release.bin"} : QStringList());
        delete s;
    }

    // Answers that claim success but whose body arrived malformed or cut short: each ends in
    // one reported failure that leaves the chosen file as it was, while the well-formed
    // chunked and compressed answers are saved byte for byte.
    void malformedAnswer_data()
    {
        QTest::addColumn<QByteArray>("answer"); // sent as it is
        QTest::addColumn<bool>("saved");

        const QByteArray data = releaseContents();
        const QByteArray gz = gzipped(data);
        QVERIFY(gz.size() > 1000 && gz.size() < data.size());
        const QByteArray a = data.left(1000), b = data.mid(1000, 70000), c = data.mid(71000);
        const QByteArray ok = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n";
        const QByteArray chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
        const QByteArray gzipChunked = ok + "Content-Encoding: gzip\r\nTransfer-Encoding: chunked\r\n\r\n";
        auto sized = [&](const QByteArray &head, qint64 length) {
            return ok + head + "Content-Length: " + QByteArray::number(length) + "\r\n\r\n";
        };
        const QByteArray gzipHead = "Content-Encoding: gzip\r\n";

        QTest::newRow("chunked") << chunked + chunk(a) + chunk(b) + chunk(c) + "0\r\n\r\n" << true;
        QTest::newRow("chunked, extension, upper case, trailer")
            << chunked + chunk(QByteArray::number(a.size(), 16).toUpper() + ";name=value", a) + chunk(b + c) +
                   "0\r\nX-Trailer: 1\r\n\r\n"
            << true;
        QTest::newRow("gzip") << sized(gzipHead, gz.size()) + gz << true;
        QTest::newRow("no length, ends with the close") << ok + "\r\n" + data << true;
        QTest::newRow("gzip, chunked") << gzipChunked + chunk(gz.left(500)) + chunk(gz.mid(500)) + "0\r\n\r\n"
                                       << true;

        QTest::newRow("chunk size zz") << chunked + chunk("zz", a) + chunk(b + c) + "0\r\n\r\n" << false;
        QTest::newRow("chunk size zz after a chunk")
            << chunked + chunk(a) + chunk("zz", b) + chunk(c) + "0\r\n\r\n"
            << false;
        QTest::newRow("chunk size ffffffffffffffff")
            << chunked + chunk(a) + chunk("ffffffffffffffff", b) + chunk(c) + "0\r\n\r\n"
            << false;
        QTest::newRow("chunk size of 17 digits")
            << chunked + chunk(a) + chunk("10000000000000000", b) + "0\r\n\r\n"
            << false;
        QTest::newRow("no terminating zero chunk") << chunked + chunk(a) + chunk(b) + chunk(c) << false;
        QTest::newRow("chunked, cut inside a chunk") << chunked + chunk(a) + chunk(b).left(30000) << false;
        QTest::newRow("Content-Length beyond the body") << sized("", data.size() + 1) + data << false;
        QTest::newRow("gzip shorter than its header") << sized(gzipHead, 6) + gz.left(6) << false;
        QTest::newRow("gzip cut in half") << sized(gzipHead, gz.size() / 2) + gz.left(gz.size() / 2) << false;
        QTest::newRow("gzip cut in half, chunked")
            << gzipChunked + chunk(gz.left(gz.size() / 2)) + "0\r\n\r\n"
            << false;
        QTest::newRow("gzip cut in half, whole length announced")
            << sized(gzipHead, gz.size()) + gz.left(gz.size() / 2) << false;
        QByteArray badCrc = gz;
        badCrc[badCrc.size() - 6] = char(badCrc.at(badCrc.size() - 6) ^ 1);
        QTest::newRow("gzip, wrong checksum") << sized(gzipHead, badCrc.size()) + badCrc << false;
        QTest::newRow("gzip, not gzip") << sized(gzipHead, data.size()) + data << false;
    }
    void malformedAnswer()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, saved);
        LocalHttpsServer *s = server(QStringLiteral("trusted"));
        QVERIFY(s);
        s->answers["/files/release.bin"].raw = answer;
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("release.bin"));
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("previous contents") == 17);
        }
        SavePrompt prompt;
        prompt.fileToSave = target;
        QNetworkAccessManager manager;
        QPointer<DownloadEngine> engine =
            new DownloadEngine(&manager, QUrl(s->base() + QStringLiteral("files/release.bin")));
        QSignalSpy finished(engine.data(), &DownloadEngine::signal_finished);
        engine->slot_start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), saved);
        QTRY_VERIFY(engine.isNull());
        QCOMPARE(s->targets, QList<QByteArray>{"/files/release.bin"});
        const QStringList warnings = prompt.asked.filter(QStringLiteral("warning|"));
        QCOMPARE(warnings.size(), saved ? 0 : 1);
        QCOMPARE(prompt.asked.filter(QStringLiteral("save|")).size(), saved ? 1 : 0);
        QCOMPARE(contents(target), saved ? releaseContents() : QByteArray("previous contents"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList{"release.bin"});
        delete s;
    }

    // Only a whole, non-empty "200" answer reaches the save dialog, on the path the main window
    // takes; anything else is one warning with its reason, and neither the chosen file nor the
    // temporary folder keeps a trace of it.
    void wholeReleaseOnly_data()
    {
        QTest::addColumn<QByteArray>("answer"); // sent as it is
        QTest::addColumn<bool>("closeAlert");
        QTest::addColumn<int>("trickleMs");
        QTest::addColumn<QString>("warning"); // empty: saved

        const QByteArray data = releaseContents();
        const QByteArray zeros(8 << 20, '\0');
        const QByteArray bomb = gzipped(zeros);
        QVERIFY(!bomb.isEmpty() && bomb.size() < 100000);
        auto head = [](const QByteArray &status, const QByteArray &fields) {
            return "HTTP/1.1 " + status + "\r\nContent-Type: application/octet-stream\r\n" + fields + "\r\n";
        };
        auto length = [](const QByteArray &body) {
            return "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        };

        QTest::newRow("whole 200") << head("200 OK", length(data)) + data << false << 0 << QString();
        QTest::newRow("no length, close alert") << head("200 OK", "") + data << true << 0 << QString();
        QTest::newRow("no length, cut without close alert")
            << head("200 OK", "") + data << false << 0
            << "The server did not say how long the file is and the connection ended without closing the "
               "secure session, so the file may be cut short.";
        QTest::newRow("206") << head("206 Partial Content", length(data)) + data << true << 0
                             << "The server sent only a part of the file (answer 206).";
        QTest::newRow("204") << head("204 No Content", "") << true << 0
                             << "The server answered 204 (no content) instead of the file.";
        QTest::newRow("empty 200") << head("200 OK", "Content-Length: 0\r\n") << true << 0
                                   << "The server sent an empty file.";
        QTest::newRow("empty 200, no length")
            << head("200 OK", "") << true << 0 << "The server sent an empty file.";
        QTest::newRow("a byte every 50 ms") << head("200 OK", length(data)) + data << true << 50
                                            << "The download was given up: the server sent less than 1 KB/s "
                                               "for 1 s.";
        QTest::newRow("gzip bomb") << head("200 OK", length(bomb) + "Content-Encoding: gzip\r\n") + bomb
                                   << true << 0 << "The file is larger than 1048576 bytes.";
    }
    void wholeReleaseOnly()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, closeAlert);
        QFETCH(int, trickleMs);
        QFETCH(QString, warning);
        LocalHttpsServer *s = server(QStringLiteral("trusted"));
        QVERIFY(s);
        const QString name = UpdateSite::releaseFileName(QStringLiteral("3.1.0"));
        LocalHttpsServer::Answer &a = s->answers["/updates/" + name.toUtf8()];
        a.raw = answer;
        a.closeAlert = closeAlert;
        a.trickleMs = trickleMs;
        QTemporaryDir dir, temp;
        const QString target = dir.filePath(name);
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("previous contents") == 17);
        }
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toUtf8());
        SavePrompt prompt;
        prompt.fileToSave = target;
        prompt.watched = temp.path();
        QNetworkAccessManager manager;
        QPointer<DownloadEngine> engine = DownloadEngine::offer(nullptr, &manager, QStringLiteral("3.1.0"));
        QVERIFY(engine);
        DownloadEngine::Limits limits;
        limits.maxFileBytes = 1 << 20;
        limits.minBytesPerSecond = 1024;
        limits.slowWindowMs = 1000;
        engine->setLimits(limits);
        QSignalSpy finished(engine.data(), &DownloadEngine::signal_finished);
        const bool ended = finished.wait(10000);
        qputenv("TMPDIR", oldTemp);
        QVERIFY(ended);
        QCOMPARE(finished.at(0).at(0).toBool(), warning.isEmpty());
        QTRY_VERIFY(engine.isNull());

        const QStringList shown =
            prompt.asked.filter(QRegularExpression(QStringLiteral("^(warning|save)\\|")));
        QCOMPARE(shown, warning.isEmpty() ? QStringList{QStringLiteral("save|Save file as|")}
                                          : QStringList{QStringLiteral("warning|Warning|") + warning});
        QCOMPARE(contents(target), warning.isEmpty() ? releaseContents() : QByteArray("previous contents"));
        // The release waited for the dialog on disk, not in memory.
        QCOMPARE(prompt.watchedBytes, warning.isEmpty() ? qint64(releaseContents().size()) : 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList{name});
        QCOMPARE(QDir(temp.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList());
        delete s;
    }

    // The question names the version; on Yes this system's release file is fetched from the
    // update directory and offered under its own name.
    void offer_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::newRow("accepted") << "3.1.0" << true << true;
        QTest::newRow("declined") << "3.1.0" << false << true;
        QTest::newRow("not a version") << "3.1.0/../../x" << true << false;
    }
    void offer()
    {
        QFETCH(QString, version);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
#ifndef Q_OS_LINUX
        QSKIP("the expected file name is the one of a Linux build");
#endif
        const QByteArray release = "/updates/Tessaly_3.1.0_LINUX.tar.gz";
        LocalHttpsServer *s = server(QStringLiteral("trusted"));
        QVERIFY(s);
        s->answers[release] = {200, "release bytes", false, {}};
        QTemporaryDir dir;
        SavePrompt prompt;
        prompt.answerYes = yes;
        prompt.fileToSave = dir.filePath(QStringLiteral("saved.tar.gz"));
        QNetworkAccessManager manager;
        QWidget parent;
        DownloadEngine *engine = DownloadEngine::offer(&parent, &manager, version);
        const QString question = "question|New Version|A new version of TSY is available : 3.1.0\n Do you "
                                 "want to download the new "
                                 "version?\n Check \"Do not check for updates\" in the preferences from the "
                                 "\"Help\" menu to avoid "
                                 "this message.";
        QCOMPARE(prompt.asked, asked ? QStringList{question} : QStringList());
        QCOMPARE(engine != nullptr, asked && yes);
        if (!engine) {
            QTest::qWait(50);
            QCOMPARE(s->targets.size(), 0);
            delete s;
            return;
        }
        QString label;
        connect(engine, &DownloadEngine::signal_finished, this,
                [&] { label = engine->getProgressBar()->getLabel()->text(); });
        QSignalSpy finished(engine, &DownloadEngine::signal_finished);
        QVERIFY(finished.wait(20000));
        QCOMPARE(s->targets, QList<QByteArray>{release});
        QCOMPARE(label, QStringLiteral("Downloading Tessaly_3.1.0_LINUX.tar.gz.."));
        QCOMPARE(prompt.proposed, QStringLiteral("Tessaly_3.1.0_LINUX.tar.gz"));
        QCOMPARE(contents(prompt.fileToSave), QByteArray("release bytes"));
        delete s;
    }

    void progress_data()
    {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<double>("fraction"); // -1: busy bar
        QTest::newRow("start") << qint64(0) << qint64(100) << 0.0;
        QTest::newRow("beyond the previous maximum") << qint64(5000) << qint64(10000) << 0.5;
        QTest::newRow("done") << qint64(7) << qint64(7) << 1.0;
        QTest::newRow("six gigabytes") << qint64(1500000000) << qint64(6000000000) << 0.25;
        QTest::newRow("unknown size") << qint64(10) << qint64(-1) << -1.0;
    }
    void progress()
    {
        QFETCH(qint64, received);
        QFETCH(qint64, total);
        QFETCH(double, fraction);
        ProgressBar window;
        QCOMPARE(window.getLabel()->text(), QStringLiteral("Progress"));
        window.slot_progress(1, 4);
        window.slot_progress(received, total);
        const QProgressBar *bar = window.getBar();
        if (fraction < 0) {
            QCOMPARE(bar->maximum(), 0);
        } else {
            QVERIFY(bar->maximum() > 0);
            QVERIFY(qAbs(double(bar->value()) / bar->maximum() - fraction) < 1e-6);
        }
    }
};

QTEST_MAIN(UpdateCheckTest)
#include "tst_updatecheck.moc"
