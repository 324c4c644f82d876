#pragma once

#include "platform/sound/SoundPlayer.h"
#include "platform/sound/WavInfo.h"

#include <QStringList>
#include <QTimer>
#include <QUrl>

class QSoundEffect;

// Rings through Qt Multimedia's sound effect, one sound after the other. Without an audio
// device the effect never reports its end, so a timer of the sound's own length stands in for
// it; with one, the same timer (with room to spare) guards against an end that never comes.
class QtSoundPlayer : public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    void play(const QString& wavPath) override;

    // What is playing now, or was played last: the file, or the default sound.
    QUrl lastSource() const { return LastSource; }
    static QUrl defaultSound();

private:
    void startNext();
    void effectPlayingChanged();
    void effectStatusChanged();
    void done();

    QStringList Queue;
    bool Busy = false;
    bool EffectStarted = false;
    QUrl LastSource;
    QSoundEffect* Effect = nullptr; // made on first use; building it touches the audio system
    QTimer Guard;
};
