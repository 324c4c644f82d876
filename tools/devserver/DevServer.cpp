#include "DevServer.h"

#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

using namespace DevWire;

DevServer::DevServer(const Ports& ports, QObject* parent) : QObject(parent), P(ports) {}

void DevServer::say(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

bool DevServer::listenOn(QTcpServer& server, quint16 port, const char* what) {
    if (port == 0)
        return true;
    if (!server.listen(P.bind, port)) {
        say(QStringLiteral("error: cannot listen for %1 on port %2: %3")
                .arg(QLatin1String(what))
                .arg(port)
                .arg(server.errorString()));
        return false;
    }
    connect(&server, &QTcpServer::newConnection, this, [this, &server] { serve(server); });
    say(QStringLiteral("listening %1 %2").arg(QLatin1String(what)).arg(server.serverPort()));
    return true;
}

bool DevServer::start() {
    return listenOn(Presence, P.presence, "presence") &&
           listenOn(Registration, P.registration, "register");
}

void DevServer::serve(QTcpServer& server) {
    while (QTcpSocket* socket = server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
            while (buffer.size() >= 8) {
                const qint32 length = size(buffer);
                if (length < 8 || length > 1000) {
                    say(QStringLiteral("bad record id=%1 size=%2").arg(id(buffer)).arg(length));
                    socket->abort();
                    return;
                }
                if (buffer.size() < length)
                    break;
                handle(socket, buffer.left(length));
                buffer.remove(0, length);
            }
            socket->setProperty("buffer", buffer);
        });
    }
}

void DevServer::handle(QTcpSocket* socket, const QByteArray& r) {
    switch (id(r)) {
    case 64:
        say(QStringLiteral("client-up user=%1 lastid=%2 phone=%3 version=%4 serverphone=%5 "
                           "check=%6 size=%7")
                .arg(int32At(r, 20))
                .arg(int32At(r, 16))
                .arg(phoneAt(r, 24).text(), countedAt(r, 57, 6), phoneAt(r, 64).text())
                .arg(check(r))
                .arg(size(r)));
        socket->write(clientUpResponse(UpStatus, UpServerPhone));
        say(QStringLiteral("answered client-up status=%1").arg(UpStatus));
        Q_EMIT clientUpAnswered(UpStatus);
        break;
    case 67:
        say(QStringLiteral("client-alive user=%1 phone=%2 check=%3")
                .arg(int32At(r, 16))
                .arg(phoneAt(r, 20).text())
                .arg(check(r)));
        socket->write(clientAliveResponse());
        say(QStringLiteral("answered client-alive"));
        break;
    case 65:
        say(QStringLiteral("client-down user=%1 phone=%2 check=%3")
                .arg(int32At(r, 16))
                .arg(phoneAt(r, 20).text())
                .arg(check(r)));
        break;
    case 66:
        say(QStringLiteral("register nick=%1 email=%2 password=%3 phone=%4 update=%5 user=%6 "
                           "version=%7 check=%8")
                .arg(countedAt(r, 210, 32), countedAt(r, 145, 64), countedAt(r, 309, 16),
                     phoneAt(r, 326).text())
                .arg(byteAt(r, 439))
                .arg(int32At(r, 440))
                .arg(countedAt(r, 444, 6))
                .arg(check(r)));
        socket->write(registerResponse(UserId, RegisterStatus));
        say(QStringLiteral("answered register status=%1 user=%2").arg(RegisterStatus).arg(UserId));
        break;
    default:
        say(QStringLiteral("unknown id=%1 size=%2").arg(id(r)).arg(size(r)));
        break;
    }
}

void DevServer::push(quint16 port, const QByteArray& bytes, int answerBytes, int answerTimeoutMs,
                     Done done) {
    auto* socket = new QTcpSocket(this);
    auto* timer = new QTimer(socket);
    timer->setSingleShot(true);
    auto answer = std::make_shared<QByteArray>();
    auto finished = std::make_shared<bool>(false);
    auto finish = [socket, done, answer, finished](bool delivered) {
        if (*finished)
            return;
        *finished = true;
        socket->disconnect();
        socket->abort();
        socket->deleteLater();
        done(delivered, *answer);
    };
    connect(socket, &QTcpSocket::connected, socket, [socket, bytes, timer, answerTimeoutMs] {
        socket->write(bytes);
        timer->start(answerTimeoutMs);
    });
    connect(socket, &QTcpSocket::readyRead, socket, [socket, answer, answerBytes, finish] {
        answer->append(socket->readAll());
        if (answerBytes > 0 && answer->size() >= answerBytes)
            finish(true);
    });
    connect(socket, &QTcpSocket::disconnected, socket, [finish] { finish(true); });
    connect(timer, &QTimer::timeout, socket, [finish] { finish(true); });
    connect(socket, &QAbstractSocket::errorOccurred, socket,
            [socket, port, finish](QAbstractSocket::SocketError error) {
                if (error == QAbstractSocket::RemoteHostClosedError)
                    return; // the client closing after the record is normal
                if (socket->state() != QAbstractSocket::ConnectedState) {
                    say(QStringLiteral("error: cannot connect to port %1: %2")
                            .arg(port)
                            .arg(socket->errorString()));
                    finish(false);
                }
            });
    socket->connectToHost(P.client, port);
}
