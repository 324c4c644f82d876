#pragma once

#include "core/TimeSource.h"
#include "messages/listen/ListenerHooks.h"
#include "server/transport/RecordServer.h"

#include <QHostAddress>
#include <QObject>

class RecordReader;

// The main window's listening port for server records (its ServerSocket): one record per
// connection, dispatched by ID to the main window's hooks. Unknown IDs are dropped and logged
// with the connection left open; socket errors are silenced.
class RecordListener : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 2711;

    RecordListener(ListenerHooks& hooks, const TimeSource& time, QObject* parent = nullptr);

    bool listen(quint16 port = DefaultPort, const QHostAddress& address = QHostAddress::Any);
    void close() { Server.close(); }
    bool isListening() const { return Server.isListening(); }
    quint16 serverPort() const { return Server.serverPort(); }
    QString errorString() const { return Server.errorString(); }

    // Connection cap, per-connection time-out and the count of open connections.
    RecordServer& server() { return Server; }

    // The ServerSocketClientRead dispatch of one whole record.
    void dispatch(RecordReader& connection, const Msg_Header_Type& header,
                  const QByteArray& record);

private:
    ListenerHooks& Hooks;
    RecordServer Server;
};
