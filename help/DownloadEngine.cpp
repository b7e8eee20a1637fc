#include "help/DownloadEngine.h"

#include "dialogs/Prompt.h"
#include "help/ProgressBar.h"
#include "help/UpdateSite.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSaveFile>
#include <QSslSocket>
#include <QTimer>

#include <zlib.h>

#include <algorithm>
#include <cstdio>

namespace
{
// A release file is held in memory until it is saved; a larger body is refused.
const qint64 maxReleaseBytes = qint64(1) << 30;
// No byte for this long ends the download.
const int transferTimeoutMs = 60000;
// Bounds on the parts of an answer that are not the file itself.
const int maxLineBytes = 8192;
const int maxHeadBytes = 65536;
const int maxInterimAnswers = 8;
// Output of one inflate call.
const int inflateStep = 65536;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The comma-separated elements of every value of a header field, trimmed, lower case, empty
// elements dropped.
QList<QByteArray> elements(const QList<QByteArray> &values)
{
    QList<QByteArray> out;
    for (const QByteArray &value : values)
        for (const QByteArray &part : value.split(','))
            if (!part.trimmed().isEmpty())
                out << part.trimmed().toLower();
    return out;
}
} // namespace

// Reads one HTTP/1.1 answer from the bytes of the connection. The body must arrive exactly as the
// head announces it (Content-Length, chunks up to the terminating zero chunk, or the close of the
// connection when neither is given), and a gzip body must decode to the end of its stream;
// anything else fails the answer. Every part but the file itself has a size bound.
class DownloadEngine::Answer
{
public:
    enum class State {
        Status,
        Fields,
        Length,
        ChunkSize,
        ChunkData,
        ChunkEnd,
        Trailer,
        UntilClose,
        Done,
        Failed
    };

    QString problem;       // why the answer failed
    bool tooLarge = false; // it failed because the file is too large
    QByteArray file;       // the decoded file
    qint64 received = 0;   // body bytes received, as sent
    qint64 announced = -1; // Content-Length, -1 when not given

    ~Answer()
    {
        if (gzip)
            inflateEnd(&zs);
    }

    bool done() const { return state == State::Done; }
    bool failed() const { return state == State::Failed; }

    // Adds bytes received; false once the answer has failed.
    bool feed(const QByteArray &bytes)
    {
        if (state == State::Failed || state == State::Done)
            return !failed();
        buffer.remove(0, pos);
        pos = 0;
        buffer += bytes;
        // Every pass consumes bytes, changes the state or returns.
        for (;;) {
            QByteArray line;
            switch (state) {
            case State::Status:
            case State::Fields:
            case State::ChunkSize:
            case State::ChunkEnd:
            case State::Trailer:
                if (!takeLine(line))
                    return !failed();
                if (!handleLine(line))
                    return false;
                break;
            case State::Length:
            case State::ChunkData: {
                const qint64 n = qMin(remaining, qint64(buffer.size() - pos));
                if (n == 0)
                    return true;
                if (!body(buffer.constData() + pos, n))
                    return false;
                pos += int(n);
                remaining -= n;
                if (remaining == 0) {
                    if (state == State::Length)
                        return endBody();
                    state = State::ChunkEnd;
                }
                break;
            }
            case State::UntilClose: {
                const bool ok = body(buffer.constData() + pos, buffer.size() - pos);
                pos = buffer.size();
                return ok;
            }
            case State::Done:
                // Bytes after the answer belong to nothing; the connection is closed.
                pos = buffer.size();
                return true;
            case State::Failed:
                return false;
            }
        }
    }

    // The connection was closed: the answer is complete only if its body had ended or ends with
    // the close.
    bool closed()
    {
        if (state == State::UntilClose)
            return endBody();
        if (state == State::Done || state == State::Failed)
            return !failed();
        return fail(state == State::Status && buffer.isEmpty()
                        ? DownloadEngine::tr("The server closed the connection without answering.")
                        : DownloadEngine::tr("The connection was closed before the whole file had arrived."));
    }

    bool fail(const QString &why, bool large = false)
    {
        if (state != State::Failed) {
            state = State::Failed;
            problem = why;
            tooLarge = large;
        }
        return false;
    }

private:
    State state = State::Status;
    QByteArray buffer;
    int pos = 0;
    int headBytes = 0;
    int interimAnswers = 0;
    int status = 0;
    QList<QPair<QByteArray, QByteArray>> fields; // lower-case name, value
    qint64 remaining = 0;
    bool gzip = false;
    bool gzipEnded = false;
    z_stream zs{};

    static QString damaged(const QString &what)
    {
        return DownloadEngine::tr("The server sent a damaged answer: %1.").arg(what);
    }

    // Takes the next line without its line end (CR LF or a bare LF).
    bool takeLine(QByteArray &line)
    {
        const int end = buffer.indexOf('\n', pos);
        if (end < 0 || end - pos > maxLineBytes) {
            if (end >= 0 || buffer.size() - pos > maxLineBytes)
                return fail(damaged(DownloadEngine::tr("a line of the answer is too long")));
            return false;
        }
        line = buffer.mid(pos, end - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        if (state == State::Status || state == State::Fields || state == State::Trailer) {
            headBytes += end + 1 - pos;
            if (headBytes > maxHeadBytes)
                return fail(damaged(DownloadEngine::tr("the head of the answer is too long")));
        }
        pos = end + 1;
        return true;
    }

    bool handleLine(const QByteArray &line)
    {
        switch (state) {
        case State::Status:
            return statusLine(line);
        case State::Fields:
            if (line.isEmpty())
                return endHead();
            return field(line);
        case State::ChunkSize:
            return chunkSize(line);
        case State::ChunkEnd:
            if (!line.isEmpty())
                return fail(damaged(DownloadEngine::tr("a chunk is longer than its size line says")));
            state = State::ChunkSize;
            return true;
        case State::Trailer:
            if (line.isEmpty())
                return endBody();
            return true; // trailer fields carry nothing the file needs
        default:
            return fail(damaged(QStringLiteral("?")));
        }
    }

    // "HTTP/1.x NNN reason"
    bool statusLine(const QByteArray &line)
    {
        if (line.size() < 12 || !line.startsWith("HTTP/1.") || !isDigit(line[7]) || line[8] != ' ' ||
            !isDigit(line[9]) || !isDigit(line[10]) || !isDigit(line[11]) ||
            (line.size() > 12 && line[12] != ' '))
            return fail(damaged(DownloadEngine::tr("no HTTP status line")));
        status = line.mid(9, 3).toInt();
        fields.clear();
        state = State::Fields;
        return true;
    }

    bool field(const QByteArray &line)
    {
        const int colon = line.indexOf(':');
        const QByteArray name = line.left(colon);
        if (colon <= 0 || name.contains(' ') || name.contains('\t'))
            return fail(damaged(DownloadEngine::tr("a malformed header line")));
        fields << qMakePair(name.toLower(), line.mid(colon + 1).trimmed());
        return true;
    }

    QList<QByteArray> values(const QByteArray &name) const
    {
        QList<QByteArray> out;
        for (const auto &f : fields)
            if (f.first == name)
                out << f.second;
        return out;
    }

    bool endHead()
    {
        if (status >= 100 && status < 200 && status != 101) {
            // An interim answer; the real one follows.
            if (++interimAnswers > maxInterimAnswers)
                return fail(damaged(DownloadEngine::tr("too many interim answers")));
            state = State::Status;
            return true;
        }
        if (status < 200 || status >= 300)
            return fail(DownloadEngine::tr("The server answered %1 instead of the file.").arg(status));

        const QList<QByteArray> codings = elements(values("content-encoding"));
        for (const QByteArray &c : codings) {
            if (c == "gzip" || c == "x-gzip") {
                if (gzip)
                    return fail(damaged(DownloadEngine::tr("the file is compressed twice")));
                gzip = true;
            } else if (c != "identity") {
                return fail(DownloadEngine::tr("The server sent the file in an encoding this program cannot "
                                               "read (%1).")
                                .arg(QString::fromLatin1(c)));
            }
        }
        if (gzip && inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK) {
            gzip = false;
            return fail(DownloadEngine::tr("Not enough memory to decompress the file."));
        }

        const QList<QByteArray> transfer = elements(values("transfer-encoding"));
        const bool chunked = !transfer.isEmpty();
        if (chunked && transfer != QList<QByteArray>{"chunked"})
            return fail(damaged(DownloadEngine::tr("an unknown transfer coding")));

        // Repeated Content-Length values must agree; a chunked body ignores them.
        QByteArray length;
        for (const QByteArray &v : elements(values("content-length"))) {
            if (!length.isEmpty() && v != length)
                return fail(damaged(DownloadEngine::tr("conflicting lengths")));
            length = v;
        }
        if (!chunked && !length.isEmpty()) {
            if (length.size() > 18 || !std::all_of(length.begin(), length.end(), isDigit))
                return fail(damaged(DownloadEngine::tr("a malformed length")));
            announced = length.toLongLong();
            if (announced > maxReleaseBytes)
                return fail(DownloadEngine::tr("The file is larger than %1 bytes.").arg(maxReleaseBytes),
                            true);
        }
        headBytes = 0;

        if (status == 204) { // no content by definition
            state = State::Done;
            return true;
        }
        if (chunked) {
            state = State::ChunkSize;
        } else if (announced >= 0) {
            remaining = announced;
            state = State::Length;
            if (remaining == 0)
                return endBody();
        } else {
            state = State::UntilClose;
        }
        return true;
    }

    // Hex digits, then optional blanks and ";extension".
    bool chunkSize(const QByteArray &line)
    {
        int i = 0;
        quint64 size = 0;
        for (; i < line.size() && hexValue(line[i]) >= 0; ++i) {
            size = size * 16 + quint64(hexValue(line[i]));
            if (size > quint64(maxReleaseBytes))
                return fail(damaged(DownloadEngine::tr("a chunk size out of range")));
        }
        if (i == 0)
            return fail(damaged(DownloadEngine::tr("a malformed chunk size")));
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i < line.size() && line[i] != ';')
            return fail(damaged(DownloadEngine::tr("a malformed chunk size")));
        if (size == 0) {
            state = State::Trailer;
        } else {
            remaining = qint64(size);
            state = State::ChunkData;
        }
        return true;
    }

    bool body(const char *data, qint64 n)
    {
        received += n;
        if (received > maxReleaseBytes)
            return fail(DownloadEngine::tr("The file is larger than %1 bytes.").arg(maxReleaseBytes), true);
        if (!gzip) {
            file.append(data, int(n));
            return true;
        }
        zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
        zs.avail_in = uInt(n);
        // Each pass consumes input or produces output, and the output is bounded.
        while (zs.avail_in > 0) {
            if (gzipEnded) {
                // Another gzip member follows.
                if (inflateReset(&zs) != Z_OK)
                    return fail(damaged(DownloadEngine::tr("the compressed file cannot be read")));
                gzipEnded = false;
            }
            const int before = file.size();
            file.resize(before + inflateStep);
            zs.next_out = reinterpret_cast<Bytef *>(file.data() + before);
            zs.avail_out = inflateStep;
            const uInt inputBefore = zs.avail_in;
            const int r = inflate(&zs, Z_NO_FLUSH);
            file.resize(before + inflateStep - int(zs.avail_out));
            if (file.size() > maxReleaseBytes)
                return fail(DownloadEngine::tr("The file is larger than %1 bytes.").arg(maxReleaseBytes),
                            true);
            if (r == Z_STREAM_END)
                gzipEnded = true;
            else if ((r != Z_OK && r != Z_BUF_ERROR) || (zs.avail_in == inputBefore && file.size() == before))
                return fail(damaged(DownloadEngine::tr("the compressed file cannot be read")));
        }
        return true;
    }

    bool endBody()
    {
        if (gzip && !gzipEnded)
            return fail(damaged(DownloadEngine::tr("the compressed file is cut short")));
        state = State::Done;
        return true;
    }
};

DownloadEngine::DownloadEngine(QNetworkAccessManager *manager, QUrl url)
    : manager(manager), url(std::move(url)), idle(new QTimer(this)), progress(new ProgressBar)
{
    idle->setSingleShot(true);
    idle->setInterval(transferTimeoutMs);
    connect(idle, &QTimer::timeout, this,
            [this] { fail(tr("The server sent nothing for %1 seconds.").arg(transferTimeoutMs / 1000)); });
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
    answer.reset(new Answer);
    progress->slot_progress(0, 100);
    progress->setName(QStringLiteral("Downloading ") + url.fileName(QUrl::FullyDecoded) +
                      QStringLiteral(".."));
    progress->show();
    if (url.scheme() != QLatin1String("https") || url.host().isEmpty()) {
        fail(tr("Only HTTPS addresses are downloaded."));
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
    idle->start();
    socket->connectToHostEncrypted(url.host(), quint16(url.port(443)));
}

void DownloadEngine::sendRequest()
{
    QByteArray target = url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!target.startsWith('/'))
        target.prepend('/');
    QUrl authority = url;
    authority.setUserInfo(QString());
    const QByteArray host = authority.authority(QUrl::FullyEncoded).toLatin1();
    for (const QByteArray &part : {target, host})
        if (part.contains(' ') || part.contains('\r') || part.contains('\n')) {
            fail(tr("The download address is not valid."));
            return;
        }
    // Compression is asked for on this engine's own terms, so that it can check the stream.
    socket->write("GET " + target + " HTTP/1.1\r\nHost: " + host +
                  "\r\nAccept: */*\r\nAccept-Encoding: gzip\r\nConnection: close\r\nUser-Agent: Tessaly/" +
                  UpdateSite::builtInVersion().toLatin1() + "\r\n\r\n");
    idle->start();
}

void DownloadEngine::readAnswer()
{
    if (transferEnded)
        return;
    idle->start();
    if (!answer->feed(socket->readAll())) {
        endTransfer();
        return;
    }
    progress->slot_progress(answer->received, answer->announced);
    if (answer->done())
        endTransfer();
}

void DownloadEngine::socketError(QAbstractSocket::SocketError error)
{
    if (transferEnded)
        return;
    if (error == QAbstractSocket::RemoteHostClosedError) {
        connectionClosed();
        return;
    }
    fail(socket->errorString());
}

void DownloadEngine::connectionClosed()
{
    if (transferEnded)
        return;
    if (answer->feed(socket->readAll()))
        answer->closed();
    endTransfer();
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
    idle->stop();
    if (socket) {
        socket->disconnect(this);
        socket->abort();
    }
    QMetaObject::invokeMethod(this, &DownloadEngine::slot_download_complete, Qt::QueuedConnection);
}

QString DownloadEngine::failure() const
{
    if (!answer->problem.isEmpty())
        return answer->problem;
    if (!answer->done())
        return tr("The download did not complete.");
    return QString();
}

bool DownloadEngine::save(const QString &fileName) const
{
    const QByteArray &body = answer->file;
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
    if (!transferEnded || completed)
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
    if (!save(fileName)) {
        Prompt::current()->warning(nullptr, tr("Warning"), tr("Failed to save file."));
        finish(false);
        return;
    }
    finish(true);
}

void DownloadEngine::finish(bool saved)
{
    emit signal_finished(saved);
    deleteLater();
}

void DownloadEngine::sslErrors(const QList<QSslError> &errors)
{
    std::fprintf(stderr, "SSL ERRORS : %d\n", errors.size());
    std::fflush(stderr);
}
