// The real announcement window: its make-up, and the queue driving it with messages on disk.
#include "messages/notify/forms/TCallForm.h"
#include "shell/msgbox/TImageButton.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(TCallFormTest, IsTheSmallNonModalWindowWithTwoPictureButtons) {
    TCallForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Incoming Call"));
    EXPECT_FALSE(form.isModal());
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(255, 204, 102));

    auto* label = form.findChild<QLabel*>(QStringLiteral("MsgLabel"));
    ASSERT_EQ(label, form.MsgLabel);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(label->size(), QSize(265, 49));
    auto* picture = form.findChild<QLabel*>(QStringLiteral("NewCallBmp"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_LE(picture->geometry().right(), label->geometry().left());
    for (const char* name : {"OKBtn", "CancelBtn"}) {
        auto* button = form.findChild<TImageButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_GT(button->geometry().top(), label->geometry().bottom()) << name;
        EXPECT_LE(button->geometry().bottom(), form.height()) << name;
    }
}

TEST(TCallFormTest, EachButtonSetsReplyAndHidesAndOnlyTheyCloseIt) {
    TCallForm form;
    const struct {
        const char* how;
        int reply;
        std::function<void(TCallForm&)> act;
    } cases[] = {
        {"OK", 1, [](TCallForm& f) { QTest::mouseClick(f.OKBtn, Qt::LeftButton); }},
        {"Cancel", 2, [](TCallForm& f) { QTest::mouseClick(f.CancelBtn, Qt::LeftButton); }},
        {"Enter", 1, [](TCallForm& f) { QTest::keyClick(&f, Qt::Key_Return); }},
        {"Escape", 2, [](TCallForm& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        QList<int> answers;
        form.ask(QStringLiteral("text"), [&](int reply) { answers.append(reply); });
        EXPECT_EQ(form.Reply, 0);
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(form.close()) << "a close request is no answer";
        EXPECT_TRUE(form.isVisible());
        c.act(form);
        EXPECT_EQ(form.Reply, c.reply);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(answers, QList<int>{c.reply});
    }
}

namespace {

// Messages 42, 43 and 44 stored unread in an inbox folder.
class AnnouncedInbox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        Inbox = Dir.path() + QStringLiteral("/inbox/");
        ASSERT_TRUE(QDir().mkpath(Inbox));
        for (qint32 n : {42, 43, 44}) {
            Call_Info_Type info;
            info.MsgNumber = n;
            info.Caller = Phone_Number_Type(QStringLiteral("03"), QStringLiteral("12345%1").arg(n));
            ASSERT_TRUE(WriteInfoFile(Inbox, info, UnreadExtension));
        }
    }
    Call_Data_Type message(qint32 n) const {
        return Call_Data_Type(
            n, UnreadExtension, Inbox, 46000.0,
            Phone_Number_Type(QStringLiteral("03"), QStringLiteral("12345%1").arg(n)));
    }
    bool unread(qint32 n) const {
        return QFile::exists(Inbox + MessageFileName(n) + UnreadExtension) &&
               !QFile::exists(Inbox + MessageFileName(n) + ReadExtension);
    }

    QTemporaryDir Dir;
    QString Inbox;
};

} // namespace

TEST_F(AnnouncedInbox, TheWindowAnswersEachAnnouncementInTurn) {
    TCallForm form;
    QStringList played;
    int reloads = 0;
    MessageAnnouncer announcer(
        form,
        [](const QString& number) {
            return number == QStringLiteral("031234543") ? QStringLiteral("Dana Levi") : QString();
        },
        [&](const Call_Data_Type& m) {
            // Playing marks the message read, as the player does.
            Call_Data_Type copy = m;
            MarkRead(copy);
            played.append(copy.GetWavName());
        },
        [&] { ++reloads; });

    for (qint32 n : {42, 43, 44})
        announcer.AnnounceMessage(message(n).Caller, message(n));
    ASSERT_TRUE(form.isVisible());
    EXPECT_EQ(form.MsgLabel->text(), QStringLiteral("You have a new telephone message from "
                                                    "031234542 (unknown). Would you like to hear "
                                                    "it now?"));
    QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
    ASSERT_TRUE(form.isVisible()) << "the next one follows";
    EXPECT_EQ(form.MsgLabel->text(), QStringLiteral("You have a new telephone message from "
                                                    "031234543 (Dana Levi). Would you like to "
                                                    "hear it now?"));
    EXPECT_EQ(form.Reply, 0);
    QTest::mouseClick(form.OKBtn, Qt::LeftButton);
    ASSERT_TRUE(form.isVisible());
    EXPECT_TRUE(form.MsgLabel->text().contains(QStringLiteral("031234544 (unknown)")));
    QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(announcer.NoticeBusy());

    EXPECT_EQ(played, QStringList{QStringLiteral("00000043.wav")});
    EXPECT_EQ(reloads, 1);
    EXPECT_TRUE(unread(42));
    EXPECT_FALSE(unread(43));
    EXPECT_TRUE(QFile::exists(Inbox + QStringLiteral("00000043.cxo")));
    EXPECT_TRUE(unread(44));
}
