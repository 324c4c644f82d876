#include "messages/store/CallData.h"
#include "MessageFixture.h"
#include "messages/store/CallTime.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

TEST(InfoFile, IsFortyFiveLittleEndianBytesInFieldOrder) {
    Call_Info_Type info;
    info.MsgNumber = 0x01020304;
    info.Caller.AreaCode = QStringLiteral("03");
    info.Caller.LocalNumber = QStringLiteral("5551234");
    info.CallTime = 36526.5; // 1 January 2000, noon
    const QByteArray bytes = info.encode();
    ASSERT_EQ(bytes.size(), 45);
    EXPECT_EQ(bytes.left(4), QByteArray::fromHex("04030201"));
    EXPECT_EQ(bytes.mid(4, 4), QByteArray("\x02"
                                          "03\0",
                                          4)); // AreaCode, string[3]
    EXPECT_EQ(bytes.mid(12, 8), QByteArray("\x07"
                                           "5551234",
                                           8));         // LocalNumber at 4+8
    EXPECT_EQ(bytes.mid(20, 17), QByteArray(17, '\0')); // empty FullNumber
    EXPECT_EQ(bytes.mid(37, 8), QByteArray::fromHex("00000000d0d5e140"));
    const Call_Info_Type back = Call_Info_Type::decode(bytes);
    EXPECT_EQ(back.MsgNumber, info.MsgNumber);
    EXPECT_EQ(back.Caller, info.Caller);
    EXPECT_EQ(back.CallTime, info.CallTime);
}

TEST(InfoFile, ShortDataKeepsWhatIsThereAndZeroesTheRest) {
    Call_Info_Type info;
    info.MsgNumber = 77;
    info.Caller.FullNumber = QStringLiteral("0123456789");
    info.CallTime = 40000.25;
    const QByteArray whole = info.encode();
    struct Case {
        int size;
        qint32 number;
        QString fullNumber;
        double time;
    };
    const Case cases[] = {
        {0, 0, QString(), 0},
        {3, 0, QString(), 0},
        {4, 77, QString(), 0},
        {25, 77, QStringLiteral("0123"), 0},
        {44, 77, QStringLiteral("0123456789"), 0},
        {45, 77, QStringLiteral("0123456789"), 40000.25},
    };
    for (const Case& c : cases) {
        const Call_Info_Type got = Call_Info_Type::decode(whole.left(c.size));
        EXPECT_EQ(got.MsgNumber, c.number) << c.size;
        EXPECT_EQ(got.Caller.FullNumber, c.fullNumber) << c.size;
        EXPECT_EQ(got.CallTime, c.time) << c.size;
    }
    // Extra bytes after the record are not part of it.
    EXPECT_EQ(Call_Info_Type::decode(whole + "garbage").MsgNumber, 77);
}

TEST(InfoFile, MessageFileNameIsAtLeastEightDigits) {
    const std::pair<qint32, const char*> cases[] = {
        {7, "00000007"}, {42, "00000042"}, {123456789, "123456789"}, {0, "00000000"}};
    for (const auto& [number, stem] : cases)
        EXPECT_EQ(MessageFileName(number), QString::fromLatin1(stem));
}

TEST(InfoFile, RecordPathsFollowFolderStemAndExtension) {
    const Call_Data_Type rec(7, UnreadExtension, QStringLiteral("dat/calls/inbox/"), 0, {});
    EXPECT_EQ(rec.GetInfoPath(), QStringLiteral("dat/calls/inbox/00000007.cxn"));
    EXPECT_EQ(rec.GetBasePath(), QStringLiteral("dat/calls/inbox/00000007"));
    EXPECT_EQ(rec.GetInfoName(), QStringLiteral("00000007.cxn"));
    EXPECT_EQ(rec.GetWavName(), QStringLiteral("00000007.wav"));
    EXPECT_EQ(rec.GetWavPath(), QStringLiteral("dat/calls/inbox/00000007.wav"));
    EXPECT_TRUE(rec.IsUnread());
}

TEST(InfoFile, WrittenWholeAndReadBack) {
    TempProgramFolder folder(false);
    QDir().mkpath(folder.dat(QStringLiteral("calls/inbox")));
    const Call_Info_Type info = PutMessage(QStringLiteral("dat/calls/inbox/"), 7,
                                           QStringLiteral("0123"), QDateTime::currentDateTime());
    EXPECT_EQ(folder.readFile(QStringLiteral("dat/calls/inbox/00000007.cxn")).size(), 45);
    const auto back = ReadInfoFile(QStringLiteral("dat/calls/inbox/00000007.cxn"));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->encode(), info.encode());
    EXPECT_FALSE(ReadInfoFile(QStringLiteral("dat/calls/inbox/missing.cxn")).has_value());
}

TEST(CallTime, DaysSinceTheEndOf1899) {
    struct Case {
        double days;
        QDateTime when;
    };
    const Case cases[] = {
        {0.0, QDateTime(QDate(1899, 12, 30), QTime(0, 0))},
        {36526.5, QDateTime(QDate(2000, 1, 1), QTime(12, 0))},
        {2.75, QDateTime(QDate(1900, 1, 1), QTime(18, 0))},
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0))},
        {36526.99999999999, QDateTime(QDate(2000, 1, 2), QTime(0, 0))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CallTime::toDateTime(c.days), c.when) << c.days;
        if (c.days != 36526.99999999999) {
            EXPECT_DOUBLE_EQ(CallTime::fromDateTime(c.when), c.days);
        }
    }
    for (double bad : {std::nan(""), double(INFINITY), 1e300, -1e12})
        EXPECT_FALSE(CallTime::toDateTime(bad).isValid()) << bad;
}

TEST(CallTime, ListTextLeavesOutMidnightAndTimeZone) {
    const CallTime::Formatter format{QLocale(QLocale::English, QLocale::UnitedStates)};
    EXPECT_EQ(format.format(36526.0), QStringLiteral("1/1/00"));
    EXPECT_EQ(format.format(36526.5), QStringLiteral("1/1/00 12:00:00 PM"));
    EXPECT_EQ(format.format(std::nan("")), QString());
    const CallTime::Formatter german{QLocale(QLocale::German, QLocale::Germany)};
    EXPECT_EQ(german.format(36526.75), QStringLiteral("01.01.00 18:00:00"));
}
