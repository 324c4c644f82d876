#include "messages/reception/StreamFraming.h"

#include <gtest/gtest.h>

using namespace StreamFraming;

TEST(StreamFraming, ReplyIsOkAndFourteenBlanks) {
    EXPECT_EQ(okReply(), QByteArray("OK              "));
    EXPECT_EQ(okReply().size(), ReplySize);
}

TEST(StreamFraming, LengthFields) {
    struct Case {
        const char* field;
        std::optional<qint64> value;
    };
    const Case cases[] = {
        {"0012", 12},
        {"  12", 12},
        {"0000", 0},
        {"   0", 0},
        {" 0 7", std::nullopt},
        {"    ", std::nullopt},
        {"12  ", std::nullopt},
        {"+012", std::nullopt},
        {"-001", std::nullopt},
        {"0x10", std::nullopt},
        {"9999999999", 9999999999LL},
        {"0000012000", 12000},
        {"       345", 345},
        {"00\t1", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseLengthField(QByteArrayView(c.field)), c.value) << c.field;
    }
}

TEST(StreamFraming, CompleteHeadWithTextAndDataAfterIt) {
    const QByteArray bytes("0005Alice0000000003abc");
    const Head head = parseHead(bytes);
    ASSERT_EQ(head.status, Head::Status::Complete);
    EXPECT_EQ(head.headSize, 19);
    EXPECT_EQ(head.senderText, QByteArray("Alice"));
    EXPECT_EQ(head.dataLength, 3);
    EXPECT_EQ(bytes.mid(head.headSize), QByteArray("abc"));
}

TEST(StreamFraming, EmptyTextAndBlankPaddedLengths) {
    const Head head = parseHead(QByteArray("   0       345"));
    ASSERT_EQ(head.status, Head::Status::Complete);
    EXPECT_EQ(head.headSize, 14);
    EXPECT_TRUE(head.senderText.isEmpty());
    EXPECT_EQ(head.dataLength, 345);
}

TEST(StreamFraming, EveryPrefixOfAHeadNeedsMore) {
    const QByteArray bytes("0003Bob0000012000");
    for (qsizetype n = 0; n < bytes.size(); ++n)
        EXPECT_EQ(parseHead(bytes.first(n)).status, Head::Status::NeedMore) << n;
    EXPECT_EQ(parseHead(bytes).status, Head::Status::Complete);
}

TEST(StreamFraming, BadLengthIsSeenAsSoonAsItsFieldArrives) {
    // The text length is judged on its 4th byte, long before a 9999-byte text could arrive.
    EXPECT_EQ(parseHead(QByteArray("00x5")).status, Head::Status::Malformed);
    EXPECT_EQ(parseHead(QByteArray("00x")).status, Head::Status::NeedMore);
    // The data length is judged once its 10 bytes are there.
    EXPECT_EQ(parseHead(QByteArray("0001A00000000-")).status, Head::Status::NeedMore);
    EXPECT_EQ(parseHead(QByteArray("0001A00000000-1")).status, Head::Status::Malformed);
}

TEST(StreamFraming, LongestHeadFitsTheBound) {
    QByteArray bytes("9999");
    bytes.append(9999, 'x');
    bytes.append("9999999999");
    const Head head = parseHead(bytes);
    ASSERT_EQ(head.status, Head::Status::Complete);
    EXPECT_EQ(head.headSize, MaxHeadSize);
    EXPECT_EQ(head.dataLength, 9999999999LL);
}
