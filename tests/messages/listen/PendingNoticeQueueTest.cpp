#include "messages/listen/PendingNoticeQueue.h"

#include <gtest/gtest.h>

TEST(PendingNoticeQueue, OldestFirstAndBounded) {
    PendingNoticeQueue queue;
    EXPECT_FALSE(queue.takeOldest().has_value());
    for (int i = 0; i < PendingNoticeQueue::MaxNotices; ++i) {
        Message_Notice_Type n;
        n.MsgNumber = i;
        ASSERT_TRUE(queue.append(n));
    }
    Message_Notice_Type extra;
    extra.MsgNumber = -1;
    EXPECT_FALSE(queue.append(extra));
    EXPECT_EQ(queue.size(), PendingNoticeQueue::MaxNotices);
    EXPECT_EQ(queue.oldest()->MsgNumber, 0);
    EXPECT_EQ(queue.takeOldest()->MsgNumber, 0);
    EXPECT_EQ(queue.takeOldest()->MsgNumber, 1);
}
