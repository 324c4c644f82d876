#pragma once

#include "DevWire.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <functional>

// The server's ports on this machine (presence and registration) and its pushes to the client's
// ports. Everything it sees and does is printed as one line on standard output.
class DevServer : public QObject {
    Q_OBJECT
public:
    struct Ports {
        QHostAddress client = QHostAddress::LocalHost;
        QHostAddress bind = QHostAddress::LocalHost;
        quint16 listen = 2711;
        quint16 voice = 1912;
        quint16 banner = 1812;
        quint16 picture = 7310;
        quint16 presence = 2710; // 0: not served
        quint16 registration = 2805;
    };
    using Done = std::function<void(bool delivered, const QByteArray& answer)>;

    explicit DevServer(const Ports& ports, QObject* parent = nullptr);
    bool start();
    const Ports& ports() const { return P; }

    // Answers given to the client's records.
    quint8 UpStatus = 0;
    DevWire::Phone UpServerPhone;
    quint8 RegisterStatus = 0;
    qint32 UserId = 1000;

    // Connects to the client's `port`, sends `bytes`, then waits for `answerBytes` bytes (0: for
    // the client to close, at most a short while) and reports.
    void push(quint16 port, const QByteArray& bytes, int answerBytes, int answerTimeoutMs,
              Done done);

    static void say(const QString& line);

Q_SIGNALS:
    void clientUpAnswered(quint8 status);

private:
    bool listenOn(QTcpServer& server, quint16 port, const char* what);
    void serve(QTcpServer& server);
    void handle(QTcpSocket* socket, const QByteArray& record);

    Ports P;
    QTcpServer Presence;
    QTcpServer Registration;
};
