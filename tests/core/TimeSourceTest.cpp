#include "core/TimeSource.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(TimeSource, SpeedScalesDurationsAndTicks) {
    TimeSource fast(1000.0);
    EXPECT_EQ(fast.realMs(15000), 15);
    EXPECT_EQ(fast.realMs(1), 1);
    EXPECT_EQ(fast.realMs(0), 0);
    const quint32 before = fast.tickCount();
    QTest::qSleep(20);
    EXPECT_GE(TimeSource::elapsed(before, fast.tickCount()), 15000u);
}

TEST(TimeSource, ElapsedIsRightAcrossTheWrap) {
    TimeSource nearWrap(1.0, 0xFFFFFFF0u);
    const quint32 start = nearWrap.tickCount();
    QTest::qSleep(40);
    const quint32 now = nearWrap.tickCount();
    EXPECT_LT(now, start); // wrapped
    EXPECT_GE(TimeSource::elapsed(start, now), 40u);
    EXPECT_LT(TimeSource::elapsed(start, now), 5000u);
}
