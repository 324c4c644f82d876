#include "platform/sound/FakeSoundPlayer.h"

#include <QTimer>

void FakeSoundPlayer::play(const QString& wavPath) {
    played.append(wavPath);
    ++Playing;
    if (!finishOnDemand)
        QTimer::singleShot(0, this, [this] { finishOne(); });
}

bool FakeSoundPlayer::finishOne() {
    if (Playing == 0)
        return false;
    --Playing;
    Q_EMIT finished();
    return true;
}
