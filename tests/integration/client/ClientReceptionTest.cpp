// The program put together (main window, listening ports, message store, players) receiving voice
// messages and records from the development server over loopback.
#include "line/forms/TConnForm.h"
#include "messages/forms/MessageBrowser.h"
#include "messages/notify/forms/TCallForm.h"
#include "messages/store/CallData.h"
#include "messages/store/MessageList.h"
#include "phonebook/store/PhonebookEntry.h"
#include "phonebook/store/PhonebookStore.h"
#include "platform/media/FakeMedia.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/shell/RecordingShell.h"
#include "platform/sound/FakeSoundPlayer.h"
#include "shell/forms/ClientProgram.h"
#include "shell/forms/TClientForm.h"
#include "support/DevServerProcess.h"
#include "support/FakeMessenger.h"
#include "support/MsgBoxAnswerer.h"
#include "support/TempProgramFolder.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

const QString Application = QStringLiteral("Software\\Nirvo\\Application");
const QString Properties = QStringLiteral("Software\\Nirvo\\Properties");

class ClientReception : public ::testing::Test {
protected:
    void SetUp() override {
        // A registered user whose modem port is known, so start-up probes no serial port.
        Registry.openKey(Application, true);
        Registry.writeInteger(Application, QStringLiteral("Last_ID"), 0);
        Registry.openKey(QStringLiteral("Software\\Nirvo\\Comport"), true);
        Registry.writeInteger(QStringLiteral("Software\\Nirvo\\Comport"), QStringLiteral("Comport"),
                              2);
        Registry.openKey(Properties, true);
    }

    void start() {
        Program = std::make_unique<ClientProgram>(Registry, Messenger, Desktop,
                                                  ServicePlayers{&Ring, &CallRing, &Player});
        Program->client().EndProcess = [](int) { FAIL() << "the program tried to end"; };
        ASSERT_TRUE(Program->Start(Folder.programDir(), ServicePorts{0, 0}));
        const ServicePorts ports{Program->services().recordPort(),
                                 Program->services().streamPort()};
        ASSERT_NE(ports.records, 0);
        ASSERT_NE(ports.streams, 0);
        Server = std::make_unique<DevServerProcess>(
            QStringLiteral(NIRVO_DEVSERVER_PATH),
            QStringList{QStringLiteral("--stdin"), QStringLiteral("--listen-port"),
                        QString::number(ports.records), QStringLiteral("--voice-port"),
                        QString::number(ports.streams), QStringLiteral("--presence-port"),
                        QStringLiteral("0"), QStringLiteral("--register-port"),
                        QStringLiteral("0")});
        ASSERT_TRUE(Server->started());
    }

    QString voxFile(const QString& name, int size) {
        QByteArray data(size, '\0');
        for (char& c : data)
            c = char(QRandomGenerator::global()->bounded(256));
        const QString path = Folder.dat(name);
        Folder.writeFile(QStringLiteral("dat/") + name, data);
        return path;
    }

    QString inbox(const QString& name) const {
        return Folder.dat(QStringLiteral("calls/inbox/")) + name;
    }

    bool waitFiled(int count, int ms = 15000) {
        return QTest::qWaitFor(
            [&] {
                return QDir(Folder.dat(QStringLiteral("calls/inbox")))
                           .entryList({QStringLiteral("*.wav")}, QDir::Files)
                           .size() >= count;
            },
            ms);
    }

    TempProgramFolder Folder;
    MemoryRegistry Registry;
    FakeMessenger Messenger;
    RecordingShell Desktop;
    FakeSoundPlayer Ring;
    FakeSoundPlayer CallRing;
    FakeMedia Player;
    std::unique_ptr<ClientProgram> Program;
    std::unique_ptr<DevServerProcess> Server;
};

TEST_F(ClientReception, NoticeAndStreamAreFiledInTheInboxListedAndRemembered) {
    start();
    Server->command(QStringLiteral("notice 42 03 1234567 ") +
                    voxFile(QStringLiteral("m.vox"), 12000));
    ASSERT_TRUE(Server->waitLine(QStringLiteral("sent voice")));
    EXPECT_TRUE(Server->line(QStringLiteral("sent voice"))
                    .contains(QStringLiteral("reply=\"OK              \"")))
        << Server->line(QStringLiteral("sent voice")).toStdString();
    ASSERT_TRUE(waitFiled(1));

    QFile info(inbox(QStringLiteral("00000042.cxn")));
    EXPECT_EQ(info.size(), 45);
    EXPECT_EQ(QFile(inbox(QStringLiteral("00000042.wav"))).size(), 44 + 4 * 12000);
    EXPECT_FALSE(QFile::exists(inbox(QStringLiteral("00000042.vox"))));
    EXPECT_EQ(Registry.readInteger(Application, QStringLiteral("Last_ID")).value_or(0), 42u);
    EXPECT_EQ(Ring.played.size(), 1); // the first start rings ("RING" written as the default)
    EXPECT_TRUE(Program->client().connForm()->CanDisconnect);
    EXPECT_EQ(Program->client().trayImage(), TClientForm::TrayNewMessage);

    MessageList& list = Program->services().browser().messages();
    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.record(0).MsgNumber, 42);
    EXPECT_EQ(GetDisplayNumber(list.record(0).Caller), QStringLiteral("031234567"));
    EXPECT_TRUE(list.record(0).IsUnread());
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(ClientReception, TwoNoticesThenTwoStreamsAreFiledInNoticeOrder) {
    start();
    Server->command(QStringLiteral("notice 7 02 1111111"));
    Server->command(QStringLiteral("notice 8 04 2222222"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Server->count(QStringLiteral("sent notice")) == 2; }, 10000));
    // A notice blocks disconnecting until its sound has come.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !Program->client().connForm()->CanDisconnect; }, 5000));
    Server->command(QStringLiteral("stream ") + voxFile(QStringLiteral("a.vox"), 100));
    Server->command(QStringLiteral("stream ") + voxFile(QStringLiteral("b.vox"), 200));
    ASSERT_TRUE(waitFiled(2));

    const auto first = ReadInfoFile(inbox(QStringLiteral("00000007.cxn")));
    const auto second = ReadInfoFile(inbox(QStringLiteral("00000008.cxn")));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(GetDisplayNumber(first->Caller), QStringLiteral("021111111"));
    EXPECT_EQ(GetDisplayNumber(second->Caller), QStringLiteral("042222222"));
    EXPECT_EQ(QFile(inbox(QStringLiteral("00000007.wav"))).size(), 44 + 400);
    EXPECT_EQ(QFile(inbox(QStringLiteral("00000008.wav"))).size(), 44 + 800);
    EXPECT_EQ(Registry.readInteger(Application, QStringLiteral("Last_ID")).value_or(0), 8u);
}

TEST_F(ClientReception, RingOffAndNotifySettingsAreHonoured) {
    struct Case {
        const char* ring;
        quint32 notify;
        int rings;
        bool windowShown;
    };
    const Case cases[] = {{"NO", 1, 0, true}, {"RING", 2, 1, false}, {"NO", 2, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ring);
        SCOPED_TRACE(c.notify);
        Registry.writeString(Properties, QStringLiteral("Ring"), QString::fromLatin1(c.ring));
        Registry.writeInteger(Properties, QStringLiteral("Notify"), c.notify);
        Ring.played.clear();
        start();
        ASSERT_FALSE(Program->client().isVisible());
        Server->command(QStringLiteral("notice 5 03 7654321 ") +
                        voxFile(QStringLiteral("c.vox"), 10));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Server->hasLine(QStringLiteral("sent voice")); }, 10000));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QFile::exists(inbox(QStringLiteral("00000005.wav"))); }, 10000));
        QTest::qWait(50);
        EXPECT_EQ(Ring.played.size(), c.rings);
        EXPECT_EQ(Program->client().isVisible(), c.windowShown);
        Server.reset();
        Program.reset();
        QFile::remove(inbox(QStringLiteral("00000005.wav")));
        QFile::remove(inbox(QStringLiteral("00000005.cxn")));
    }
}

TEST_F(ClientReception, ServerUpTextMessageAndUnknownRecords) {
    start();
    Program->client().SetTrayImage(TClientForm::TrayNewMessage);
    Server->command(QStringLiteral("serverup"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Program->client().trayImage() == TClientForm::TrayOnline; }, 10000));
    EXPECT_TRUE(Program->client().connForm()->ServerUp);

    Server->command(QStringLiteral("text Your account is ready."));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Messenger.shown.isEmpty(); }, 10000));
    EXPECT_EQ(Messenger.shown.first().caption, QStringLiteral("Message"));
    EXPECT_EQ(Messenger.shown.first().text, QStringLiteral("Your account is ready."));
    EXPECT_EQ(Messenger.shown.first().kind, mkNotice);

    Server->command(QStringLiteral("raw 9 16"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QFile log(Folder.dat(QStringLiteral("log.txt")));
            return log.open(QIODevice::ReadOnly) &&
                   log.readAll().contains("Unknown message received at port ");
        },
        10000));
}

TEST_F(ClientReception, MissingApplicationKeyIsReportedAndTheMessageStillFiled) {
    Registry.deleteKey(Application);
    start();
    Server->command(QStringLiteral("notice 3 03 1234567 ") + voxFile(QStringLiteral("d.vox"), 64));
    ASSERT_TRUE(waitFiled(1));
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown.first().caption, QStringLiteral("Registry doesn't exist"));
    EXPECT_EQ(Messenger.shown.first().text,
              QStringLiteral("Error: last call registry does not exist!"));
    EXPECT_FALSE(Registry.keyExists(Application));
}

TEST_F(ClientReception, StreamWithoutNoticeIsDroppedAndLogged) {
    start();
    Server->command(QStringLiteral("stream ") + voxFile(QStringLiteral("e.vox"), 64));
    ASSERT_TRUE(Server->waitLine(QStringLiteral("sent voice")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QFile log(Folder.dat(QStringLiteral("log.txt")));
            return log.open(QIODevice::ReadOnly) && log.readAll().contains("without a notice");
        },
        10000));
    EXPECT_TRUE(QDir(Folder.dat(QStringLiteral("calls/inbox"))).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(Folder.dat(QStringLiteral("calls")))
                    .entryList({QStringLiteral("stream-*")}, QDir::Files)
                    .isEmpty());
}

TEST_F(ClientReception, CallerInPhonebookIsAnnouncedByNameAndHearingItNowPlaysAndMarksRead) {
    start();
    Phonebook_Entry_Type(Program->services().phonebook(), QStringLiteral("Dana"), QString(),
                         QStringLiteral("dana@example.com"), QStringLiteral("031234567"),
                         QStringLiteral("Levi"));
    Server->command(QStringLiteral("notice 42 03 1234567 ") +
                    voxFile(QStringLiteral("m.vox"), 300));
    TCallForm& form = Program->services().callForm();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.isVisible(); }, 15000));
    auto* label = form.findChild<QLabel*>(QStringLiteral("MsgLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("You have a new telephone message from 031234567 (Dana "
                                            "Levi). Would you like to hear it now?"));
    EXPECT_TRUE(QFile::exists(inbox(QStringLiteral("00000042.cxn"))));

    auto* ok = form.findChild<QAbstractButton*>(QStringLiteral("OKBtn"));
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFile::exists(inbox(QStringLiteral("00000042.cxo"))); }, 5000));
    EXPECT_FALSE(QFile::exists(inbox(QStringLiteral("00000042.cxn"))));
    // The player is handed the message's wave file in the Inbox.
    ASSERT_FALSE(Player.calls.isEmpty());
    EXPECT_TRUE(Player.calls.first().startsWith(QStringLiteral("open ")));
    EXPECT_TRUE(Player.calls.first().endsWith(QStringLiteral("calls/inbox/00000042.wav")))
        << Player.calls.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(Player.calls.contains(QStringLiteral("play")));
    EXPECT_FALSE(Program->services().browser().messages().record(0).IsUnread());
}

TEST_F(ClientReception, UnknownCallerLiveCallIsAnsweredOnItsConnection) {
    start();
    MsgBoxAnswerer answerer;
    answerer.expect(QStringLiteral("You have a phone call"), MsgBoxAnswerer::OK);
    Server->command(QStringLiteral("call 02 7654321"));
    ASSERT_TRUE(answerer.waitForAnswered(1, 15000));
    EXPECT_EQ(answerer.seen().first().text,
              QStringLiteral("You have a phone call from 027654321 (unknown). Would you like to "
                             "answer?"));
    ASSERT_TRUE(Server->waitLine(QStringLiteral("call-answer")));
    EXPECT_TRUE(Server->line(QStringLiteral("call-answer"))
                    .startsWith(QStringLiteral("call-answer 0 size=20")))
        << Server->line(QStringLiteral("call-answer")).toStdString();
    EXPECT_EQ(CallRing.played.size(), 1); // rang before asking
}

} // namespace
