#include "help/HttpAnswer.h"

#include <QIODevice>

#include <algorithm>

namespace
{
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

HttpAnswer::HttpAnswer(QIODevice *out, qint64 maxFileBytes) : out(out), maxFileBytes(maxFileBytes) {}

HttpAnswer::~HttpAnswer()
{
    if (gzip)
        inflateEnd(&zs);
}

bool HttpAnswer::feed(const QByteArray &bytes)
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

bool HttpAnswer::closed(bool closeAlert)
{
    if (state == State::UntilClose) {
        // Without the close alert a connection cut short looks just like the end of the body.
        if (!closeAlert)
            return fail(tr("The server did not say how long the file is and the connection ended without "
                           "closing the secure session, so the file may be cut short."));
        return endBody();
    }
    if (state == State::Done || state == State::Failed)
        return !failed();
    return fail(state == State::Status && buffer.isEmpty()
                    ? tr("The server closed the connection without answering.")
                    : tr("The connection was closed before the whole file had arrived."));
}

bool HttpAnswer::fail(const QString &reason)
{
    if (state != State::Failed) {
        state = State::Failed;
        why = reason;
    }
    return false;
}

QString HttpAnswer::damaged(const QString &what)
{
    return tr("The server sent a damaged answer: %1.").arg(what);
}

QString HttpAnswer::tooLarge() const
{
    return tr("The file is larger than %1 bytes.").arg(maxFileBytes);
}

// Takes the next line without its line end (CR LF or a bare LF).
bool HttpAnswer::takeLine(QByteArray &line)
{
    const int end = buffer.indexOf('\n', pos);
    if (end < 0 || end - pos > maxLineBytes) {
        if (end >= 0 || buffer.size() - pos > maxLineBytes)
            return fail(damaged(tr("a line of the answer is too long")));
        return false;
    }
    line = buffer.mid(pos, end - pos);
    if (line.endsWith('\r'))
        line.chop(1);
    if (state == State::Status || state == State::Fields || state == State::Trailer) {
        headBytes += end + 1 - pos;
        if (headBytes > maxHeadBytes)
            return fail(damaged(tr("the head of the answer is too long")));
    }
    pos = end + 1;
    return true;
}

bool HttpAnswer::handleLine(const QByteArray &line)
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
            return fail(damaged(tr("a chunk is longer than its size line says")));
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
bool HttpAnswer::statusLine(const QByteArray &line)
{
    if (line.size() < 12 || !line.startsWith("HTTP/1.") || !isDigit(line[7]) || line[8] != ' ' ||
        !isDigit(line[9]) || !isDigit(line[10]) || !isDigit(line[11]) ||
        (line.size() > 12 && line[12] != ' '))
        return fail(damaged(tr("no HTTP status line")));
    status = line.mid(9, 3).toInt();
    fields.clear();
    state = State::Fields;
    return true;
}

bool HttpAnswer::field(const QByteArray &line)
{
    const int colon = line.indexOf(':');
    const QByteArray name = line.left(colon);
    if (colon <= 0 || name.contains(' ') || name.contains('\t'))
        return fail(damaged(tr("a malformed header line")));
    fields << qMakePair(name.toLower(), line.mid(colon + 1).trimmed());
    return true;
}

QList<QByteArray> HttpAnswer::values(const QByteArray &name) const
{
    QList<QByteArray> out;
    for (const auto &f : fields)
        if (f.first == name)
            out << f.second;
    return out;
}

bool HttpAnswer::endHead()
{
    if (status >= 100 && status < 200 && status != 101) {
        // An interim answer; the real one follows.
        if (++interimAnswers > maxInterimAnswers)
            return fail(damaged(tr("too many interim answers")));
        state = State::Status;
        return true;
    }
    if (!acceptStatus() || !readCodings() || !readFraming())
        return false;
    headBytes = 0;
    return true;
}

// Only "200" carries the whole file: "204" has no body and "206" a part of it.
bool HttpAnswer::acceptStatus()
{
    if (status == 200)
        return true;
    if (status == 204)
        return fail(tr("The server answered 204 (no content) instead of the file."));
    if (status == 206)
        return fail(tr("The server sent only a part of the file (answer 206)."));
    return fail(tr("The server answered %1 instead of the file.").arg(status));
}

bool HttpAnswer::readCodings()
{
    for (const QByteArray &c : elements(values("content-encoding"))) {
        if (c == "gzip" || c == "x-gzip") {
            if (gzip)
                return fail(damaged(tr("the file is compressed twice")));
            gzip = true;
        } else if (c != "identity") {
            return fail(tr("The server sent the file in an encoding this program cannot read (%1).")
                            .arg(QString::fromLatin1(c)));
        }
    }
    if (gzip && inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK) {
        gzip = false;
        return fail(tr("Not enough memory to decompress the file."));
    }
    return true;
}

bool HttpAnswer::readFraming()
{
    const QList<QByteArray> transfer = elements(values("transfer-encoding"));
    const bool chunked = !transfer.isEmpty();
    if (chunked && transfer != QList<QByteArray>{"chunked"})
        return fail(damaged(tr("an unknown transfer coding")));

    // Repeated Content-Length values must agree; a chunked body ignores them.
    QByteArray length;
    for (const QByteArray &v : elements(values("content-length"))) {
        if (!length.isEmpty() && v != length)
            return fail(damaged(tr("conflicting lengths")));
        length = v;
    }
    if (!chunked && !length.isEmpty()) {
        if (length.size() > 18 || !std::all_of(length.begin(), length.end(), isDigit))
            return fail(damaged(tr("a malformed length")));
        announcedSize = length.toLongLong();
        if (announcedSize > maxFileBytes)
            return fail(tooLarge());
    }
    if (chunked) {
        state = State::ChunkSize;
    } else if (announcedSize >= 0) {
        remaining = announcedSize;
        state = State::Length;
        if (remaining == 0)
            return endBody();
    } else {
        state = State::UntilClose;
    }
    return true;
}

// Hex digits, then optional blanks and ";extension".
bool HttpAnswer::chunkSize(const QByteArray &line)
{
    int i = 0;
    quint64 size = 0;
    for (; i < line.size() && hexValue(line[i]) >= 0; ++i) {
        size = size * 16 + quint64(hexValue(line[i]));
        if (size > quint64(maxFileBytes))
            return fail(damaged(tr("a chunk size out of range")));
    }
    if (i == 0)
        return fail(damaged(tr("a malformed chunk size")));
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    if (i < line.size() && line[i] != ';')
        return fail(damaged(tr("a malformed chunk size")));
    if (size == 0) {
        state = State::Trailer;
    } else {
        remaining = qint64(size);
        state = State::ChunkData;
    }
    return true;
}

bool HttpAnswer::body(const char *data, qint64 n)
{
    bodyBytes += n;
    if (bodyBytes > maxFileBytes)
        return fail(tooLarge());
    return gzip ? inflateBody(data, n) : store(data, n);
}

bool HttpAnswer::inflateBody(const char *data, qint64 n)
{
    char step[inflateStep];
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    zs.avail_in = uInt(n);
    // Each pass consumes input or produces output, and the output is bounded.
    while (zs.avail_in > 0) {
        if (gzipEnded) {
            // Another gzip member follows.
            if (inflateReset(&zs) != Z_OK)
                return fail(damaged(tr("the compressed file cannot be read")));
            gzipEnded = false;
        }
        zs.next_out = reinterpret_cast<Bytef *>(step);
        zs.avail_out = inflateStep;
        const uInt inputBefore = zs.avail_in;
        const int r = inflate(&zs, Z_NO_FLUSH);
        const qint64 produced = inflateStep - qint64(zs.avail_out);
        if (!store(step, produced))
            return false;
        if (r == Z_STREAM_END)
            gzipEnded = true;
        else if ((r != Z_OK && r != Z_BUF_ERROR) || (zs.avail_in == inputBefore && produced == 0))
            return fail(damaged(tr("the compressed file cannot be read")));
    }
    return true;
}

bool HttpAnswer::store(const char *data, qint64 n)
{
    fileBytes += n;
    if (fileBytes > maxFileBytes)
        return fail(tooLarge());
    if (n > 0 && out->write(data, n) != n)
        return fail(tr("The download cannot be stored: %1").arg(out->errorString()));
    return true;
}

bool HttpAnswer::endBody()
{
    if (gzip && !gzipEnded)
        return fail(damaged(tr("the compressed file is cut short")));
    if (fileBytes == 0)
        return fail(tr("The server sent an empty file."));
    state = State::Done;
    return true;
}
