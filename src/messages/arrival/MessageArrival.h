#pragma once

#include "messages/reception/ReceivedStream.h"

#include <QObject>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

class AppMessenger;
class ArrivalHost;
class PendingNoticeQueue;
class Registry;
class SoundPlayer;
class TVoxConv;
struct LiveSettings;

// Files each voice message whose sound has arrived: pairs it with the oldest pending notice,
// rings, writes the info file, lists it, remembers its number, converts the sound and announces
// it. Messages are handled one at a time in the order they arrived; the ring plays without
// blocking the window, and the steps after it run when it has ended.
class MessageArrival : public QObject {
    Q_OBJECT
public:
    struct Collaborators {
        ArrivalHost& host;
        PendingNoticeQueue& notices;
        Registry& registry;
        AppMessenger& messenger;
        SoundPlayer& sound;
        const TVoxConv& converter;
        std::function<const LiveSettings&()> settings;
        std::function<QStringList()> ringList; // ring files, then "Random"
        QString ringsDir;                      // dat/rings
        std::function<int(int)> randomBelow;
    };

    explicit MessageArrival(Collaborators collaborators, QObject* parent = nullptr);
    ~MessageArrival() override;

    // One stream received whole (the data waits in its file; this class owns it from now on).
    void NMStrmServ1MSG(const ReceivedStream& message);

    // Messages received and not yet filed (the one being filed included).
    int backlog() const { return int(Queue.size()); }

Q_SIGNALS:
    // A message was filed (or dropped); for tests and the demo.
    void messageFiled(qint32 msgNumber, bool stored);

private:
    void startNext();
    void afterRing();
    void finish(bool stored);

    Collaborators C;
    std::deque<ReceivedStream> Queue;
    bool Busy = false;
    bool WaitingForRing = false;
    // The notice of the message being filed and its stem path in the Inbox.
    struct Current;
    std::unique_ptr<Current> Now;
};
