#include "StreamSender.h"

#include <QTcpSocket>
#include <QTest>

QByteArray FrameStream(const QByteArray& senderText, const QByteArray& data) {
    return QByteArray::number(senderText.size()).rightJustified(4, '0') + senderText +
           QByteArray::number(data.size()).rightJustified(10, '0') + data;
}

StreamSender::StreamSender(quint16 port, QList<Step> steps)
    : Thread([this, port, steps] { run(port, steps); }) {}

StreamSender::~StreamSender() {
    Thread.join();
}

bool StreamSender::wait(int ms) const {
    return QTest::qWaitFor([this] { return done(); }, ms);
}

QList<StreamSender::Step> StreamSender::OneMessage(const QByteArray& text, const QByteArray& data,
                                                   int pieceSize) {
    return {{Step::Send, FrameStream(text, data), pieceSize, 0},
            {Step::ReadReply, {}, 0, 0},
            {Step::Close, {}, 0, 0}};
}

void StreamSender::run(quint16 port, const QList<Step>& steps) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    Outcome.connected = socket.waitForConnected(5000);
    QByteArray pending;
    auto collect = [&] {
        pending += socket.readAll();
        if (socket.state() != QAbstractSocket::ConnectedState)
            Outcome.closedByPeer = true;
    };
    for (const Step& step : steps) {
        // Once the receiver has closed, the rest of the script has nothing to act on.
        if (!Outcome.connected || Outcome.closedByPeer)
            break;
        switch (step.kind) {
        case Step::Send: {
            const int piece = step.pieceSize > 0 ? step.pieceSize : int(step.bytes.size());
            for (qsizetype at = 0; at < step.bytes.size(); at += piece) {
                if (socket.state() != QAbstractSocket::ConnectedState)
                    break;
                socket.write(step.bytes.mid(at, piece));
                socket.waitForBytesWritten(5000);
            }
            break;
        }
        case Step::Pause:
            std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
            collect();
            break;
        case Step::ReadReply:
            while (pending.size() < 16 && socket.state() == QAbstractSocket::ConnectedState &&
                   (socket.bytesAvailable() > 0 || socket.waitForReadyRead(10000)))
                collect();
            collect();
            if (pending.size() >= 16) {
                Outcome.replies.append(pending.left(16));
                pending.remove(0, 16);
            }
            break;
        case Step::AwaitClose:
            while (socket.state() == QAbstractSocket::ConnectedState &&
                   (socket.bytesAvailable() > 0 || socket.waitForReadyRead(step.ms)))
                collect();
            collect();
            break;
        case Step::Close:
            socket.disconnectFromHost();
            if (socket.state() != QAbstractSocket::UnconnectedState)
                socket.waitForDisconnected(2000);
            break;
        }
    }
    Outcome.extra = pending;
    Done.store(true);
}
