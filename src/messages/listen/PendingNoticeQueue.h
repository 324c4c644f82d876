#pragma once

#include "server/records/ServerRecords.h"

#include <deque>
#include <optional>

// The notices of voice messages whose sound has not come yet, oldest first. The listening port
// appends; reception takes the oldest when a sound arrives. Main thread only.
class PendingNoticeQueue {
public:
    // A server that only ever announces and never sends a sound cannot grow this without end.
    static constexpr int MaxNotices = 1000;

    // False (and logged) when the queue is full; the notice is then not kept.
    bool append(const Message_Notice_Type& notice);
    std::optional<Message_Notice_Type> takeOldest();
    const Message_Notice_Type* oldest() const;
    int size() const { return int(Notices.size()); }
    bool isEmpty() const { return Notices.empty(); }

private:
    std::deque<Message_Notice_Type> Notices;
};
