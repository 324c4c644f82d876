#pragma once

#include "server/records/MsgBase.h"
#include "server/records/PhoneNumber.h"

#include <QByteArray>
#include <QString>

// Records this client builds and sends. encode() gives exactly Size bytes; decode() reads what a
// peer sent (the development server and the tests use it), missing bytes keeping built values.

struct Client_Up_Type {
    static constexpr quint8 Id = ID_Client_Up;
    static constexpr int Size = 100;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    qint32 LastId = 0;                // 16
    qint32 UserId = 0;                // 20
    Phone_Number_Type Phone;          // 24
    QString Version = Client_Version; // 57, counted string[6]
    Phone_Number_Type ServerPhone;    // 64

    QByteArray encode() const;
    static Client_Up_Type decode(const QByteArray& data);
};

// Client_Down_Type and Client_Alive_Type share their body.
struct Client_Down_Type {
    static constexpr quint8 Id = ID_Client_Down;
    static constexpr int Size = 56;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    qint32 UserId = 0;       // 16
    Phone_Number_Type Phone; // 20

    QByteArray encode() const;
    static Client_Down_Type decode(const QByteArray& data);
};

struct Client_Alive_Type {
    static constexpr quint8 Id = ID_Client_Alive;
    static constexpr int Size = 56;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    qint32 UserId = 0;       // 16
    Phone_Number_Type Phone; // 20

    QByteArray encode() const;
    static Client_Alive_Type decode(const QByteArray& data);
};

struct Register_Type {
    static constexpr quint8 Id = ID_Register;
    static constexpr int Size = 452;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    QString Address;                  // 16, [128]
    QString EMail;                    // 145, [64]
    QString NickName;                 // 210, [32]
    QString FirstName;                // 243, [32]
    QString LastName;                 // 276, [32]
    QString Password;                 // 309, [16]
    Phone_Number_Type Phone;          // 326
    Phone_Number_Type SecondPhone;    // 359
    QString ZipCode;                  // 392, [5]
    QString Age;                      // 398, [3]
    QString Country;                  // 402, [32]
    QString State;                    // 435, [3]
    quint8 Update = 0;                // 439
    qint32 UserId = 0;                // 440
    QString Version = Client_Version; // 444, [6]

    QByteArray encode() const;
    static Register_Type decode(const QByteArray& data);
};

struct Call_Answer_Type {
    static constexpr quint8 Id = ID_Call_Answer;
    static constexpr int Size = 20;
    static constexpr quint8 WillAnswer = 0;
    static constexpr quint8 Declines = 1;
    Msg_Base_Type Head = Msg_Base_Type::make(Id, Size);
    quint8 Answer = WillAnswer; // 16

    QByteArray encode() const;
    static Call_Answer_Type decode(const QByteArray& data);
};
