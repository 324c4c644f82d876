#pragma once

#include "server/records/RecordFramer.h"

#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <functional>

// Reads the records of one TCP connection as they come and hands each one over once, whole,
// however the bytes were split. Unrecognised records are dropped and logged
// (DropUnrecognised); the connection is aborted when the framer gives up.
//
// A handler may run a nested event loop (a modal box). Meanwhile this reader takes nothing more
// from its socket; it goes on after the handler returns. Other readers keep working.
class RecordReader : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const Msg_Header_Type& header, const QByteArray& record)>;

    // The reader reads from `socket` (not owned); `ids` are the record IDs taken on this port.
    RecordReader(QTcpSocket* socket, QList<quint8> ids, QObject* parent = nullptr);

    void setHandler(Handler handler) { OnRecord = std::move(handler); }
    // Where the log lines of dropped records and cut connections go (default: WriteLog).
    using LogLine = std::function<void(const QString& line)>;
    void setLogLine(LogLine log) { Log = std::move(log); }
    QTcpSocket* socket() const { return Socket; }
    bool isBusy() const { return Busy > 0; }
    bool isFinished() const { return Finished; }

    // Ends the connection after what was written has gone out; nothing more is read.
    void close();

    // Reads and hands over what the socket holds. Safe to call at any time.
    void pump();

Q_SIGNALS:
    // The connection is over (closed by either side or aborted) and no handler is running:
    // the owner may now delete the socket. Emitted once per connection (a client socket that
    // connects again starts a new one).
    void finished();

private:
    void onDisconnected();
    void restart();
    void log(const QString& line);
    void settle();

    static constexpr qint64 ChunkBytes = 4096;

    QPointer<QTcpSocket> Socket;
    QList<quint8> Ids;
    RecordFramer Framer;
    QByteArray Input;
    Handler OnRecord;
    LogLine Log;
    quint16 PeerPort = 0;
    int Busy = 0;
    bool Closing = false;
    bool Disconnected = false;
    bool Finished = false;
};
