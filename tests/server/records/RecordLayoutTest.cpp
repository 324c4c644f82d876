#include "server/records/ClientRecords.h"
#include "server/records/ServerRecords.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

quint16 checkWord(const QByteArray& bytes) {
    return quint16(quint8(bytes[2]) | (quint8(bytes[3]) << 8));
}

} // namespace

// The whole Client_Up_Type, written out by hand from the layout table.
TEST(RecordLayout, ClientUpGoldenBytes) {
    Client_Up_Type up;
    up.LastId = 5;
    up.UserId = 77;
    up.Phone = Phone_Number_Type(QStringLiteral("03"), QStringLiteral("1234567"));
    up.ServerPhone = Phone_Number_Type(QStringLiteral("03"), QStringLiteral("7654321"));

    const QByteArray expected = hex("40 00 31 23 64 00 00 00  00 00 00 00 00 00 00 00"
                                    "05 00 00 00  4d 00 00 00"
                                    "02 30 33 00  00 00 00 00  07 31 32 33 34 35 36 37"
                                    "00 00000000000000000000000000000000"
                                    "04 31 2e 32 39 00 00"
                                    "02 30 33 00  00 00 00 00  07 37 36 35 34 33 32 31"
                                    "00 00000000000000000000000000000000"
                                    "00 00 00");
    ASSERT_EQ(expected.size(), 100);
    EXPECT_EQ(up.encode().toHex(' '), expected.toHex(' '));

    const Client_Up_Type back = Client_Up_Type::decode(expected);
    EXPECT_EQ(back.LastId, 5);
    EXPECT_EQ(back.UserId, 77);
    EXPECT_EQ(back.Phone, up.Phone);
    EXPECT_EQ(back.ServerPhone, up.ServerPhone);
    EXPECT_EQ(back.Version, QStringLiteral("1.29"));
}

// Every record type: built with its ID, Size and check word, and encoded to exactly Size bytes.
TEST(RecordLayout, BuiltHeadsAndSizes) {
    struct Row {
        QByteArray bytes;
        int id;
        int size;
        int check; // -1: not listed, computed from the rule
    };
    const Row rows[] = {
        {Client_Up_Type().encode(), 64, 100, 9009},
        {Client_Down_Type().encode(), 65, 56, 5694},
        {Register_Type().encode(), 66, 452, 4283},
        {Client_Alive_Type().encode(), 67, 56, 5840},
        {Call_Answer_Type().encode(), 69, 20, 3034},
        {Message_Notice_Type().encode(), 1, 68, -1},
        {Register_Response_Type().encode(), 2, 88, -1},
        {Client_Up_Response_Type().encode(), 3, 52, -1},
        {Server_Up_Type().encode(), 4, 16, -1},
        {Client_Alive_Response_Type().encode(), 5, 20, -1},
        {Version_Type().encode(), 6, 68, -1},
        {Incoming_Call_Type().encode(), 7, 56, -1},
        {Incoming_Call_End_Type().encode(), 8, 20, -1},
        {Commercial_Type().encode(), 130, 276, -1},
        {Text_Message_Type().encode(), 140, 272, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        ASSERT_EQ(row.bytes.size(), row.size);
        EXPECT_EQ(quint8(row.bytes[0]), row.id);
        const int expectedCheck =
            row.check >= 0 ? row.check : ((row.id + 13) * (row.size + 17)) & 0x7FFF;
        EXPECT_EQ(checkWord(row.bytes), expectedCheck);
        EXPECT_EQ(Msg_Header_Type::decode(row.bytes).Size, row.size);
        EXPECT_EQ(quint8(row.bytes[8]), 0) << "Failed is 0 on the wire";
        EXPECT_EQ(RecordCapacity(quint8(row.id)), row.size);
    }
    EXPECT_EQ(RecordCapacity(9), 0);
}

TEST(RecordLayout, RegisterFieldsAtTheirOffsets) {
    Register_Type r;
    r.Address = QString(140, QLatin1Char('a')); // longer than 128: keeps the first 128
    r.EMail = QStringLiteral("e@x");
    r.NickName = QStringLiteral("nick");
    r.Password = QStringLiteral("pw");
    r.Phone = Phone_Number_Type(QStringLiteral("03"), QStringLiteral("1234567"));
    r.ZipCode = QStringLiteral("12345");
    r.Age = QStringLiteral("42");
    r.Country = QStringLiteral("Israel");
    r.State = QStringLiteral("Not");
    r.Update = 1;
    r.UserId = 0x01020304;
    const QByteArray b = r.encode();
    ASSERT_EQ(b.size(), 452);
    EXPECT_EQ(quint8(b[16]), 128);
    EXPECT_EQ(b.mid(17, 128), QByteArray(128, 'a'));
    EXPECT_EQ(b.mid(145, 4), hex("03 65 40 78"));
    EXPECT_EQ(b.mid(210, 5), QByteArray("\x04nick"));
    EXPECT_EQ(b.mid(309, 3), QByteArray("\x02pw"));
    EXPECT_EQ(b.mid(326, 3), QByteArray("\x02"
                                        "03"));
    EXPECT_EQ(b.mid(392, 6), QByteArray("\x05"
                                        "12345"));
    EXPECT_EQ(b.mid(398, 3), QByteArray("\x02"
                                        "42"));
    EXPECT_EQ(b.mid(402, 7), QByteArray("\x06Israel"));
    EXPECT_EQ(b.mid(435, 4), QByteArray("\x03Not"));
    EXPECT_EQ(quint8(b[439]), 1);
    EXPECT_EQ(b.mid(440, 4), hex("04 03 02 01"));
    EXPECT_EQ(b.mid(444, 5), QByteArray("\x04"
                                        "1.29"));
}

TEST(RecordLayout, CallAnswerGoldenBytes) {
    Call_Answer_Type answer;
    answer.Answer = Call_Answer_Type::Declines;
    EXPECT_EQ(answer.encode(), hex("45 00 da 0b 14 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00"));
}

TEST(RecordLayout, MessageNoticeFromServerBytes) {
    QByteArray b = hex("01 ff 00 00 44 00 00 00  00 00 00 00 00 00 00 00" // head, junk reserved
                       "2a 00 00 00"                                      // MsgNumber 42
                       "02 30 33 00  01 39 00 00  07 31 32 33 34 35 36 37"
                       "00 00000000000000000000000000000000"
                       "00 00 00"
                       "0000000010f9e540" // 45000.5
                       "de ad be ef");
    ASSERT_EQ(b.size(), 68);
    const Message_Notice_Type n = Message_Notice_Type::decode(b);
    EXPECT_EQ(n.Head.ID, 1);
    EXPECT_EQ(n.Head.Check, 0) << "a wrong check word is taken as it is";
    EXPECT_EQ(n.MsgNumber, 42);
    EXPECT_EQ(n.Caller.AreaCode, QStringLiteral("03"));
    EXPECT_EQ(n.Caller.Prefix, QStringLiteral("9"));
    EXPECT_EQ(n.Caller.LocalNumber, QStringLiteral("1234567"));
    EXPECT_EQ(n.CallTime, 45000.5);
    EXPECT_EQ(n.encode().mid(16, 48), b.mid(16, 48));
}

TEST(RecordLayout, ServerRecordsFromBytes) {
    QByteArray version = Version_Type().encode();
    version.replace(16, 7,
                    QByteArray("\x06"
                               "1.30ab",
                               7));
    version.replace(23, 10, QByteArray("\x09http://x/", 10));
    version[64] = 1;
    const Version_Type v = Version_Type::decode(version);
    EXPECT_EQ(v.Version, QStringLiteral("1.30ab"));
    EXPECT_EQ(v.DownloadBase, QStringLiteral("http://x/"));
    EXPECT_EQ(v.Optional, 1);

    QByteArray text = Text_Message_Type().encode();
    text.replace(16, 6, QByteArray("\x05Hello", 6));
    EXPECT_EQ(Text_Message_Type::decode(text).Text, QStringLiteral("Hello"));

    QByteArray response = Client_Up_Response_Type().encode();
    response[16] = 1;
    response.replace(17, 4,
                     QByteArray("\x02"
                                "04\0",
                                4));
    response.replace(25, 8,
                     QByteArray("\x07"
                                "7654321",
                                8));
    const Client_Up_Response_Type r = Client_Up_Response_Type::decode(response);
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.ServerPhone, Phone_Number_Type(QStringLiteral("04"), QStringLiteral("7654321")));

    QByteArray reg = Register_Response_Type().encode();
    reg.replace(16, 5, QByteArray("\x10\x27\0\0\x02", 5));
    EXPECT_EQ(Register_Response_Type::decode(reg).UserId, 10000);
    EXPECT_EQ(Register_Response_Type::decode(reg).Status, 2);

    QByteArray banner = Commercial_Type().encode();
    banner.replace(20, 4,
                   QByteArray("\x03"
                              "abc",
                              4));
    EXPECT_EQ(Commercial_Type::decode(banner).Link, QStringLiteral("abc"));
}

// A record shorter than its type (an incoming call cut after the caller) keeps built values for
// the bytes that did not come; bytes past the type's size are never taken.
TEST(RecordLayout, ShortAndLongInputs) {
    Incoming_Call_Type call;
    call.Head.Size = 49;
    call.Caller = Phone_Number_Type(QStringLiteral("02"), QStringLiteral("5556677"));
    const QByteArray shortBytes = call.encode().left(49);
    const Incoming_Call_Type back = Incoming_Call_Type::decode(shortBytes);
    EXPECT_EQ(back.Head.Size, 49);
    EXPECT_EQ(back.Caller, call.Caller);

    QByteArray version = Version_Type().encode().left(16); // only a head arrived
    EXPECT_EQ(Version_Type::decode(version).Version, QStringLiteral("1.29"));

    QByteArray text = Text_Message_Type().encode() + QByteArray(1000, 'x');
    EXPECT_TRUE(Text_Message_Type::decode(text).Text.isEmpty());

    // Nothing at all decodes to the built record, not to a crash.
    EXPECT_EQ(Message_Notice_Type::decode({}).Head.ID, 1);
    EXPECT_EQ(Msg_Header_Type::decode(QByteArray("\x07", 1)).Size, 0);
}
