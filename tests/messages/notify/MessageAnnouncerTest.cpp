// The announcement queue without a window: order, texts, and what each answer does.
#include "messages/notify/MessageAnnouncer.h"

#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Records what the window was asked; the test answers as the user.
class FakeView : public AnnouncementView {
public:
    void ask(const QString& text, std::function<void(int)> answered) override {
        Texts.append(text);
        Pending.push_back(std::move(answered));
    }
    // Answers the announcement on screen (the latest one asked).
    void answer(int reply) {
        ASSERT_FALSE(Pending.empty());
        auto callback = Pending.back();
        callback(reply);
    }
    QStringList Texts;
    std::vector<std::function<void(int)>> Pending;
};

Call_Data_Type message(qint32 number, const Phone_Number_Type& caller) {
    return Call_Data_Type(number, QStringLiteral(".cxn"), QStringLiteral("dat/calls/inbox/"),
                          46000.5, caller);
}

class MessageAnnouncerTest : public ::testing::Test {
protected:
    MessageAnnouncer& announcer() { return Announcer; }
    FakeView View;
    QStringList Events; // "play N" and "reload", in the order they happened
    QHash<QString, QString> Phonebook{{QStringLiteral("031234567"), QStringLiteral("Dana Levi")},
                                      {QStringLiteral("045550001"), QStringLiteral("Avi Cohen")}};
    MessageAnnouncer Announcer{View,
                               [this](const QString& number) { return Phonebook.value(number); },
                               [this](const Call_Data_Type& m) {
                                   Events.append(QStringLiteral("play %1").arg(m.MsgNumber));
                               },
                               [this] { Events.append(QStringLiteral("reload")); }};
};

} // namespace

TEST_F(MessageAnnouncerTest, ThreeWaitingAnnouncementsComeInArrivalOrderWithTheirOwnCallers) {
    const Phone_Number_Type dana(QStringLiteral("03"), QStringLiteral("1234567"));
    const Phone_Number_Type avi(QStringLiteral("04"), QStringLiteral("5550001"));
    const Phone_Number_Type stranger(QStringLiteral("09"), QStringLiteral("8887777"));
    const Phone_Number_Type first(QStringLiteral("02"), QStringLiteral("1112222"));

    Announcer.AnnounceMessage(first, message(10, first));
    ASSERT_EQ(View.Texts.size(), 1);
    EXPECT_TRUE(Announcer.NoticeBusy());
    // Three more arrive while the first is on screen: none of them opens a window yet.
    Announcer.AnnounceMessage(dana, message(11, dana));
    Announcer.AnnounceMessage(avi, message(12, avi));
    Announcer.AnnounceMessage(stranger, message(13, stranger));
    EXPECT_EQ(View.Texts.size(), 1);
    EXPECT_EQ(Announcer.waiting(), 4);

    View.answer(2);
    View.answer(1);
    View.answer(2);
    EXPECT_TRUE(Announcer.NoticeBusy());
    View.answer(1);
    EXPECT_FALSE(Announcer.NoticeBusy());
    EXPECT_EQ(Announcer.waiting(), 0);

    const QStringList expected = {
        QStringLiteral("You have a new telephone message from 021112222 (unknown). Would you like "
                       "to hear it now?"),
        QStringLiteral("You have a new telephone message from 031234567 (Dana Levi). Would you "
                       "like to hear it now?"),
        QStringLiteral("You have a new telephone message from 045550001 (Avi Cohen). Would you "
                       "like to hear it now?"),
        QStringLiteral("You have a new telephone message from 098887777 (unknown). Would you like "
                       "to hear it now?"),
    };
    EXPECT_EQ(View.Texts, expected);
    // Only the "now" answers played, each followed by a reload, in queue order.
    EXPECT_EQ(Events, (QStringList{QStringLiteral("play 11"), QStringLiteral("reload"),
                                   QStringLiteral("play 13"), QStringLiteral("reload")}));

    // The queue is idle again: the next message opens the window at once.
    Announcer.AnnounceMessage(dana, message(14, dana));
    EXPECT_EQ(View.Texts.size(), 5);
}

TEST_F(MessageAnnouncerTest, LaterLeavesTheMessageAloneAndNowPlaysItThenReloads) {
    const Phone_Number_Type caller(QStringLiteral("03"), QStringLiteral("1234567"));
    Announcer.AnnounceMessage(caller, message(42, caller));
    View.answer(2);
    EXPECT_TRUE(Events.isEmpty());
    EXPECT_FALSE(Announcer.NoticeBusy());

    Announcer.AnnounceMessage(caller, message(43, caller));
    View.answer(1);
    EXPECT_EQ(Events, (QStringList{QStringLiteral("play 43"), QStringLiteral("reload")}));
}

TEST_F(MessageAnnouncerTest, AnAnnouncementArrivingWhileAMessagePlaysWaitsForItsTurn) {
    // Playing may open a box with a loop of its own, inside which more messages are filed.
    const Phone_Number_Type caller(QStringLiteral("03"), QStringLiteral("1234567"));
    int askedDuringPlay = -1;
    MessageAnnouncer* self = nullptr;
    MessageAnnouncer nested(
        View, {},
        [&](const Call_Data_Type& m) {
            Events.append(QStringLiteral("play %1").arg(m.MsgNumber));
            if (m.MsgNumber == 1) {
                self->AnnounceMessage(caller, message(2, caller));
                askedDuringPlay = int(View.Texts.size());
            }
        },
        [&] { Events.append(QStringLiteral("reload")); });
    self = &nested;
    nested.AnnounceMessage(caller, message(1, caller));
    View.answer(1);
    EXPECT_EQ(askedDuringPlay, 1) << "no second window while the first message plays";
    ASSERT_EQ(View.Texts.size(), 2) << "shown once the first was done";
    View.answer(1);
    EXPECT_EQ(Events, (QStringList{QStringLiteral("play 1"), QStringLiteral("reload"),
                                   QStringLiteral("play 2"), QStringLiteral("reload")}));
}

TEST_F(MessageAnnouncerTest, AStaleOrRepeatedAnswerDoesNotAnswerTheNextAnnouncement) {
    const Phone_Number_Type caller(QStringLiteral("03"), QStringLiteral("1234567"));
    Announcer.AnnounceMessage(caller, message(1, caller));
    Announcer.AnnounceMessage(caller, message(2, caller));
    auto firstCallback = View.Pending.front();
    View.answer(2);
    firstCallback(1); // the first window's answer again
    EXPECT_TRUE(Events.isEmpty());
    EXPECT_EQ(Announcer.waiting(), 1);
    View.answer(1);
    EXPECT_EQ(Events, (QStringList{QStringLiteral("play 2"), QStringLiteral("reload")}));
}
