#include "messages/reception/StreamConnection.h"

#include "core/ActivityLog.h"
#include "core/TimeSource.h"
#include "messages/reception/StreamFraming.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <algorithm>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;
// Upper bound of one blocking wait, so a stopping server is noticed quickly.
constexpr int MaxWaitSliceMs = 100;

// Reads from a blocking socket under the idle and whole-connection time limits.
class BoundedReader {
public:
    enum class Outcome { Data, Closed, TimedOut, Stopped };

    BoundedReader(QTcpSocket& socket, const StreamConnectionContext& context)
        : Socket(socket), Context(context), Started(context.time->tickCount()),
          LastActivity(Started) {}

    Outcome read(QByteArray& out, qint64 maxBytes) {
        for (;;) {
            if (Socket.bytesAvailable() > 0) {
                out = Socket.read(maxBytes);
                LastActivity = Context.time->tickCount();
                return Outcome::Data;
            }
            if (Socket.state() != QAbstractSocket::ConnectedState)
                return Outcome::Closed;
            if (Context.stopping->load())
                return Outcome::Stopped;
            const quint32 now = Context.time->tickCount();
            const qint64 idleLeft =
                Context.options.idleTimeoutMs - qint64(TimeSource::elapsed(LastActivity, now));
            const qint64 totalLeft =
                Context.options.connectionTimeoutMs - qint64(TimeSource::elapsed(Started, now));
            const qint64 left = std::min(idleLeft, totalLeft);
            if (left <= 0)
                return Outcome::TimedOut;
            const int slice = std::min(MaxWaitSliceMs, Context.time->realMs(left));
            if (!Socket.waitForReadyRead(slice) &&
                Socket.error() != QAbstractSocket::SocketTimeoutError &&
                Socket.bytesAvailable() == 0)
                return Outcome::Closed;
        }
    }

private:
    QTcpSocket& Socket;
    const StreamConnectionContext& Context;
    quint32 Started;
    quint32 LastActivity;
};

QString peerText(const QTcpSocket& socket) {
    return socket.peerAddress().toString() + QLatin1Char(':') + QString::number(socket.peerPort());
}

QString outcomeText(BoundedReader::Outcome outcome) {
    switch (outcome) {
    case BoundedReader::Outcome::Closed:
        return QStringLiteral("the sender closed the connection");
    case BoundedReader::Outcome::TimedOut:
        return QStringLiteral("the sender stopped sending");
    case BoundedReader::Outcome::Stopped:
        return QStringLiteral("the receiver is shutting down");
    case BoundedReader::Outcome::Data:
        break;
    }
    return {};
}

// Holds a share of the free disk space for one stream until its file is written.
class DiskReservation {
public:
    DiskReservation(std::atomic<qint64>& reserved, qint64 bytes)
        : Reserved(reserved), Bytes(bytes) {
        Reserved.fetch_add(Bytes);
    }
    ~DiskReservation() { Reserved.fetch_sub(Bytes); }
    DiskReservation(const DiskReservation&) = delete;
    DiskReservation& operator=(const DiskReservation&) = delete;

private:
    std::atomic<qint64>& Reserved;
    qint64 Bytes;
};

bool diskHasRoom(const StreamConnectionContext& context, qint64 bytes) {
    const QStorageInfo storage(context.folder);
    if (!storage.isValid())
        return false;
    const qint64 free = storage.bytesAvailable() - context.reservedBytes->load();
    return free - bytes >= context.options.diskReserveBytes;
}

} // namespace

void ServeStreamConnection(qintptr descriptor, const StreamConnectionContext& context,
                           const StreamConnectionEvents& events) {
    QTcpSocket socket;
    if (!socket.setSocketDescriptor(descriptor))
        return;
    const QHostAddress peer = socket.peerAddress();
    const quint16 peerPort = socket.peerPort();
    const QString who = peerText(socket);
    auto drop = [&](const QString& reason) {
        WriteLog(QStringLiteral("Stream message from %1 dropped: %2").arg(who, reason));
        socket.abort();
        if (events.dropped)
            events.dropped(peer, reason);
    };

    BoundedReader reader(socket, context);
    QByteArray received;
    StreamFraming::Head head;
    while (head.status == StreamFraming::Head::Status::NeedMore) {
        QByteArray chunk;
        const auto outcome = reader.read(chunk, ChunkBytes);
        if (outcome != BoundedReader::Outcome::Data) {
            // A connection that closes without sending anything is no stream at all.
            if (received.isEmpty() && outcome == BoundedReader::Outcome::Closed)
                return;
            drop(outcomeText(outcome) + QStringLiteral(" before the head was complete"));
            return;
        }
        received += chunk;
        head = StreamFraming::parseHead(received);
    }
    if (head.status == StreamFraming::Head::Status::Malformed) {
        drop(QStringLiteral("the head is not a stream message head"));
        return;
    }
    const qint64 length = head.dataLength;
    if (length > context.options.maxDataBytes) {
        drop(QStringLiteral("it announced %1 bytes, more than the %2 accepted")
                 .arg(length)
                 .arg(context.options.maxDataBytes));
        return;
    }
    if (!diskHasRoom(context, length)) {
        drop(QStringLiteral("not enough free disk space for %1 bytes").arg(length));
        return;
    }
    DiskReservation reservation(*context.reservedBytes, length);

    const QString stem = QDir(context.folder).filePath(context.options.filePrefix);
    QTemporaryFile file(stem + QStringLiteral("XXXXXX.part"));
    if (!file.open()) {
        drop(QStringLiteral("cannot create a file in %1: %2")
                 .arg(context.folder, file.errorString()));
        return;
    }
    auto writeData = [&](QByteArrayView bytes) {
        return file.write(bytes.data(), bytes.size()) == bytes.size();
    };
    qint64 written = std::min<qint64>(received.size() - head.headSize, length);
    if (!writeData(QByteArrayView(received).sliced(head.headSize, written))) {
        drop(QStringLiteral("cannot write the data: %1").arg(file.errorString()));
        return;
    }
    received = QByteArray();
    while (written < length) {
        QByteArray chunk;
        const auto outcome = reader.read(chunk, std::min(ChunkBytes, length - written));
        if (outcome != BoundedReader::Outcome::Data) {
            drop(QStringLiteral("%1 after %2 of %3 bytes")
                     .arg(outcomeText(outcome))
                     .arg(written)
                     .arg(length));
            return;
        }
        if (!writeData(chunk)) {
            drop(QStringLiteral("cannot write the data: %1").arg(file.errorString()));
            return;
        }
        written += chunk.size();
    }

    // While it arrives the data sits in an unnamed (or ".part") file that vanishes with the
    // worker; it gets a name of its own only once it is whole, so a partial stream never looks
    // complete.
    const QString partPath = file.fileName();
    QString donePath = partPath;
    donePath.replace(donePath.size() - 5, 5, QStringLiteral(".msg"));
    file.setAutoRemove(false);
    const bool flushed = file.flush();
    file.close();
    if (!flushed || !QFile::rename(partPath, donePath)) {
        QFile::remove(partPath);
        drop(QStringLiteral("cannot finish the data file %1").arg(donePath));
        return;
    }

    socket.write(StreamFraming::okReply());
    socket.waitForBytesWritten(context.time->realMs(context.options.idleTimeoutMs));

    ReceivedStream message;
    message.dataPath = donePath;
    message.dataSize = length;
    message.senderText = head.senderText;
    message.peerAddress = peer;
    message.peerPort = peerPort;
    if (events.received)
        events.received(message);

    // The sender closes the connection; whatever it still sends is read and thrown away.
    for (;;) {
        QByteArray ignored;
        if (reader.read(ignored, ChunkBytes) != BoundedReader::Outcome::Data)
            break;
    }
    socket.abort();
}
