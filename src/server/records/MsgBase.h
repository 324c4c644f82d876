#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Message IDs of the records exchanged with the server.
enum MessageId : quint8 {
    ID_Message_Notice = 1,
    ID_Register_Response = 2,
    ID_Client_Up_Response = 3,
    ID_Server_Up = 4,
    ID_Client_Alive_Response = 5,
    ID_Version = 6,
    ID_Incoming_Call = 7,
    ID_Incoming_Call_End = 8,
    ID_Client_Up = 64,
    ID_Client_Down = 65,
    ID_Register = 66,
    ID_Client_Alive = 67,
    ID_Call_Answer = 69,
    ID_Commercial = 130,
    ID_Text_Message = 140,
};

// The version text this client announces in its records.
inline const QString Client_Version = QStringLiteral("1.29");

// The sender's check word: ((ID + 13) * (Size + 17)) AND 0x7FFF, as 32-bit integers.
quint16 MakeCheck(quint8 id, qint32 size);

// The first 8 bytes of any record: what a receiver reads first to learn the ID and the length.
struct Msg_Header_Type {
    static constexpr int Bytes = 8;

    quint8 ID = 0;
    quint16 Check = 0;
    qint32 Size = 0;

    // Missing bytes read as zero, so a header that did not arrive is ID 0, Size 0.
    static Msg_Header_Type decode(const QByteArray& data);
    void encode(QByteArray& out) const;

    bool operator==(const Msg_Header_Type&) const = default;
};

// The 16-byte head of every record. Failed/ErrorEvent carry the sender's own send outcome.
struct Msg_Base_Type {
    static constexpr int Bytes = 16;

    quint8 ID = 0;
    quint16 Check = 0;
    qint32 Size = 0;
    quint8 Failed = 0;
    quint8 ErrorEvent = 0;

    // A head for a record of this ID and size, with its check word.
    static Msg_Base_Type make(quint8 id, qint32 size);
    static Msg_Base_Type decode(const QByteArray& data);
    void encode(QByteArray& out) const;
    Msg_Header_Type header() const { return {ID, Check, Size}; }
};

// The largest record this program takes for an ID (0 when the ID is not one of ours).
int RecordCapacity(quint8 id);
