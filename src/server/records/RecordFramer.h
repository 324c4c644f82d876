#pragma once

#include "server/records/MsgBase.h"

#include <QByteArray>
#include <QList>

// Cuts the byte stream of one connection into records, with no socket involved: the receiving
// side feeds whatever arrived and gets back whole records. The head is judged the moment its 8
// bytes are in, so no more than the largest record of an accepted ID is ever buffered.
//
// A record of an accepted ID is taken when its Size lies between the 16-byte head and the size of
// its record type. Any other header (an ID this port does not take, or a Size it cannot hold)
// is reported as unrecognised and the rest of that record, at most MaxDrop bytes, is dropped.
// When the announced rest is larger than MaxDrop the stream cannot be followed any more and the
// framer gives up (Abort) once MaxDrop bytes are dropped; it also gives up after
// MaxUnrecognised unrecognised records on one connection, so a peer cannot flood the log.
class RecordFramer {
public:
    static constexpr quint32 MaxDrop = 100000;
    static constexpr int MaxUnrecognised = 16;

    struct Event {
        enum Kind {
            NeedMore,     // every byte of the input was used; feed more
            Record,       // `record` holds one whole record of `header.Size` bytes
            Unrecognised, // `header` is dropped (log it); its rest is skipped as it arrives
            Abort,        // the stream cannot be followed; drop the connection
        };
        Kind kind = NeedMore;
        Msg_Header_Type header;
        QByteArray record;
    };

    // `ids`: the IDs this port takes; the largest size of each comes from RecordCapacity.
    explicit RecordFramer(QList<quint8> ids);

    // Takes bytes from the front of `input` until one event is complete or the input is used up.
    // After Abort nothing more is taken.
    Event next(QByteArray& input);

    // True between records (no header or body bytes held, nothing left to drop).
    bool betweenRecords() const;
    // Number of header bytes held of a header not yet complete.
    int partialHeaderBytes() const { return State == Phase::Header ? int(Buffer.size()) : 0; }
    // True while the body of an accepted record is being collected.
    bool inBody() const { return State == Phase::Body; }
    // The header of the record being collected or dropped.
    const Msg_Header_Type& currentHeader() const { return Header; }

private:
    enum class Phase { Header, Body, Drain, Stopped };

    bool accepts(const Msg_Header_Type& header) const;

    QList<quint8> Ids;
    Phase State = Phase::Header;
    Msg_Header_Type Header;
    QByteArray Buffer;
    quint32 DropLeft = 0;
    bool AbortAfterDrop = false;
    int Unrecognised = 0;
};
