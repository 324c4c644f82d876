#include "AudioTestSupport.h"

#include "platform/sound/QtSoundPlayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(dir.path()).filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

TEST(QtSoundPlayer, EveryPlayFinishesOnceInOrderAndUnplayableRingsPlayTheDefault) {
    QTemporaryDir dir;
    const QString ring = writeFile(dir, "bell.wav", ToneWav(8000, 0.2, 880, 0.5));
    const QString garbage = writeFile(dir, "broken.wav", "RIFF....not a wave at all");
    const QString missing = QDir(dir.path()).filePath("Random");

    QtSoundPlayer player;
    QList<QUrl> finishedWith;
    QObject::connect(&player, &SoundPlayer::finished,
                     [&] { finishedWith.append(player.lastSource()); });
    player.play(ring);
    player.play(missing);
    player.play(garbage);
    EXPECT_TRUE(finishedWith.isEmpty()); // nothing finishes inside play()
    ASSERT_TRUE(QTest::qWaitFor([&] { return finishedWith.size() == 3; }, 20000));
    QTest::qWait(200);
    ASSERT_EQ(finishedWith.size(), 3);
    EXPECT_EQ(finishedWith[0], QUrl::fromLocalFile(ring));
    EXPECT_EQ(finishedWith[1], QtSoundPlayer::defaultSound());
    EXPECT_EQ(finishedWith[2], QtSoundPlayer::defaultSound());
}

TEST(QtSoundPlayer, TheBundledDefaultSoundIsAShortPlayableWave) {
    QFile file(":/nirvo/sounds/default-ring.wav");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto info = ParseWavHeader(bytes, bytes.size());
    ASSERT_TRUE(info);
    EXPECT_GT(info->durationMs(), 200);
    EXPECT_LT(info->durationMs(), 3000);
}

TEST(QtSoundPlayer, RingIsHeardOnTheAudioOutput) {
    const QString why = SinkRecorder::unavailableReason();
    if (!why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    QTemporaryDir dir;
    const QString ring = writeFile(dir, "bell.wav", ToneWav(8000, 0.8, 440, 0.5));
    const QString recorded = QDir(dir.path()).filePath("recorded.wav");
    QtSoundPlayer player;
    QSignalSpy finished(&player, &SoundPlayer::finished);
    SinkRecorder recorder;
    ASSERT_TRUE(recorder.start(recorded));
    QTest::qWait(300);
    player.play(ring);
    ASSERT_TRUE(finished.wait(15000));
    QTest::qWait(300);
    ASSERT_TRUE(recorder.stop());
    const auto level = SinkRecorder::maximumAmplitude(recorded);
    ASSERT_TRUE(level.has_value());
    EXPECT_GT(*level, 0.3);
}

} // namespace
