#include "server/transport/RecordSend.h"

#include "server/transport/PumpWait.h"

#include <QEventLoop>

namespace {

// While it lives, every error the socket reports marks `head` as failed with the kind the error
// belongs to; the error goes nowhere else.
class FailureCapture {
public:
    FailureCapture(QTcpSocket& socket, Msg_Base_Type& head) {
        QObject::connect(&socket, &QAbstractSocket::errorOccurred, &Context,
                         [&head, this](QAbstractSocket::SocketError error) {
                             head.Failed = 1;
                             head.ErrorEvent = kindOf(error);
                         });
    }
    void setSending() { Sending = true; }

private:
    quint8 kindOf(QAbstractSocket::SocketError error) const {
        if (error == QAbstractSocket::RemoteHostClosedError)
            return eeDisconnect;
        return Sending ? eeSend : eeConnect;
    }

    QObject Context;
    bool Sending = false;
};

bool writeWhole(Msg_Base_Type& head, const QByteArray& bytes, QTcpSocket& socket) {
    if (socket.state() != QAbstractSocket::ConnectedState || socket.write(bytes) != bytes.size()) {
        head.Failed = 1;
        head.ErrorEvent = eeSend;
        return false;
    }
    socket.flush();
    return head.Failed == 0;
}

} // namespace

bool SendRecord(Msg_Base_Type& head, const QByteArray& bytes, QTcpSocket& connection) {
    FailureCapture capture(connection, head);
    capture.setSending();
    head.Failed = 0;
    return writeWhole(head, bytes, connection);
}

bool ConnectAndSend(Msg_Base_Type& head, const QByteArray& bytes, QTcpSocket& socket,
                    const QHostAddress& address, quint16 port, qint64 timeoutMs,
                    const TimeSource& time) {
    head.Failed = 0;
    FailureCapture capture(socket, head);
    qint64 count = 0;
    if (socket.state() != QAbstractSocket::ConnectedState) {
        // A connection still closing from the previous exchange cannot carry this one.
        if (socket.state() == QAbstractSocket::ClosingState)
            socket.abort();
        if (socket.state() == QAbstractSocket::UnconnectedState)
            socket.connectToHost(address, port);
        while (socket.state() != QAbstractSocket::ConnectedState && head.Failed == 0 &&
               count < timeoutMs) {
            if (socket.state() == QAbstractSocket::UnconnectedState) {
                // Gave up without telling why: still a failed connect.
                head.Failed = 1;
                head.ErrorEvent = eeConnect;
                break;
            }
            // A step ends early when the socket connects or fails, so a refusal returns at once.
            PumpWait(100, time, [&socket](QEventLoop& loop) {
                QObject::connect(&socket, &QAbstractSocket::connected, &loop, &QEventLoop::quit);
                QObject::connect(&socket, &QAbstractSocket::errorOccurred, &loop,
                                 &QEventLoop::quit);
            });
            count += 100;
        }
    }
    if (head.Failed == 0 && socket.state() != QAbstractSocket::ConnectedState &&
        count >= timeoutMs) {
        head.Failed = 1;
        head.ErrorEvent = eeConnect;
    }
    if (head.Failed != 0) {
        if (head.ErrorEvent == eeConnect)
            socket.abort();
        return false;
    }
    capture.setSending();
    return writeWhole(head, bytes, socket);
}
