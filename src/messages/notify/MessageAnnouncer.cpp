#include "messages/notify/MessageAnnouncer.h"

AnnouncementView::~AnnouncementView() = default;

MessageAnnouncer::MessageAnnouncer(AnnouncementView& view, NameLookup lookupName,
                                   PlayMessage playMessage, ReloadMessageList reloadMessageList)
    : View(view), LookupName(std::move(lookupName)), Play(std::move(playMessage)),
      Reload(std::move(reloadMessageList)), Self(std::make_shared<MessageAnnouncer*>(this)) {}

MessageAnnouncer::~MessageAnnouncer() {
    *Self = nullptr;
}

void MessageAnnouncer::AnnounceMessage(const Phone_Number_Type& caller,
                                       const Call_Data_Type& message) {
    NoticeQueue.append(Msg_Dialog_Data_Type(caller, message));
    if (Busy)
        return; // the one on screen brings this one up in its turn
    showOldest();
}

void MessageAnnouncer::showOldest() {
    if (NoticeQueue.isEmpty())
        return;
    Busy = true;
    const Msg_Dialog_Data_Type& oldest = NoticeQueue.first();
    const QString text =
        NewMessageText(GetDisplayNumber(oldest.Caller), CallerName(LookupName, oldest.Caller));
    std::weak_ptr<MessageAnnouncer*> self = Self;
    // A view that answered twice would otherwise answer for the next announcement too.
    auto once = std::make_shared<bool>(false);
    View.ask(text, [self, once](int reply) {
        const auto alive = self.lock();
        if (!alive || !*alive || *once)
            return;
        *once = true;
        (*alive)->answered(reply);
    });
}

void MessageAnnouncer::answered(int reply) {
    if (NoticeQueue.isEmpty())
        return;
    // Still busy while the message plays: playing may open a box of its own, and announcements
    // arriving meanwhile must wait their turn instead of opening a second window.
    if (reply == 1) {
        const Call_Data_Type message = NoticeQueue.first().Message;
        if (Play)
            Play(message);
        if (Reload)
            Reload();
    }
    NoticeQueue.removeFirst();
    Busy = false;
    showOldest();
}
