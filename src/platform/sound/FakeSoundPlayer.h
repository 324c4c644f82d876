#pragma once

#include "platform/sound/SoundPlayer.h"

#include <QStringList>

// Records what would have been played. By default each sound finishes on the next turn of the
// event loop; with finishOnDemand set, it finishes when the test calls finishOne().
class FakeSoundPlayer : public SoundPlayer {
    Q_OBJECT
public:
    using SoundPlayer::SoundPlayer;

    void play(const QString& wavPath) override;
    // Ends the oldest sound still playing; false when none is.
    bool finishOne();

    bool finishOnDemand = false;
    QStringList played;
    int playing() const { return Playing; }

private:
    int Playing = 0;
};
