#include "AudioTestSupport.h"

#include "platform/media/QtMedia.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class QtMediaTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = QDir(Dir.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
};

TEST_F(QtMediaTest, OpenReportsFilesThatCannotBePlayed) {
    struct Case {
        const char* name;
        QString path;
    };
    const Case cases[] = {
        {"missing", QDir(Dir.path()).filePath("00000042.wav")},
        {"not a wave", write("garbage.wav", QByteArray(4000, 'x'))},
        {"empty", write("empty.wav", {})},
        {"a folder", Dir.path()},
    };
    QtMedia media;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        media.setFileName(c.path);
        QString error;
        EXPECT_FALSE(media.open(&error));
        EXPECT_TRUE(error.contains(c.path)) << error.toStdString();
        EXPECT_FALSE(media.isOpen());
    }
}

TEST_F(QtMediaTest, PlayingToTheEndNotifiesOnce) {
    QtMedia media;
    QSignalSpy notified(&media, &Media::notify);
    media.setFileName(write("tone.wav", ToneWav(6000, 0.3, 440, 0.5)));
    QString error;
    ASSERT_TRUE(media.open(&error)) << error.toStdString();
    media.play();
    EXPECT_EQ(notified.count(), 0); // asynchronous
    ASSERT_TRUE(notified.wait(15000));
    QTest::qWait(200);
    EXPECT_EQ(notified.count(), 1);
    EXPECT_TRUE(media.isOpen()); // closing is the caller's step
    media.close();
    EXPECT_FALSE(media.isOpen());
}

TEST_F(QtMediaTest, StopNotifiesUnlessClosedAtOnce) {
    const QString tone = write("tone.wav", ToneWav(6000, 3.0, 440, 0.5));
    QtMedia media;
    QSignalSpy notified(&media, &Media::notify);
    media.setFileName(tone);
    ASSERT_TRUE(media.open(nullptr));
    media.play();
    QTest::qWait(100);
    media.stop();
    ASSERT_TRUE(notified.wait(5000));
    EXPECT_EQ(notified.count(), 1);

    // Stop then close, as the Stop command does: the closed file raises nothing more.
    ASSERT_TRUE(media.open(nullptr));
    media.play();
    QTest::qWait(100);
    media.stop();
    media.close();
    QTest::qWait(300);
    EXPECT_EQ(notified.count(), 1);

    // Opening another file in place of a playing one: only the new file's end is notified.
    ASSERT_TRUE(media.open(nullptr));
    media.play();
    media.setFileName(write("short.wav", ToneWav(6000, 0.2, 660, 0.5)));
    ASSERT_TRUE(media.open(nullptr));
    media.play();
    ASSERT_TRUE(notified.wait(15000));
    QTest::qWait(200);
    EXPECT_EQ(notified.count(), 2);
}

// The one test that proves a listener would hear the message: the null sink's monitor is
// recorded while the player plays a tone, and the recording's level is measured.
TEST_F(QtMediaTest, PlayingIsHeardOnTheAudioOutput) {
    const QString why = SinkRecorder::unavailableReason();
    if (!why.isEmpty())
        GTEST_SKIP() << why.toStdString();

    // Silence first: the measurement must be able to tell the difference.
    SinkRecorder quiet;
    const QString quietPath = QDir(Dir.path()).filePath("quiet.wav");
    ASSERT_TRUE(quiet.start(quietPath));
    QTest::qWait(500);
    ASSERT_TRUE(quiet.stop());
    const auto quietLevel = SinkRecorder::maximumAmplitude(quietPath);

    QtMedia media;
    QSignalSpy notified(&media, &Media::notify);
    media.setFileName(write("tone.wav", ToneWav(6000, 1.0, 440, 0.5)));
    ASSERT_TRUE(media.open(nullptr));
    SinkRecorder recorder;
    const QString recorded = QDir(Dir.path()).filePath("recorded.wav");
    ASSERT_TRUE(recorder.start(recorded));
    QTest::qWait(300);
    media.play();
    ASSERT_TRUE(notified.wait(15000));
    QTest::qWait(300);
    ASSERT_TRUE(recorder.stop());

    const auto level = SinkRecorder::maximumAmplitude(recorded);
    ASSERT_TRUE(level.has_value());
    EXPECT_GT(*level, 0.3);
    if (quietLevel) {
        EXPECT_LT(*quietLevel, 0.01);
    }
}

} // namespace
