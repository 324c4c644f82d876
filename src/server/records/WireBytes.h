#pragma once

#include "server/records/PhoneNumber.h"

#include <QByteArray>
#include <QString>

// Little-endian field writers and readers for the fixed-layout records. Every field is put and
// taken byte by byte at its offset, so the in-memory layout of a struct never reaches the wire.
class WireWriter {
public:
    explicit WireWriter(QByteArray& out) : Out(out) {}

    void u8(quint8 value);
    void u16(quint16 value);
    void i32(qint32 value);
    void f64(double value);
    void text(const QString& value, int capacity); // counted string[capacity]
    void phone(const Phone_Number_Type& value);
    void zeros(int count);
    // Pads with zeros (or cuts) so the record is exactly `size` bytes.
    void finish(int size);

private:
    QByteArray& Out;
};

// Reads fields at fixed offsets; a field that lies (partly) outside the data reads as zero/empty.
class WireReader {
public:
    explicit WireReader(const QByteArray& in) : In(in) {}

    quint8 u8(qsizetype offset) const;
    quint16 u16(qsizetype offset) const;
    qint32 i32(qsizetype offset) const;
    double f64(qsizetype offset) const;
    QString text(qsizetype offset, int capacity) const;
    Phone_Number_Type phone(qsizetype offset) const;

private:
    bool has(qsizetype offset, qsizetype width) const {
        return offset >= 0 && width >= 0 && offset <= In.size() - width;
    }
    const QByteArray& In;
};

// A received record laid over a freshly built one: the received bytes (head included) replace the
// built record's first bytes, and whatever the peer did not send keeps its built value. Bytes past
// the built record's size are not taken.
QByteArray OverlayRecord(QByteArray built, const QByteArray& received);
