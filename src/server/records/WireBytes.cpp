#include "server/records/WireBytes.h"

#include "server/records/CountedString.h"

#include <QtEndian>
#include <bit>

void WireWriter::u8(quint8 value) {
    Out.append(static_cast<char>(value));
}

void WireWriter::u16(quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    Out.append(bytes, 2);
}

void WireWriter::i32(qint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    Out.append(bytes, 4);
}

void WireWriter::f64(double value) {
    char bytes[8];
    qToLittleEndian(std::bit_cast<quint64>(value), bytes);
    Out.append(bytes, 8);
}

void WireWriter::text(const QString& value, int capacity) {
    CountedString::put(Out, value, capacity);
}

void WireWriter::phone(const Phone_Number_Type& value) {
    value.encode(Out);
}

void WireWriter::zeros(int count) {
    if (count > 0)
        Out.append(QByteArray(count, '\0'));
}

void WireWriter::finish(int size) {
    if (Out.size() < size)
        zeros(static_cast<int>(size - Out.size()));
    else
        Out.truncate(size);
}

quint8 WireReader::u8(qsizetype offset) const {
    return has(offset, 1) ? static_cast<quint8>(In[offset]) : 0;
}

quint16 WireReader::u16(qsizetype offset) const {
    return has(offset, 2) ? qFromLittleEndian<quint16>(In.constData() + offset) : 0;
}

qint32 WireReader::i32(qsizetype offset) const {
    return has(offset, 4) ? qFromLittleEndian<qint32>(In.constData() + offset) : 0;
}

double WireReader::f64(qsizetype offset) const {
    return has(offset, 8)
               ? std::bit_cast<double>(qFromLittleEndian<quint64>(In.constData() + offset))
               : 0.0;
}

QString WireReader::text(qsizetype offset, int capacity) const {
    return CountedString::get(In, offset, capacity);
}

Phone_Number_Type WireReader::phone(qsizetype offset) const {
    return Phone_Number_Type::decode(In, offset);
}

QByteArray OverlayRecord(QByteArray built, const QByteArray& received) {
    const qsizetype n = std::min(built.size(), received.size());
    built.replace(qsizetype(0), n, received.constData(), n);
    return built;
}
