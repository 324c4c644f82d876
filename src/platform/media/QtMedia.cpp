#include "platform/media/QtMedia.h"

#include "core/ActivityLog.h"
#include "platform/sound/WavInfo.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace {
// The backend runs in real time and reports the end a little after the sound's own length;
// past this much more, the end is taken as come.
constexpr int EndGraceMs = 5000;
} // namespace

QtMedia::QtMedia(QObject* parent) : Media(parent) {
    Guard.setSingleShot(true);
    connect(&Guard, &QTimer::timeout, this, [this] {
        WriteLog(QStringLiteral("The player did not report the end of %1").arg(fileName()));
        playingEnded();
    });
}

QtMedia::~QtMedia() = default;

void QtMedia::ensurePlayer() {
    if (Player)
        return;
    Player = new QMediaPlayer(this);
    Output = new QAudioOutput(this);
    Player->setAudioOutput(Output);
    connect(Player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia)
            playingEnded();
    });
    connect(Player, &QMediaPlayer::playbackStateChanged, this,
            [this](QMediaPlayer::PlaybackState s) {
                if (s == QMediaPlayer::StoppedState)
                    playingEnded();
            });
    connect(Player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& text) {
                if (!Open)
                    return;
                LastError = text;
                WriteLog(QStringLiteral("The player cannot play %1: %2").arg(fileName(), text));
                playingEnded();
            });
}

bool QtMedia::open(QString* errorText) {
    close();
    const QFileInfo file(fileName());
    QString error;
    std::optional<WavInfo> info;
    if (!file.isFile())
        error = QStringLiteral("The file \"%1\" does not exist.").arg(fileName());
    else if (!(info = ReadWavInfo(fileName())))
        error = QStringLiteral("The file \"%1\" is not a wave file that can be played.")
                    .arg(fileName());
    if (!error.isEmpty()) {
        if (errorText)
            *errorText = error;
        return false;
    }
    ensurePlayer();
    LastError.clear();
    LengthMs = info->durationMs();
    Player->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    Open = true;
    return true;
}

void QtMedia::play() {
    if (!Open)
        return;
    if (!LastError.isEmpty()) {
        // The backend already refused this file; end at once rather than wait for nothing.
        notifyLater();
        return;
    }
    Playing = true;
    Player->play();
    Guard.start(int(std::min<qint64>(LengthMs, 24LL * 3600 * 1000)) + EndGraceMs);
}

void QtMedia::stop() {
    if (!Open)
        return;
    const bool wasPlaying = Playing;
    Playing = false;
    Guard.stop();
    Player->stop();
    if (wasPlaying)
        notifyLater();
}

void QtMedia::close() {
    if (!Open)
        return;
    Open = false;
    Playing = false;
    Guard.stop();
    ++Generation;
    Player->stop();
    Player->setSource(QUrl());
}

void QtMedia::playingEnded() {
    if (!Open || !Playing)
        return;
    Playing = false;
    Guard.stop();
    notifyLater();
}

void QtMedia::notifyLater() {
    // Always on a later turn of the loop, so a caller never sees notify() inside its own call.
    QMetaObject::invokeMethod(
        this,
        [this, generation = Generation] {
            if (generation == Generation)
                Q_EMIT notify();
        },
        Qt::QueuedConnection);
}
