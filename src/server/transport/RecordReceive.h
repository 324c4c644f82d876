#pragma once

#include "server/records/MsgBase.h"

#include <QByteArray>
#include <QString>

// The receiving steps of a read handler, over the bytes a RecordReader hands over.

// The header at the start of `received`; ID 0 and Size 0 when fewer than 8 bytes came.
Msg_Header_Type ReceiveHeader(const QByteArray& received);

// Fills `record` from the whole record's bytes, head included; the reserved and status bytes of
// the head then hold the peer's values. Bytes past the record type's size are not taken.
template <class R>
void ReceiveRest(R& record, const Msg_Header_Type& header, const QByteArray& received) {
    Q_UNUSED(header);
    record = R::decode(received);
}

// The log line for a record that is dropped unread: "Unknown message received at port <peer
// port> ID = <id> Size = <size>", the numbers read as unsigned. Dropping its bytes is the
// framer's part (at most 100000).
void DropUnrecognised(const Msg_Header_Type& header, quint16 peerPort);
QString UnrecognisedLine(const Msg_Header_Type& header, quint16 peerPort);
