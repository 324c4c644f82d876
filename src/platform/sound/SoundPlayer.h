#pragma once

#include <QObject>
#include <QString>

// Plays a short wave sound (a ring) without blocking the caller's thread. Every play() is
// answered by exactly one finished(), in call order, also when the sound cannot be played, so
// a caller can always wait for it before its next step. A sound that cannot be played is
// replaced by the program's default sound.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SoundPlayer() override;

    virtual void play(const QString& wavPath) = 0;

Q_SIGNALS:
    void finished();
};
