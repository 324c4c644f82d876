#include "messages/playback/MessagePlayback.h"

#include "core/Commands.h"
#include "platform/media/FakeMedia.h"
#include "support/FakeMessenger.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class RecordingCommands : public CommandSwitch {
public:
    void setCommandEnabled(Command command, bool enabled) override { State[command] = enabled; }
    bool isCommandEnabled(Command command) const override { return State.value(command, false); }
    QMap<Command, bool> State;
};

class PlaybackTest : public ::testing::Test {
protected:
    PlaybackTest() {
        // Play is on when a message is selected; Stop starts off.
        Commands.setCommandEnabled(Command::Play, true);
        Commands.setCommandEnabled(Command::Stop, false);
    }
    QString wav(const QString& stem) {
        const QString path = QDir(Dir.path()).filePath(stem + ".wav");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
    bool play() const { return Commands.isCommandEnabled(Command::Play); }
    bool stop() const { return Commands.isCommandEnabled(Command::Stop); }

    QTemporaryDir Dir;
    FakeMedia Media;
    RecordingCommands Commands;
    FakeMessenger Messenger;
    MessagePlayback Playback{Media, Commands, Messenger};
    int MarkedRead = 0;
    std::function<void()> markRead = [this] { ++MarkedRead; };
};

TEST_F(PlaybackTest, PlayingRunsUntilTheEndThenPlayIsBack) {
    const QString path = wav("00000042");
    ASSERT_TRUE(Playback.PlayMessage(path, markRead));
    EXPECT_EQ(Media.calls, (QStringList{"open " + path, "play"}));
    EXPECT_FALSE(play());
    EXPECT_TRUE(stop());
    EXPECT_EQ(MarkedRead, 1);
    EXPECT_TRUE(Playback.isPlaying());

    Media.finishPlaying();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Playback.isPlaying(); }, 1000));
    EXPECT_TRUE(play());
    EXPECT_FALSE(stop());
    EXPECT_FALSE(Media.isOpen());
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PlaybackTest, StopMakesPlayAvailableAtOnceAndItsLateNotifyChangesNothing) {
    ASSERT_TRUE(Playback.PlayMessage(wav("00000001"), markRead));
    Playback.StopPlaying();
    EXPECT_TRUE(play());
    EXPECT_FALSE(stop());
    EXPECT_FALSE(Media.isOpen());
    EXPECT_EQ(Media.calls.mid(2), (QStringList{"stop", "close"}));

    // The user plays again before the event loop turns; nothing that follows may end it.
    ASSERT_TRUE(Playback.PlayMessage(wav("00000002"), markRead));
    QTest::qWait(20);
    EXPECT_TRUE(Playback.isPlaying());
    EXPECT_TRUE(stop());
    EXPECT_TRUE(Media.isPlaying());
}

TEST_F(PlaybackTest, AnotherMessageReplacesThePlayingOne) {
    const QString first = wav("00000001");
    const QString second = wav("00000002");
    ASSERT_TRUE(Playback.PlayMessage(first, markRead));
    ASSERT_TRUE(Playback.PlayMessage(second, markRead));
    EXPECT_EQ(Media.calls,
              (QStringList{"open " + first, "play", "close", "open " + second, "play"}));
    EXPECT_EQ(MarkedRead, 2);
    Media.finishPlaying();
    ASSERT_TRUE(QTest::qWaitFor([&] { return play(); }, 1000));
    EXPECT_FALSE(stop());
}

TEST_F(PlaybackTest, MissingWaveFileReportsThePlayersErrorAndStaysUnread) {
    const QString missing = QDir(Dir.path()).filePath("00000007.wav");
    EXPECT_FALSE(Playback.PlayMessage(missing, markRead));
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QString("Nirvo"));
    EXPECT_EQ(Messenger.shown[0].text, QString("The file \"%1\" does not exist.").arg(missing));
    EXPECT_EQ(Messenger.shown[0].kind, mkError);
    EXPECT_EQ(Messenger.shown[0].buttons, mbOK);
    EXPECT_EQ(MarkedRead, 0);
    EXPECT_FALSE(play());
    EXPECT_FALSE(stop());
    EXPECT_FALSE(Playback.isPlaying());
    EXPECT_FALSE(Media.calls.contains("play"));
}

TEST_F(PlaybackTest, FailingToOpenWhilePlayingLeavesNothingToStop) {
    ASSERT_TRUE(Playback.PlayMessage(wav("00000001"), markRead));
    Media.openError = "The device is busy.";
    EXPECT_FALSE(Playback.PlayMessage(wav("00000002"), markRead));
    EXPECT_EQ(Messenger.shown.value(0).text, QString("The device is busy."));
    EXPECT_FALSE(stop());
    EXPECT_FALSE(Media.isOpen());
    EXPECT_EQ(MarkedRead, 1);
}

} // namespace
