#include "server/transport/RecordServer.h"

#include "server/transport/RecordReader.h"

#include <QPointer>
#include <QTimer>

namespace {
// Enough for the largest record several times over; the system holds back the rest.
constexpr qint64 ReadBufferBytes = 4096;
} // namespace

RecordServer::RecordServer(QList<quint8> ids, const TimeSource& time, QObject* parent)
    : QObject(parent), Ids(std::move(ids)), Time(time), Budget(time) {
    connect(&Server, &QTcpServer::newConnection, this, &RecordServer::acceptPending);
}

RecordServer::~RecordServer() {
    close();
}

bool RecordServer::listen(const QHostAddress& address, quint16 port) {
    return Server.listen(address, port);
}

void RecordServer::close() {
    Server.close();
    const auto open = Connections;
    Connections.clear();
    for (QTcpSocket* socket : open) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void RecordServer::acceptPending() {
    while (Server.hasPendingConnections()) {
        if (Connections.size() >= MaxConnections) {
            // The rest wait in the system's backlog until a connection ends.
            Server.pauseAccepting();
            Paused = true;
            return;
        }
        adopt(Server.nextPendingConnection());
    }
}

void RecordServer::adopt(QTcpSocket* socket) {
    socket->setParent(this);
    socket->setReadBufferSize(ReadBufferBytes);
    Connections.insert(socket);

    auto* reader = new RecordReader(socket, Ids, socket);
    reader->setLogLine([this](const QString& line) { Budget.write(line); });
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    deadline->setInterval(Time.realMs(RecordTimeoutMs));

    // Socket errors on this port are nobody's business but the connection's: no box, no report.
    connect(socket, &QAbstractSocket::errorOccurred, socket, [](QAbstractSocket::SocketError) {});
    connect(deadline, &QTimer::timeout, socket, [reader, socket] {
        if (!reader->isBusy())
            socket->abort();
    });
    connect(reader, &RecordReader::finished, this, [this, socket] { finish(socket); });
    reader->setHandler(
        [this, reader, deadline](const Msg_Header_Type& header, const QByteArray& record) {
            deadline->stop();
            QPointer<QTimer> alive(deadline);
            if (OnRecord)
                OnRecord(*reader, header, record);
            if (alive)
                alive->start();
        });
    deadline->start();
    reader->pump();
}

void RecordServer::finish(QTcpSocket* socket) {
    if (!Connections.remove(socket))
        return;
    socket->deleteLater();
    if (Paused && Connections.size() < MaxConnections) {
        Paused = false;
        Server.resumeAccepting();
        acceptPending();
    }
}
