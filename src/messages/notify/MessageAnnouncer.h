#pragma once

#include "messages/notify/NoticeTexts.h"
#include "messages/store/CallData.h"
#include "server/records/PhoneNumber.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

// One waiting announcement: who called, and the stored message it announces.
struct Msg_Dialog_Data_Type {
    Msg_Dialog_Data_Type(const Phone_Number_Type& caller, const Call_Data_Type& message)
        : Caller(caller), Message(message) {}

    Phone_Number_Type Caller;
    Call_Data_Type Message;
};

// The window that asks "hear it now?" (TCallForm), seen from the queue.
class AnnouncementView {
public:
    virtual ~AnnouncementView();
    // Shows `text` without blocking and returns. Once the user has chosen, calls `answered` once
    // with 1 (hear it now) or 2 (later), from the event loop, never from inside ask().
    virtual void ask(const QString& text, std::function<void(int reply)> answered) = 0;
};

// Announces new messages one at a time, in the order they arrived. Nothing here waits: an
// announcement is shown, AnnounceMessage returns, and the user's answer (delivered by the view
// through the event loop) plays the message if wanted and brings up the next one. So other
// events, further announcements included, go on while one is on screen.
class MessageAnnouncer {
public:
    using PlayMessage = std::function<void(const Call_Data_Type& message)>;
    using ReloadMessageList = std::function<void()>;

    // `view` must outlive the announcer. `playMessage` plays a message and marks it read;
    // `reloadMessageList` refreshes the list afterwards.
    MessageAnnouncer(AnnouncementView& view, NameLookup lookupName, PlayMessage playMessage,
                     ReloadMessageList reloadMessageList);
    ~MessageAnnouncer();

    MessageAnnouncer(const MessageAnnouncer&) = delete;
    MessageAnnouncer& operator=(const MessageAnnouncer&) = delete;

    // Queues the announcement; shows it at once unless another one is on screen.
    void AnnounceMessage(const Phone_Number_Type& caller, const Call_Data_Type& message);

    // An announcement is on screen (or its message is being played).
    bool NoticeBusy() const { return Busy; }
    // Announcements not yet answered, the one on screen included.
    qsizetype waiting() const { return NoticeQueue.size(); }

private:
    void showOldest();
    void answered(int reply);

    AnnouncementView& View;
    NameLookup LookupName;
    PlayMessage Play;
    ReloadMessageList Reload;
    QList<Msg_Dialog_Data_Type> NoticeQueue; // oldest first; the shown one stays until answered
    bool Busy = false;
    // Lets an answer that comes after the announcer is gone find nothing to act on.
    std::shared_ptr<MessageAnnouncer*> Self;
};
