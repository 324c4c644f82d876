#pragma once

#include "platform/media/Media.h"
#include "platform/sound/SoundPlayer.h"

#include <QString>
#include <memory>

class AudioDeviceMaker;
class MessageDevice;
class RingDevice;

// Qt Multimedia and the sound server's client libraries are a large part of what a process has
// to load and link before main() runs. The program does not need them until the first sound, so
// the players on Qt Multimedia are built into a module of their own (nirvo-audio.so beside the
// executable) that the players below load when they are first used.
namespace AudioModule {

// The module file: by default nirvo-audio.so in the executable's folder. Setting another file
// forgets an earlier attempt, so the next devices() loads that file.
QString file();
void setFile(const QString& path);

// The module's device maker, loading the module on the first call. Null, with the reason logged
// once, when it cannot be loaded; later calls do not try again.
AudioDeviceMaker* devices();
// Why the module could not be loaded (empty while it loads or has not been tried).
QString loadError();

} // namespace AudioModule

// The ring player: plays through the module, or, without it, reports each ring finished at once
// so that whoever waits for the ring goes on.
class ModuleSoundPlayer : public SoundPlayer {
    Q_OBJECT
public:
    explicit ModuleSoundPlayer(QObject* parent = nullptr);
    ~ModuleSoundPlayer() override;

    void play(const QString& wavPath) override;

private:
    std::unique_ptr<RingDevice> Device;
};

// The message player through the module; without it every file fails to open, with the reason.
class ModuleMedia : public Media {
    Q_OBJECT
public:
    explicit ModuleMedia(QObject* parent = nullptr);
    ~ModuleMedia() override;

    bool open(QString* errorText) override;
    void play() override;
    void stop() override;
    void close() override;
    bool isOpen() const override;

private:
    std::unique_ptr<MessageDevice> Device;
};
