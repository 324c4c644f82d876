// The players the program uses: proxies that load the sound module from a file on first use.
#include "AudioTestSupport.h"

#include "core/ActivityLog.h"
#include "platform/audio/AudioModule.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ModuleAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        ASSERT_TRUE(Log.open(Dir.filePath("log.txt")));
        InstallActivityLog(&Log);
    }
    void TearDown() override { InstallActivityLog(nullptr); }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = Dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QStringList logLinesWith(const QString& text) {
        QFile file(Log.path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList found;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n")))
            if (line.contains(text))
                found.append(line);
        return found;
    }

    QTemporaryDir Dir;
    ActivityLog Log;
};

TEST_F(ModuleAudioTest, WithoutTheModuleRingsEndAtOnceAndMessagesCannotBeOpened) {
    AudioModule::setFile(Dir.filePath("no-such-module.so"));
    ModuleSoundPlayer ring;
    QSignalSpy finished(&ring, &SoundPlayer::finished);
    ring.play(write("bell.wav", ToneWav(8000, 0.2, 880, 0.5)));
    ring.play(Dir.filePath("Random"));
    EXPECT_EQ(finished.count(), 0); // never inside play(): callers go on from their handler
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, 5000));

    ModuleMedia media;
    media.setFileName(write("00000001.wav", ToneWav(6000, 0.3, 440, 0.5)));
    QString error;
    EXPECT_FALSE(media.open(&error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("The sound module cannot be loaded: ")))
        << error.toStdString();
    EXPECT_FALSE(media.isOpen());
    media.play(); // harmless without a device
    media.stop();
    media.close();

    // One attempt and one log line, however many players ask.
    EXPECT_EQ(logLinesWith(QStringLiteral("no-such-module.so cannot be loaded")).size(), 1);
}

TEST_F(ModuleAudioTest, TheModulePlaysRingsAndMessagesAndLogsThroughTheProgram) {
    AudioModule::setFile(QStringLiteral(NIRVO_AUDIO_MODULE));
    const QString bell = write("bell.wav", ToneWav(8000, 0.2, 880, 0.5));
    const QString broken = write("broken.wav", "RIFF....not a wave at all");

    ModuleSoundPlayer ring;
    int finished = 0;
    QObject::connect(&ring, &SoundPlayer::finished, [&] { ++finished; });
    ring.play(bell);
    ring.play(broken);
    EXPECT_EQ(finished, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished == 2; }, 20000));
    EXPECT_TRUE(AudioModule::loadError().isEmpty()) << AudioModule::loadError().toStdString();
    // The module's players write into the program's log.
    EXPECT_EQ(logLinesWith(QStringLiteral("Ring %1 cannot be played").arg(broken)).size(), 1);

    ModuleMedia media;
    QSignalSpy ended(&media, &Media::notify);
    media.setFileName(Dir.filePath("00000042.wav"));
    QString error;
    EXPECT_FALSE(media.open(&error));
    EXPECT_TRUE(error.contains(Dir.filePath("00000042.wav"))) << error.toStdString();

    media.setFileName(write("00000043.wav", ToneWav(6000, 0.3, 440, 0.5)));
    ASSERT_TRUE(media.open(&error)) << error.toStdString();
    EXPECT_TRUE(media.isOpen());
    media.play();
    ASSERT_TRUE(ended.wait(15000));
    QTest::qWait(200);
    EXPECT_EQ(ended.count(), 1);
    media.close();
    EXPECT_FALSE(media.isOpen());
}

} // namespace
