#include "server/transport/RecordReader.h"

#include "core/ActivityLog.h"
#include "server/transport/RecordReceive.h"

RecordReader::RecordReader(QTcpSocket* socket, QList<quint8> ids, QObject* parent)
    : QObject(parent), Socket(socket), Ids(std::move(ids)), Framer(Ids),
      PeerPort(socket->peerPort()) {
    connect(socket, &QTcpSocket::readyRead, this, &RecordReader::pump);
    connect(socket, &QTcpSocket::connected, this, &RecordReader::restart);
    connect(socket, &QTcpSocket::disconnected, this, &RecordReader::onDisconnected);
    if (socket->state() != QAbstractSocket::ConnectedState)
        Disconnected = true;
}

void RecordReader::log(const QString& line) {
    if (Log)
        Log(line);
    else
        WriteLog(line);
}

void RecordReader::restart() {
    // A client socket is connected anew for each exchange: each connection starts clean.
    Framer = RecordFramer(Ids);
    Input.clear();
    PeerPort = Socket ? Socket->peerPort() : 0;
    Closing = false;
    Disconnected = false;
    Finished = false;
}

void RecordReader::close() {
    Closing = true;
    Input.clear();
    if (Socket && Socket->state() != QAbstractSocket::UnconnectedState)
        Socket->disconnectFromHost();
    else
        onDisconnected();
}

void RecordReader::pump() {
    if (Busy > 0 || Finished)
        return; // the running pass goes on reading once its handler returns
    QPointer<RecordReader> self(this);
    ++Busy;
    while (!Closing) {
        if (Input.isEmpty()) {
            // A connection dropped while a handler waited has nothing more to give.
            if (!Socket || !Socket->isOpen())
                break;
            Input = Socket->read(ChunkBytes);
            if (Input.isEmpty())
                break;
        }
        RecordFramer::Event event = Framer.next(Input);
        if (event.kind == RecordFramer::Event::Record) {
            if (OnRecord)
                OnRecord(event.header, event.record);
            if (!self)
                return;
        } else if (event.kind == RecordFramer::Event::Unrecognised) {
            log(UnrecognisedLine(event.header, PeerPort));
        } else if (event.kind == RecordFramer::Event::Abort) {
            Input.clear();
            Closing = true;
            if (Socket)
                Socket->abort();
        }
    }
    --Busy;
    settle();
}

void RecordReader::onDisconnected() {
    Disconnected = true;
    if (Busy == 0)
        pump(); // what the peer sent before closing is still in the socket's buffer
}

void RecordReader::settle() {
    if (Busy > 0 || Finished || !(Disconnected || !Socket))
        return;
    if (!Closing) {
        if (Framer.partialHeaderBytes() > 0)
            log(UnrecognisedLine(Msg_Header_Type{}, PeerPort)); // a header cut short reads as ID 0
        else if (Framer.inBody())
            WriteLog(
                QStringLiteral("Connection closed at port %1 inside a record: ID = %2 Size = %3")
                    .arg(PeerPort)
                    .arg(unsigned(Framer.currentHeader().ID))
                    .arg(static_cast<quint32>(Framer.currentHeader().Size)));
    }
    Finished = true;
    Q_EMIT finished();
}
