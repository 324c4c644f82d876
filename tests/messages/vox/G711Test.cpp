#include "messages/vox/G711.h"

#include <gtest/gtest.h>

TEST(G711, KnownPoints) {
    struct Case {
        bool alaw;
        uchar code;
        qint16 value;
    };
    const Case cases[] = {
        {true, 0xd5, 8},   {true, 0x55, -8},      {true, 0xaa, 32256},  {true, 0x2a, -32256},
        {true, 0xd4, 24},  {true, 0x80, 5504},    {true, 0x00, -5504},  {false, 0xff, 0},
        {false, 0x7f, 0},  {false, 0x00, -32124}, {false, 0x80, 32124}, {false, 0xfe, 8},
        {false, 0x7e, -8}, {false, 0xf0, 120},    {false, 0xe0, 372},   {false, 0x70, -120},
    };
    for (const Case& c : cases) {
        const qint16 got = c.alaw ? G711::alawToLinear(c.code) : G711::ulawToLinear(c.code);
        EXPECT_EQ(got, c.value) << (c.alaw ? "A-law " : "mu-law ") << int(c.code);
    }
}

TEST(G711, TablesAreOddSymmetricAndMonotonicInMagnitude) {
    // Flipping the sign bit negates the value; within one sign, magnitude grows with the code's
    // magnitude (A-law codes carry inverted even bits, µ-law codes are fully inverted).
    for (int code = 0; code < 128; ++code) {
        EXPECT_EQ(G711::alawToLinear(uchar(code)), -G711::alawToLinear(uchar(code | 0x80)));
        EXPECT_EQ(G711::ulawToLinear(uchar(code)), -G711::ulawToLinear(uchar(code | 0x80)));
    }
    for (int m = 1; m < 128; ++m) {
        EXPECT_GT(G711::alawToLinear(uchar((m ^ 0x55) | 0x80)),
                  G711::alawToLinear(uchar(((m - 1) ^ 0x55) | 0x80)));
        EXPECT_GT(G711::ulawToLinear(uchar((~m & 0x7f) | 0x80)),
                  G711::ulawToLinear(uchar((~(m - 1) & 0x7f) | 0x80)));
    }
}
