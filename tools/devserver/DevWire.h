#pragma once

#include <QByteArray>
#include <QString>

// The server side's own view of the record bytes, written straight from the layout tables.
namespace DevWire {

struct Phone {
    QString area;
    QString prefix;
    QString local;
    QString full;
    QString text() const; // "area-local" (or the full number)
};

// Builders of the records the server sends: head (ID, check word, Size) then the body.
QByteArray head(quint8 id, qint32 size);
QByteArray messageNotice(qint32 msgNumber, const Phone& caller, double callTime);
QByteArray serverUp();
QByteArray version(const QString& version, const QString& downloadBase, quint8 optional);
QByteArray incomingCall(const Phone& caller);
QByteArray incomingCallEnd();
QByteArray textMessage(const QString& text);
QByteArray commercial(const QString& link);
QByteArray clientUpResponse(quint8 status, const Phone& serverPhone);
QByteArray clientAliveResponse();
QByteArray registerResponse(qint32 userId, quint8 status);
// A record of any ID and Size with a zero body, cut to `sent` bytes after the header.
QByteArray raw(quint8 id, qint32 size, qsizetype sent);

// Stream-message framing: 4-digit sender text length, the text, 10-digit data length, the data.
QByteArray streamMessage(const QByteArray& senderText, const QByteArray& data);

// Readers of what the client sends.
quint8 id(const QByteArray& record);
qint32 size(const QByteArray& record);
quint16 check(const QByteArray& record);
qint32 int32At(const QByteArray& record, int offset);
quint8 byteAt(const QByteArray& record, int offset);
QString countedAt(const QByteArray& record, int offset, int capacity);
Phone phoneAt(const QByteArray& record, int offset);

} // namespace DevWire
