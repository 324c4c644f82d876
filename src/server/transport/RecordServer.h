#pragma once

#include "core/TimeSource.h"
#include "server/records/MsgBase.h"
#include "server/transport/LogBudget.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

class RecordReader;

// A listening record port: accepts connections, frames each one with a RecordReader and hands
// every whole record to the handler on the thread that owns the server. Socket errors on
// accepted connections are silenced.
//
// Bounds against hostile peers: at most maxConnections() connections are served at once (more
// wait in the system's backlog until one ends); a connection that has not delivered a whole
// record within recordTimeout() nominal ms of being accepted (or of its previous record being
// handled) is dropped, unless a handler is still busy with it; each connection buffers at most a
// few kilobytes; the log lines its connections cause are rationed (LogBudget).
class RecordServer : public QObject {
    Q_OBJECT
public:
    // `connection` stays valid until the handler returns, even if the peer goes meanwhile.
    using Handler = std::function<void(RecordReader& connection, const Msg_Header_Type& header,
                                       const QByteArray& record)>;

    RecordServer(QList<quint8> ids, const TimeSource& time, QObject* parent = nullptr);
    ~RecordServer() override;

    bool listen(const QHostAddress& address, quint16 port);
    void close();
    bool isListening() const { return Server.isListening(); }
    quint16 serverPort() const { return Server.serverPort(); }
    QString errorString() const { return Server.errorString(); }

    void setHandler(Handler handler) { OnRecord = std::move(handler); }
    void setMaxConnections(int count) { MaxConnections = count > 0 ? count : 1; }
    int maxConnections() const { return MaxConnections; }
    void setRecordTimeout(qint64 nominalMs) { RecordTimeoutMs = nominalMs; }
    qint64 recordTimeout() const { return RecordTimeoutMs; }
    int connectionCount() const { return int(Connections.size()); }

private:
    void acceptPending();
    void adopt(QTcpSocket* socket);
    void finish(QTcpSocket* socket);

    QTcpServer Server;
    QList<quint8> Ids;
    const TimeSource& Time;
    Handler OnRecord;
    QSet<QTcpSocket*> Connections;
    int MaxConnections = 64;
    qint64 RecordTimeoutMs = 30000;
    bool Paused = false;
    LogBudget Budget;
};
