#include "server/transport/RecordReceive.h"

#include "core/ActivityLog.h"

Msg_Header_Type ReceiveHeader(const QByteArray& received) {
    if (received.size() < Msg_Header_Type::Bytes)
        return {};
    return Msg_Header_Type::decode(received);
}

QString UnrecognisedLine(const Msg_Header_Type& header, quint16 peerPort) {
    return QStringLiteral("Unknown message received at port %1 ID = %2 Size = %3")
        .arg(peerPort)
        .arg(unsigned(header.ID))
        .arg(static_cast<quint32>(header.Size));
}

void DropUnrecognised(const Msg_Header_Type& header, quint16 peerPort) {
    WriteLog(UnrecognisedLine(header, peerPort));
}
