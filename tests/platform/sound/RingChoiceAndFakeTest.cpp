#include "platform/sound/FakeSoundPlayer.h"
#include "platform/sound/RingChoice.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(RingChoice, NamedAndRandomRings) {
    const QStringList three{"bell.wav", "chime.wav", "ding.wav", "Random"};
    struct Case {
        const char* name;
        QStringList list;
        QString ringType;
        int draw;  // what the random source returns
        int bound; // the bound it must be asked with; 0: it must not be asked
        QString path;
    };
    const Case cases[] = {
        {"named", three, "chime.wav", 0, 0, "dat/rings/chime.wav"},
        {"named, not in the list", three, "gone.wav", 0, 0, "dat/rings/gone.wav"},
        {"random first", three, "Random", 0, 3, "dat/rings/bell.wav"},
        {"random last file", three, "Random", 2, 3, "dat/rings/ding.wav"},
        {"random, one file", {"only.wav", "Random"}, "Random", 0, 1, "dat/rings/only.wav"},
        {"random, no files", {"Random"}, "Random", 0, 0, "dat/rings/Random"},
        {"random, empty list", {}, "Random", 0, 0, "dat/rings/Random"},
        {"path outside the rings", three, "../../etc/passwd", 0, 0, "dat/rings/Random"},
        {"empty setting", three, "", 0, 0, "dat/rings/Random"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int askedBound = 0;
        const QString path = RingFilePath("dat/rings", c.list, c.ringType, [&](int bound) {
            askedBound = bound;
            return c.draw;
        });
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(askedBound, c.bound);
    }
}

TEST(RingChoice, SystemRandomStaysInRange) {
    QSet<int> seen;
    for (int i = 0; i < 500; ++i) {
        const int v = SystemRandomBelow(3);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 3);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 3);
    EXPECT_EQ(SystemRandomBelow(0), 0);
}

TEST(FakeSoundPlayer, RecordsAndFinishesOnDemand) {
    FakeSoundPlayer fake;
    fake.finishOnDemand = true;
    QSignalSpy finished(&fake, &SoundPlayer::finished);
    fake.play("dat/rings/a.wav");
    fake.play("dat/rings/b.wav");
    QTest::qWait(20);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(fake.played, (QStringList{"dat/rings/a.wav", "dat/rings/b.wav"}));
    EXPECT_TRUE(fake.finishOne());
    EXPECT_TRUE(fake.finishOne());
    EXPECT_FALSE(fake.finishOne());
    EXPECT_EQ(finished.count(), 2);
}

} // namespace
