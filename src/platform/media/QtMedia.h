#pragma once

#include "platform/media/Media.h"

#include <QTimer>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

// The message player on Qt Multimedia. The player and its audio output are made when the first
// file is opened, not at start-up, because setting up the media backend takes noticeable time.
class QtMedia : public Media {
    Q_OBJECT
public:
    explicit QtMedia(QObject* parent = nullptr);
    ~QtMedia() override;

    bool open(QString* errorText) override;
    void play() override;
    void stop() override;
    void close() override;
    bool isOpen() const override { return Open; }

    // The text of the last error the backend reported while a file was open, if any.
    QString lastError() const { return LastError; }

private:
    void ensurePlayer();
    void playingEnded();
    void notifyLater();

    QMediaPlayer* Player = nullptr;
    QAudioOutput* Output = nullptr;
    bool Open = false;
    bool Playing = false;
    qint64 LengthMs = 0;
    quint64 Generation = 0;
    QString LastError;
    QTimer Guard;
};
