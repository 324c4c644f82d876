#include "server/records/MsgBase.h"

#include "server/records/WireBytes.h"

quint16 MakeCheck(quint8 id, qint32 size) {
    const quint32 product = (quint32(id) + 13u) * (static_cast<quint32>(size) + 17u);
    return static_cast<quint16>(product & 0x7FFFu);
}

Msg_Header_Type Msg_Header_Type::decode(const QByteArray& data) {
    const WireReader in(data);
    Msg_Header_Type h;
    h.ID = in.u8(0);
    h.Check = in.u16(2);
    h.Size = in.i32(4);
    return h;
}

void Msg_Header_Type::encode(QByteArray& out) const {
    WireWriter w(out);
    w.u8(ID);
    w.u8(0);
    w.u16(Check);
    w.i32(Size);
}

Msg_Base_Type Msg_Base_Type::make(quint8 id, qint32 size) {
    Msg_Base_Type head;
    head.ID = id;
    head.Size = size;
    head.Check = MakeCheck(id, size);
    return head;
}

Msg_Base_Type Msg_Base_Type::decode(const QByteArray& data) {
    const WireReader in(data);
    Msg_Base_Type head;
    head.ID = in.u8(0);
    head.Check = in.u16(2);
    head.Size = in.i32(4);
    head.Failed = in.u8(8);
    head.ErrorEvent = in.u8(9);
    return head;
}

void Msg_Base_Type::encode(QByteArray& out) const {
    WireWriter w(out);
    header().encode(out);
    w.u8(Failed);
    w.u8(ErrorEvent);
    w.zeros(6);
}

int RecordCapacity(quint8 id) {
    switch (id) {
    case ID_Message_Notice:
        return 68;
    case ID_Register_Response:
        return 88;
    case ID_Client_Up_Response:
        return 52;
    case ID_Server_Up:
        return 16;
    case ID_Client_Alive_Response:
        return 20;
    case ID_Version:
        return 68;
    case ID_Incoming_Call:
        return 56;
    case ID_Incoming_Call_End:
        return 20;
    case ID_Client_Up:
        return 100;
    case ID_Client_Down:
    case ID_Client_Alive:
        return 56;
    case ID_Register:
        return 452;
    case ID_Call_Answer:
        return 20;
    case ID_Commercial:
        return 276;
    case ID_Text_Message:
        return 272;
    default:
        return 0;
    }
}
