#pragma once

#include "server/records/MsgBase.h"
#include "server/records/PhoneNumber.h"

#include <QByteArray>
#include <QString>

// Records the server sends. decode() takes the bytes as they arrived (at most Size are used);
// anything the peer did not send keeps the value of a freshly built record. encode() exists for
// tests and for answering as a server would.

struct Message_Notice_Type {
    static constexpr quint8 Id = ID_Message_Notice;
    static constexpr int Size = 68;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    qint32 MsgNumber = 0;     // 16
    Phone_Number_Type Caller; // 20
    double CallTime = 0.0;    // 56, days since 1899-12-30, local time

    QByteArray encode() const;
    static Message_Notice_Type decode(const QByteArray& data);
};

struct Register_Response_Type {
    static constexpr quint8 Id = ID_Register_Response;
    static constexpr int Size = 88;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    qint32 UserId = 0; // 16
    quint8 Status = 0; // 20

    QByteArray encode() const;
    static Register_Response_Type decode(const QByteArray& data);
};

struct Client_Up_Response_Type {
    static constexpr quint8 Id = ID_Client_Up_Response;
    static constexpr int Size = 52;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    quint8 Status = 0;             // 16
    Phone_Number_Type ServerPhone; // 17

    QByteArray encode() const;
    static Client_Up_Response_Type decode(const QByteArray& data);
};

struct Server_Up_Type {
    static constexpr quint8 Id = ID_Server_Up;
    static constexpr int Size = 16;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);

    QByteArray encode() const;
    static Server_Up_Type decode(const QByteArray& data);
};

struct Client_Alive_Response_Type {
    static constexpr quint8 Id = ID_Client_Alive_Response;
    static constexpr int Size = 20;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);

    QByteArray encode() const;
    static Client_Alive_Response_Type decode(const QByteArray& data);
};

struct Version_Type {
    static constexpr quint8 Id = ID_Version;
    static constexpr int Size = 68;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    QString Version = Client_Version; // 16, [6]
    QString DownloadBase;             // 23, [40]
    quint8 Optional = 0;              // 64

    QByteArray encode() const;
    static Version_Type decode(const QByteArray& data);
};

// Accepted with a Size of up to 56; nothing past the caller is read.
struct Incoming_Call_Type {
    static constexpr quint8 Id = ID_Incoming_Call;
    static constexpr int Size = 56;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    Phone_Number_Type Caller; // 16

    QByteArray encode() const;
    static Incoming_Call_Type decode(const QByteArray& data);
};

// Accepted with a Size of up to 20; nothing past the head is read.
struct Incoming_Call_End_Type {
    static constexpr quint8 Id = ID_Incoming_Call_End;
    static constexpr int Size = 20;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);

    QByteArray encode() const;
    static Incoming_Call_End_Type decode(const QByteArray& data);
};

struct Commercial_Type {
    static constexpr quint8 Id = ID_Commercial;
    static constexpr int Size = 276;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    QString Link; // 20, [255]

    QByteArray encode() const;
    static Commercial_Type decode(const QByteArray& data);
};

struct Text_Message_Type {
    static constexpr quint8 Id = ID_Text_Message;
    static constexpr int Size = 272;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    QString Text; // 16, [255]

    QByteArray encode() const;
    static Text_Message_Type decode(const QByteArray& data);
};
