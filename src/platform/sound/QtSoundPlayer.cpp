#include "platform/sound/QtSoundPlayer.h"

#include "core/ActivityLog.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>

namespace {
// The effect reports the end of a sound through the audio server, well over a second after the
// sound's own length on a busy machine.
constexpr int EndGraceMs = 4000;
constexpr qint64 LongestRingMs = 5 * 60 * 1000;
} // namespace

QtSoundPlayer::QtSoundPlayer(QObject* parent) : SoundPlayer(parent) {
    Guard.setSingleShot(true);
    connect(&Guard, &QTimer::timeout, this, &QtSoundPlayer::done);
}

QtSoundPlayer::~QtSoundPlayer() = default;

QUrl QtSoundPlayer::defaultSound() {
    return QUrl(QStringLiteral("qrc:/nirvo/sounds/default-ring.wav"));
}

void QtSoundPlayer::play(const QString& wavPath) {
    Queue.append(wavPath);
    if (!Busy)
        startNext();
}

void QtSoundPlayer::startNext() {
    Busy = true;
    EffectStarted = false;
    const QString path = Queue.takeFirst();
    std::optional<WavInfo> info = ReadWavInfo(path);
    QUrl source = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (!info) {
        WriteLog(QStringLiteral("Ring %1 cannot be played; the default sound is played instead")
                     .arg(path));
        source = defaultSound();
        info = ReadWavInfo(QStringLiteral(":/nirvo/sounds/default-ring.wav"));
    }
    LastSource = source;
    const qint64 lengthMs = info ? std::min(info->durationMs(), LongestRingMs) : 0;

    if (QMediaDevices::defaultAudioOutput().isNull()) {
        // Nothing would be heard, and the effect would never finish: take the sound's time.
        Guard.start(int(lengthMs));
        return;
    }
    if (!Effect) {
        Effect = new QSoundEffect(this);
        connect(Effect, &QSoundEffect::playingChanged, this, &QtSoundPlayer::effectPlayingChanged);
        connect(Effect, &QSoundEffect::statusChanged, this, &QtSoundPlayer::effectStatusChanged);
    }
    Effect->setSource(source);
    Effect->play();
    Guard.start(int(lengthMs) + EndGraceMs);
}

void QtSoundPlayer::effectPlayingChanged() {
    if (!Busy)
        return;
    if (Effect->isPlaying())
        EffectStarted = true;
    else if (EffectStarted)
        done();
}

void QtSoundPlayer::effectStatusChanged() {
    if (!Busy || Effect->status() != QSoundEffect::Error)
        return;
    if (Effect->source() != defaultSound()) {
        WriteLog(QStringLiteral("Ring %1 cannot be played; the default sound is played instead")
                     .arg(Effect->source().toString()));
        LastSource = defaultSound();
        Effect->setSource(LastSource);
        Effect->play();
        return;
    }
    done();
}

void QtSoundPlayer::done() {
    if (!Busy)
        return;
    Guard.stop();
    Busy = false;
    if (Effect && Effect->isPlaying())
        Effect->stop();
    // The next sound starts on a fresh turn of the loop, after the listeners of this one ran.
    if (!Queue.isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (!Busy && !Queue.isEmpty())
                startNext();
        });
    Q_EMIT finished();
}
