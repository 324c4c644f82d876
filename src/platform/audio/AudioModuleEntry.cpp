// The sound module: the players on Qt Multimedia behind the plain device interface. Built as a
// module of its own so that the program loads Qt Multimedia only when it first plays a sound.
#include "core/ActivityLog.h"
#include "platform/audio/AudioDevices.h"
#include "platform/media/QtMedia.h"
#include "platform/sound/QtSoundPlayer.h"

namespace {

AudioLogFunction ProgramLog = nullptr;

class QtRingDevice : public RingDevice {
public:
    explicit QtRingDevice(std::function<void()> finished) {
        QObject::connect(&Player, &SoundPlayer::finished, std::move(finished));
    }
    void play(const QString& wavPath) override { Player.play(wavPath); }

private:
    QtSoundPlayer Player;
};

class QtMessageDevice : public MessageDevice {
public:
    explicit QtMessageDevice(std::function<void()> ended) {
        QObject::connect(&Player, &Media::notify, std::move(ended));
    }
    bool open(const QString& path, QString* errorText) override {
        Player.setFileName(path);
        return Player.open(errorText);
    }
    void play() override { Player.play(); }
    void stop() override { Player.stop(); }
    void close() override { Player.close(); }
    bool isOpen() const override { return Player.isOpen(); }

private:
    QtMedia Player;
};

class QtDeviceMaker : public AudioDeviceMaker {
public:
    std::unique_ptr<RingDevice> newRing(std::function<void()> finished) override {
        return std::make_unique<QtRingDevice>(std::move(finished));
    }
    std::unique_ptr<MessageDevice> newMessagePlayer(std::function<void()> ended) override {
        return std::make_unique<QtMessageDevice>(std::move(ended));
    }
};

} // namespace

// The module holds no activity log of its own: its players' lines go to the program's.
void WriteLog(const QString& text) {
    if (ProgramLog)
        ProgramLog(text);
}

extern "C" Q_DECL_EXPORT AudioDeviceMaker* nirvo_audio_devices_v1(AudioLogFunction log) {
    ProgramLog = log;
    static QtDeviceMaker maker;
    return &maker;
}
