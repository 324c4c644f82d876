#include "platform/audio/AudioModule.h"

#include "core/ActivityLog.h"
#include "platform/audio/AudioDevices.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QTimer>

namespace {

struct ModuleState {
    QString File;
    bool Tried = false;
    QString Error;
    AudioDeviceMaker* Maker = nullptr;
};

ModuleState& state() {
    static ModuleState s;
    return s;
}

void logFromModule(const QString& text) {
    WriteLog(text);
}

} // namespace

namespace AudioModule {

QString file() {
    const ModuleState& s = state();
    if (!s.File.isEmpty())
        return s.File;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/nirvo-audio.so");
}

void setFile(const QString& path) {
    // A module already loaded stays loaded (its devices may still be in use); the next devices
    // come from the new file.
    ModuleState& s = state();
    s = ModuleState();
    s.File = path;
}

AudioDeviceMaker* devices() {
    ModuleState& s = state();
    if (s.Tried)
        return s.Maker;
    s.Tried = true;
    // Never unloaded: the devices it makes may live until the process ends.
    QLibrary library(file());
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    auto entry = reinterpret_cast<AudioEntryFunction>(library.resolve(NIRVO_AUDIO_ENTRY));
    if (entry)
        s.Maker = entry(&logFromModule);
    if (!s.Maker) {
        s.Error = library.errorString();
        if (s.Error.isEmpty())
            s.Error = QStringLiteral("the module made no devices");
        WriteLog(QStringLiteral("The sound module %1 cannot be loaded: %2").arg(file(), s.Error));
    }
    return s.Maker;
}

QString loadError() {
    return state().Error;
}

} // namespace AudioModule

ModuleSoundPlayer::ModuleSoundPlayer(QObject* parent) : SoundPlayer(parent) {}

ModuleSoundPlayer::~ModuleSoundPlayer() = default;

void ModuleSoundPlayer::play(const QString& wavPath) {
    if (!Device) {
        if (AudioDeviceMaker* maker = AudioModule::devices())
            Device = maker->newRing([this] { Q_EMIT finished(); });
    }
    if (Device) {
        Device->play(wavPath);
        return;
    }
    // Nothing can be heard; the ring is over at once, but never inside the caller's play().
    QTimer::singleShot(0, this, [this] { Q_EMIT finished(); });
}

ModuleMedia::ModuleMedia(QObject* parent) : Media(parent) {}

ModuleMedia::~ModuleMedia() = default;

bool ModuleMedia::open(QString* errorText) {
    if (!Device) {
        if (AudioDeviceMaker* maker = AudioModule::devices())
            Device = maker->newMessagePlayer([this] { Q_EMIT notify(); });
    }
    if (!Device) {
        if (errorText)
            *errorText =
                QStringLiteral("The sound module cannot be loaded: ") + AudioModule::loadError();
        return false;
    }
    return Device->open(fileName(), errorText);
}

void ModuleMedia::play() {
    if (Device)
        Device->play();
}

void ModuleMedia::stop() {
    if (Device)
        Device->stop();
}

void ModuleMedia::close() {
    if (Device)
        Device->close();
}

bool ModuleMedia::isOpen() const {
    return Device && Device->isOpen();
}
