#pragma once

#include <QObject>
#include <QString>
#include <functional>

class AppMessenger;
class CommandSwitch;
class Media;

// Keeps the Play and Stop commands in step with the message player. The window does what needs
// its widgets (which item is selected, repainting the list); this class does the rest.
class MessagePlayback : public QObject {
    Q_OBJECT
public:
    // Listens to the player's notify() for the end of playing.
    MessagePlayback(Media& media, CommandSwitch& commands, AppMessenger& messenger,
                    QObject* parent = nullptr);

    // Disables Play, opens the wave file in place of any open one and starts it, enables Stop,
    // then calls markRead. When the file cannot be opened the player's error is shown and false
    // is returned: markRead is not called, Stop stays disabled and Play stays disabled (the
    // list's selection rules enable it again).
    bool PlayMessage(const QString& wavPath, const std::function<void()>& markRead);

    // The player has finished or was stopped: Stop off, Play on, player closed.
    void MediaNotify();

    // The Stop command: stops and closes the player at once; Stop off, Play on.
    void StopPlaying();

    bool isPlaying() const { return Playing; }

    // Caption of the box that reports a file the player cannot open.
    static QString errorCaption() { return QStringLiteral("Nirvo"); }

private:
    Media& Player;
    CommandSwitch& Commands;
    AppMessenger& Messenger;
    bool Playing = false;
};
