#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMetaType>
#include <QString>

// One stream message received whole and answered. The data waits in a file of the server's
// folder; whoever handles the message owns that file from then on (moves it or deletes it).
struct ReceivedStream {
    QString dataPath;
    qint64 dataSize = 0;
    QByteArray senderText;
    QHostAddress peerAddress;
    quint16 peerPort = 0;
};

Q_DECLARE_METATYPE(ReceivedStream)
