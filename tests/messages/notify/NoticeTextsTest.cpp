// The ring chosen for a call under the live settings.
#include "messages/notify/NoticeTexts.h"
#include "settings/LiveSettings.h"

#include <gtest/gtest.h>

TEST(ChooseRingTest, FollowsTheRingSettings) {
    const QStringList rings = {QStringLiteral("Beeper.wav"), QStringLiteral("Chime.wav"),
                               QStringLiteral("Random")};
    const auto second = [](int bound) { return bound > 1 ? 1 : 0; };
    const struct {
        bool ring;
        const char* type;
        QStringList list;
        std::optional<QString> expected;
    } cases[] = {
        {false, "Chime.wav", rings, std::nullopt},
        {true, "Chime.wav", rings, QStringLiteral("dat/rings/Chime.wav")},
        {true, "Random", rings, QStringLiteral("dat/rings/Chime.wav")},
        {true,
         "Random",
         {QStringLiteral("Beeper.wav"), QStringLiteral("Random")},
         QStringLiteral("dat/rings/Beeper.wav")},
        {true, "../../etc/passwd", rings, QStringLiteral("dat/rings/Random")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        LiveSettings settings;
        settings.Ring = c.ring;
        settings.RingType = QLatin1String(c.type);
        EXPECT_EQ(ChooseRing(settings, QStringLiteral("dat/rings"), c.list, second), c.expected);
    }
}
