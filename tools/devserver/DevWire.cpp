#include "DevWire.h"

#include <QtEndian>
#include <algorithm>
#include <bit>

namespace DevWire {

namespace {

void putInt32(QByteArray& out, qint32 value) {
    char b[4];
    qToLittleEndian(value, b);
    out.append(b, 4);
}

void putCounted(QByteArray& out, const QString& text, int capacity) {
    const QByteArray bytes = text.toLatin1().left(capacity);
    out.append(char(bytes.size()));
    out.append(bytes);
    out.append(QByteArray(capacity - bytes.size(), '\0'));
}

void putPhone(QByteArray& out, const Phone& p) {
    putCounted(out, p.area, 3);
    putCounted(out, p.prefix, 3);
    putCounted(out, p.local, 7);
    putCounted(out, p.full, 16);
}

QByteArray padded(QByteArray out, int size) {
    out.resize(size, '\0');
    return out;
}

} // namespace

QString Phone::text() const {
    return full.isEmpty() ? prefix + area + QLatin1Char('-') + local : full;
}

QByteArray head(quint8 id, qint32 size) {
    QByteArray out;
    out.append(char(id));
    out.append('\0');
    const quint16 checkWord = quint16(((quint32(id) + 13u) * (quint32(size) + 17u)) & 0x7FFFu);
    char c[2];
    qToLittleEndian(checkWord, c);
    out.append(c, 2);
    putInt32(out, size);
    out.append(QByteArray(8, '\0'));
    return out;
}

QByteArray messageNotice(qint32 msgNumber, const Phone& caller, double callTime) {
    QByteArray out = head(1, 68);
    putInt32(out, msgNumber);
    putPhone(out, caller);
    out.append(QByteArray(3, '\0'));
    char b[8];
    qToLittleEndian(std::bit_cast<quint64>(callTime), b);
    out.append(b, 8);
    return padded(out, 68);
}

QByteArray serverUp() {
    return head(4, 16);
}

QByteArray version(const QString& versionText, const QString& downloadBase, quint8 optional) {
    QByteArray out = head(6, 68);
    putCounted(out, versionText, 6);
    putCounted(out, downloadBase, 40);
    out.append(char(optional));
    return padded(out, 68);
}

QByteArray incomingCall(const Phone& caller) {
    QByteArray out = head(7, 56);
    putPhone(out, caller);
    return padded(out, 56);
}

QByteArray incomingCallEnd() {
    return padded(head(8, 20), 20);
}

QByteArray textMessage(const QString& text) {
    QByteArray out = head(140, 272);
    putCounted(out, text, 255);
    return padded(out, 272);
}

QByteArray commercial(const QString& link) {
    QByteArray out = head(130, 276);
    out.append(QByteArray(4, '\0'));
    putCounted(out, link, 255);
    return padded(out, 276);
}

QByteArray clientUpResponse(quint8 status, const Phone& serverPhone) {
    QByteArray out = head(3, 52);
    out.append(char(status));
    putPhone(out, serverPhone);
    return padded(out, 52);
}

QByteArray clientAliveResponse() {
    return padded(head(5, 20), 20);
}

QByteArray registerResponse(qint32 userId, quint8 status) {
    QByteArray out = head(2, 88);
    putInt32(out, userId);
    out.append(char(status));
    return padded(out, 88);
}

QByteArray raw(quint8 id, qint32 size, qsizetype sent) {
    QByteArray out = head(id, size).left(8);
    out.append(QByteArray(sent, '\0'));
    return out;
}

QByteArray streamMessage(const QByteArray& senderText, const QByteArray& data) {
    QByteArray out = QByteArray::number(senderText.size()).rightJustified(4, '0');
    out.append(senderText);
    out.append(QByteArray::number(data.size()).rightJustified(10, '0'));
    out.append(data);
    return out;
}

quint8 id(const QByteArray& record) {
    return byteAt(record, 0);
}

qint32 size(const QByteArray& record) {
    return int32At(record, 4);
}

quint16 check(const QByteArray& record) {
    return record.size() >= 4 ? qFromLittleEndian<quint16>(record.constData() + 2) : 0;
}

qint32 int32At(const QByteArray& record, int offset) {
    return record.size() >= offset + 4 ? qFromLittleEndian<qint32>(record.constData() + offset) : 0;
}

quint8 byteAt(const QByteArray& record, int offset) {
    return record.size() > offset ? quint8(record[offset]) : 0;
}

QString countedAt(const QByteArray& record, int offset, int capacity) {
    if (record.size() <= offset)
        return {};
    const int length = std::min<int>(byteAt(record, offset), capacity);
    return QString::fromLatin1(record.mid(offset + 1, length));
}

Phone phoneAt(const QByteArray& record, int offset) {
    return {countedAt(record, offset, 3), countedAt(record, offset + 4, 3),
            countedAt(record, offset + 8, 7), countedAt(record, offset + 16, 16)};
}

} // namespace DevWire
