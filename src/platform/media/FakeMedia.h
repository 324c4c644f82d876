#pragma once

#include "platform/media/Media.h"

#include <QStringList>

// Records what the player was asked to do ("open <file>", "play", "stop", "close"). Opening
// fails, as the real player does, for a file that does not exist, or with `openError` when set.
class FakeMedia : public Media {
    Q_OBJECT
public:
    using Media::Media;

    bool open(QString* errorText) override;
    void play() override;
    void stop() override;
    void close() override;
    bool isOpen() const override { return Open; }
    bool isPlaying() const { return Playing; }

    // The sound reaches its end: notify() follows on the next turn of the event loop.
    void finishPlaying();

    QStringList calls;
    QString openError;

private:
    void notifyLater();

    bool Open = false;
    bool Playing = false;
    quint64 Generation = 0;
};
