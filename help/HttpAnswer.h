#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

#include <zlib.h>

class QIODevice;

// Reads one HTTP/1.1 answer from the bytes of a connection and writes the file it carries to a
// device as it arrives. Only a whole, non-empty "200" answer succeeds: its body must arrive exactly
// as the head announces it (Content-Length, chunks up to the terminating zero chunk, or the end of
// the secure session when neither is given), and a gzip body must decode to the end of its stream.
// Anything else fails the answer with a reason meant for the user. Every part of the answer has a
// size bound, the file included.
class HttpAnswer
{
    Q_DECLARE_TR_FUNCTIONS(DownloadEngine)

public:
    // out receives the decoded file (not owned); a file larger than maxFileBytes is refused.
    HttpAnswer(QIODevice *out, qint64 maxFileBytes);
    ~HttpAnswer();
    HttpAnswer(const HttpAnswer &) = delete;
    HttpAnswer &operator=(const HttpAnswer &) = delete;

    bool done() const { return state == State::Done; }
    bool failed() const { return state == State::Failed; }
    QString problem() const { return why; }
    qint64 received() const { return bodyBytes; }      // body bytes as sent
    qint64 announced() const { return announcedSize; } // Content-Length, -1 when not given

    // Adds bytes received; false once the answer has failed.
    bool feed(const QByteArray &bytes);
    // The connection has ended; closeAlert tells whether the server ended the secure session
    // first. Returns false when the answer is not complete.
    bool closed(bool closeAlert);
    // Fails the answer with why unless it has failed already; returns false.
    bool fail(const QString &why);

private:
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

    QIODevice *out;
    qint64 maxFileBytes;
    State state = State::Status;
    QString why;
    QByteArray buffer;
    int pos = 0;
    int headBytes = 0;
    int interimAnswers = 0;
    int status = 0;
    QList<QPair<QByteArray, QByteArray>> fields; // lower-case name, value
    qint64 remaining = 0;
    qint64 bodyBytes = 0;
    qint64 announcedSize = -1;
    qint64 fileBytes = 0;
    bool gzip = false;
    bool gzipEnded = false;
    z_stream zs{};

    static QString damaged(const QString &what);
    QString tooLarge() const;
    bool takeLine(QByteArray &line);
    bool handleLine(const QByteArray &line);
    bool statusLine(const QByteArray &line);
    bool field(const QByteArray &line);
    QList<QByteArray> values(const QByteArray &name) const;
    bool endHead();
    bool acceptStatus();
    bool readCodings();
    bool readFraming();
    bool chunkSize(const QByteArray &line);
    bool body(const char *data, qint64 n);
    bool inflateBody(const char *data, qint64 n);
    bool store(const char *data, qint64 n);
    bool endBody();
};
