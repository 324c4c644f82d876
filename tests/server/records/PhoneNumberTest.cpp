#include "server/records/PhoneNumber.h"
#include "server/records/CountedString.h"

#include <gtest/gtest.h>

TEST(PhoneNumber, FromAreaCodeAndNumberKeepsCapacities) {
    const Phone_Number_Type p(QStringLiteral("0312"), QStringLiteral("12345678"));
    EXPECT_EQ(p.AreaCode, QStringLiteral("031"));
    EXPECT_EQ(p.LocalNumber, QStringLiteral("1234567"));
    EXPECT_TRUE(p.Prefix.isEmpty());
    EXPECT_TRUE(p.FullNumber.isEmpty());

    QByteArray bytes;
    p.encode(bytes);
    ASSERT_EQ(bytes.size(), Phone_Number_Type::Size);
    EXPECT_EQ(bytes.left(4), QByteArray("\x03"
                                        "031"));
    EXPECT_EQ(bytes.mid(8, 8), QByteArray("\x07"
                                          "1234567"));
}

TEST(PhoneNumber, EncodeCutsOverlongFields) {
    Phone_Number_Type p;
    p.AreaCode = QStringLiteral("12345");
    p.FullNumber = QString(20, QLatin1Char('9'));
    QByteArray bytes;
    p.encode(bytes);
    ASSERT_EQ(bytes.size(), 33);
    const Phone_Number_Type back = Phone_Number_Type::decode(bytes, 0);
    EXPECT_EQ(back.AreaCode, QStringLiteral("123"));
    EXPECT_EQ(back.FullNumber, QString(16, QLatin1Char('9')));
}

TEST(PhoneNumber, DecodeBoundsLengthBytesAndData) {
    QByteArray bytes(33, '7');
    bytes[0] = char(200); // length above the capacity
    bytes[4] = 0;
    bytes[8] = 7;
    bytes[16] = 0;
    const Phone_Number_Type p = Phone_Number_Type::decode(bytes, 0);
    EXPECT_EQ(p.AreaCode, QStringLiteral("777"));
    EXPECT_EQ(p.LocalNumber, QStringLiteral("7777777"));
    // Cut data: fields past the end read as empty, never outside the buffer.
    const Phone_Number_Type cut = Phone_Number_Type::decode(bytes.left(10), 0);
    EXPECT_EQ(cut.LocalNumber, QStringLiteral("7"));
    EXPECT_TRUE(cut.FullNumber.isEmpty());
}

TEST(PhoneNumber, GetDisplayNumberRules) {
    struct Row {
        const char* prefix;
        const char* area;
        const char* local;
        const char* full;
        const char* expected;
    };
    const Row rows[] = {
        {"1", "212", "5551234", "0123456789", "0123456789"}, // FullNumber wins
        {"", "", "", "0123456789", "0123456789"},
        {"1", "212", "5551234", "", "12125551234"}, // prefix, area, number
        {"", "03", "1234567", "", "031234567"},
        {"999", "999", "1234567", "", "9999991234567"}, // 6 + 7 = 13
        {"", "", "", "", ""},
        {"", "", "", "12345678901234567890", "1234567890123456"}, // at most 16
    };
    for (const Row& row : rows) {
        Phone_Number_Type p;
        p.Prefix = QString::fromLatin1(row.prefix);
        p.AreaCode = QString::fromLatin1(row.area);
        p.LocalNumber = QString::fromLatin1(row.local);
        p.FullNumber = QString::fromLatin1(row.full);
        EXPECT_EQ(GetDisplayNumber(p), QString::fromLatin1(row.expected)) << row.expected;
    }
    // Overlong in-memory fields (not yet cut by a copy) still give at most 13 characters.
    Phone_Number_Type wide;
    wide.Prefix = QStringLiteral("12345");
    wide.AreaCode = QStringLiteral("6789");
    wide.LocalNumber = QStringLiteral("0000000000");
    EXPECT_EQ(GetDisplayNumber(wide), QStringLiteral("1234560000000"));
}

TEST(CountedStringTest, PutAndGet) {
    QByteArray out;
    CountedString::put(out, QStringLiteral("abcdef"), 3);
    EXPECT_EQ(out, QByteArray("\x03"
                              "abc"));
    EXPECT_EQ(CountedString::get(out, 0, 3), QStringLiteral("abc"));
    EXPECT_EQ(CountedString::get(out, 10, 3), QString());
    EXPECT_EQ(CountedString::get(out, -1, 3), QString());
}
