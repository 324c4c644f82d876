#include "messages/playback/MessagePlayback.h"

#include "core/AppMessage.h"
#include "core/Commands.h"
#include "platform/media/Media.h"

MessagePlayback::MessagePlayback(Media& media, CommandSwitch& commands, AppMessenger& messenger,
                                 QObject* parent)
    : QObject(parent), Player(media), Commands(commands), Messenger(messenger) {
    connect(&Player, &Media::notify, this, &MessagePlayback::MediaNotify);
}

bool MessagePlayback::PlayMessage(const QString& wavPath, const std::function<void()>& markRead) {
    Commands.setCommandEnabled(Command::Play, false);
    Player.setFileName(wavPath);
    QString error;
    if (!Player.open(&error)) {
        // Opening closed whatever played before, so nothing plays now.
        Playing = false;
        Commands.setCommandEnabled(Command::Stop, false);
        Messenger.ShowAppMessage(errorCaption(), error, mkError, mbOK);
        return false;
    }
    Player.play();
    Playing = true;
    Commands.setCommandEnabled(Command::Stop, true);
    if (markRead)
        markRead();
    return true;
}

void MessagePlayback::MediaNotify() {
    Playing = false;
    Commands.setCommandEnabled(Command::Stop, false);
    Commands.setCommandEnabled(Command::Play, true);
    Player.close();
}

void MessagePlayback::StopPlaying() {
    Player.stop();
    Player.close();
    Playing = false;
    Commands.setCommandEnabled(Command::Stop, false);
    Commands.setCommandEnabled(Command::Play, true);
}
