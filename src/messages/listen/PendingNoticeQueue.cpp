#include "messages/listen/PendingNoticeQueue.h"

#include "core/ActivityLog.h"

bool PendingNoticeQueue::append(const Message_Notice_Type& notice) {
    if (size() >= MaxNotices) {
        WriteLog(
            QStringLiteral("Message notice %1 not kept: too many notices wait for their sound.")
                .arg(notice.MsgNumber));
        return false;
    }
    Notices.push_back(notice);
    return true;
}

std::optional<Message_Notice_Type> PendingNoticeQueue::takeOldest() {
    if (Notices.empty())
        return std::nullopt;
    Message_Notice_Type notice = std::move(Notices.front());
    Notices.pop_front();
    return notice;
}

const Message_Notice_Type* PendingNoticeQueue::oldest() const {
    return Notices.empty() ? nullptr : &Notices.front();
}
