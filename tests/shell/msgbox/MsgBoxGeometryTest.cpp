#include "shell/msgbox/MsgBoxGeometry.h"

#include <gtest/gtest.h>

namespace {

struct HeightCase {
    int labelHeight; // the label stands at top 8, so its bottom is 8 + this
    MsgButtons buttons;
    int clientHeight;
    int stripHeight;
};

TEST(MsgBoxGeometry, HeightFollowsLabelBottomAndButtons) {
    const HeightCase cases[] = {
        {13, mbOK, 72, 40},       // bottom 21: one line, the picture decides
        {24, mbOK, 72, 40},       // bottom 32: not below the picture yet
        {25, mbOK, 83, 40},       // bottom 33: the label decides
        {39, mbOKCancel, 97, 40}, // bottom 47
        {13, mbNone, 32, 0},      // no buttons: no strip, 40 less
        {39, mbNone, 57, 0},
    };
    for (const HeightCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "label height " << c.labelHeight << " buttons " << int(c.buttons));
        const MsgBoxGeometry g = ComputeMsgBoxGeometry(QSize(100, c.labelHeight), c.buttons);
        EXPECT_EQ(g.client.height(), c.clientHeight);
        EXPECT_EQ(g.stripHeight, c.stripHeight);
    }
}

TEST(MsgBoxGeometry, PictureIsCentredAboveTheStripWithHalvesToEven) {
    // (client height - strip) / 2 rounded half to even, minus 16.
    struct Case {
        int labelHeight;
        MsgButtons buttons;
        int pictureTop;
    } cases[] = {
        {13, mbOK, 0},    // (72-40)/2 = 16 -> 0
        {25, mbOK, 6},    // (83-40)/2 = 21.5 -> 22 -> 6
        {39, mbOK, 12},   // (97-40)/2 = 28.5 -> 28 -> 12
        {27, mbOK, 6},    // (85-40)/2 = 22.5 -> 22 -> 6
        {39, mbNone, 12}, // 57/2 = 28.5 -> 28 -> 12
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labelHeight);
        EXPECT_EQ(ComputeMsgBoxGeometry(QSize(100, c.labelHeight), c.buttons).pictureTop,
                  c.pictureTop);
    }
}

TEST(MsgBoxGeometry, WidthIsLabelWidthPlus102WithAFloor) {
    EXPECT_EQ(ComputeMsgBoxGeometry(QSize(198, 13), mbOK).client.width(), 300);
    EXPECT_EQ(ComputeMsgBoxGeometry(QSize(13, 13), mbOK).client.width(), 115);
    EXPECT_EQ(ComputeMsgBoxGeometry(QSize(2, 13), mbOK).client.width(), 115);
}

TEST(MsgBoxGeometry, ButtonsStandAtThirdsOrCentre) {
    const MsgBoxGeometry two = ComputeMsgBoxGeometry(QSize(198, 13), mbOKCancel);
    ASSERT_TRUE(two.hasOK && two.hasCancel);
    EXPECT_EQ(two.okPos, QPoint(77, 32));
    EXPECT_EQ(two.cancelPos, QPoint(177, 32));

    const MsgBoxGeometry one = ComputeMsgBoxGeometry(QSize(198, 39), mbOK);
    ASSERT_TRUE(one.hasOK);
    EXPECT_FALSE(one.hasCancel);
    EXPECT_EQ(one.okPos, QPoint(127, 97 - 40));

    // A lone Cancel is placed first, so it is centred too.
    const MsgBoxGeometry cancelOnly = ComputeMsgBoxGeometry(QSize(198, 13), 2);
    EXPECT_FALSE(cancelOnly.hasOK);
    EXPECT_EQ(cancelOnly.cancelPos, QPoint(127, 32));

    // 301 / 3 = 100.33 -> step 100; 115 / 2 = 57.5 -> 58 (even).
    EXPECT_EQ(ComputeMsgBoxGeometry(QSize(199, 13), mbOKCancel).cancelPos.x(), 177);
    EXPECT_EQ(ComputeMsgBoxGeometry(QSize(0, 13), mbOK).okPos.x(), 58 - 23);
}

TEST(MsgBoxGeometry, RoundHalfEven) {
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {28.5, 28},
                                            {57.5, 58}, {21.4, 21}, {21.6, 22}, {16.0, 16}};
    for (auto [value, expected] : cases)
        EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

} // namespace
