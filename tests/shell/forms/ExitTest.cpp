#include "ClientFixture.h"

#include "line/forms/TConnForm.h"
#include "shell/msgbox/AppMessageBox.h"
#include "support/MsgBoxAnswerer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSystemTrayIcon>

namespace {

// Exit answered through the real message box, as a user would.
class ExitWithRealBox : public ClientFixture {
protected:
    ExitWithRealBox() { messenger = &boxes; }
    WidgetMessenger boxes;
    MsgBoxAnswerer answerer;
};

TEST_F(ExitWithRealBox, DeclinedExitKeepsTheProgramRunningWithTheWindowEnabled) {
    start();
    client->show();
    answerer.expect(QStringLiteral("Disconnect Confirmation"), MsgBoxAnswerer::Cancel);
    client->findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
    ASSERT_EQ(answerer.seen().size(), 1);
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("Are you sure you want to exit Nirvo?"));
    EXPECT_TRUE(endedWith.isEmpty());
    EXPECT_TRUE(client->isVisible());
    EXPECT_TRUE(client->isEnabled());
    EXPECT_TRUE(client->trayIcon()->isVisible());
}

TEST_F(ExitWithRealBox, AgreedExitEndsTheProcess) {
    start();
    // From the tray, with the main window hidden.
    answerer.expect(QStringLiteral("Disconnect Confirmation"), MsgBoxAnswerer::OK);
    client->findChild<QAction*>(QStringLiteral("ExitPb"))->trigger();
    ASSERT_EQ(answerer.seen().size(), 1);
    EXPECT_EQ(endedWith, QList<int>{0});
    EXPECT_FALSE(client->trayIcon()->isVisible());
    const QByteArray logText = folder.readFile(QStringLiteral("dat/log.txt"));
    EXPECT_TRUE(logText.contains("Automatic Disconnection")) << logText.constData();
}

TEST_F(ExitWithRealBox, ExitIsRefusedWhileAMessageArrives) {
    start();
    client->show();
    client->connForm()->SetCanDisconnect(false);
    answerer.expect(QStringLiteral("Disconnect Confirmation"), MsgBoxAnswerer::OK);
    answerer.expect(QStringLiteral("Can not exit"), MsgBoxAnswerer::OK);
    EXPECT_FALSE(client->close());
    ASSERT_EQ(answerer.seen().size(), 2);
    EXPECT_EQ(answerer.seen()[1].text,
              QStringLiteral("Nirvo is receiving a message, and can not disconnect.\r\nPlease try "
                             "again in a few seconds."));
    EXPECT_TRUE(endedWith.isEmpty());
    EXPECT_TRUE(client->isEnabled());
    EXPECT_TRUE(client->isVisible());

    // A few seconds later the message is in and the same exit goes through.
    client->connForm()->SetCanDisconnect(true);
    answerer.expect(QStringLiteral("Disconnect Confirmation"), MsgBoxAnswerer::OK);
    EXPECT_TRUE(client->close());
    EXPECT_EQ(endedWith, QList<int>{0});
}

using ExitCleanup = ClientFixture;

TEST_F(ExitCleanup, RemoveEmptiesOnlyTheFilesOfDeletedItems) {
    for (bool remove : {true, false}) {
        SCOPED_TRACE(remove);
        TearDown();
        SetUp();
        client->settings.Remove = remove;
        start();
        folder.writeFile(QStringLiteral("dat/calls/deleted items/00000001.cxo"), "info");
        folder.writeFile(QStringLiteral("dat/calls/deleted items/00000001.wav"), "sound");
        folder.writeFile(QStringLiteral("dat/calls/deleted items/kept/00000002.wav"), "sub");
        folder.writeFile(QStringLiteral("dat/calls/inbox/00000003.cxn"), "inbox");
        folder.writeFile(QStringLiteral("dat/phonebook/a.phn"), "entry");

        fakeMessenger.answers = {mrOK};
        EXPECT_TRUE(client->close());
        EXPECT_EQ(endedWith, QList<int>{0});
        EXPECT_EQ(QFile::exists(folder.dat(QStringLiteral("calls/deleted items/00000001.cxo"))),
                  !remove);
        EXPECT_EQ(QFile::exists(folder.dat(QStringLiteral("calls/deleted items/00000001.wav"))),
                  !remove);
        EXPECT_TRUE(
            QFile::exists(folder.dat(QStringLiteral("calls/deleted items/kept/00000002.wav"))));
        EXPECT_TRUE(QFile::exists(folder.dat(QStringLiteral("calls/inbox/00000003.cxn"))));
        EXPECT_TRUE(QFile::exists(folder.dat(QStringLiteral("phonebook/a.phn"))));
        QDir(folder.dat(QStringLiteral("calls"))).removeRecursively();
        QDir(folder.dat(QStringLiteral("phonebook"))).removeRecursively();
    }
}

using Unregister = ClientFixture;

void seedKeys(MemoryRegistry& reg) {
    for (const char* key : {"Application", "User", "Properties", "Comport", "Follow"}) {
        reg.openKey(QStringLiteral("Software\\Nirvo\\") + QLatin1String(key), true);
        reg.writeString(QStringLiteral("Software\\Nirvo\\") + QLatin1String(key),
                        QStringLiteral("Marker"), QStringLiteral("x"));
    }
    reg.writeInteger(QStringLiteral("Software\\Nirvo\\Application"), QStringLiteral("Last_ID"), 42);
}

TEST_F(Unregister, AgreedDeletesTheFourKeysInOrderAndEnds) {
    seedKeys(registry);
    start();
    fakeMessenger.answers = {mrOK, mrOK};
    client->findChild<QAction*>(QStringLiteral("MenuUnRegister"))->trigger();
    EXPECT_EQ(registry.deleted, QStringList({QStringLiteral("Software\\Nirvo\\Follow"),
                                             QStringLiteral("Software\\Nirvo\\User"),
                                             QStringLiteral("Software\\Nirvo\\Properties"),
                                             QStringLiteral("Software\\Nirvo\\Comport")}));
    for (const char* gone : {"Follow", "User", "Properties", "Comport"})
        EXPECT_FALSE(registry.keyExists(QStringLiteral("Software\\Nirvo\\") + QLatin1String(gone)));
    EXPECT_EQ(registry.readInteger(QStringLiteral("Software\\Nirvo\\Application"),
                                   QStringLiteral("Last_ID")),
              42u);
    ASSERT_EQ(fakeMessenger.shown.size(), 2);
    EXPECT_EQ(fakeMessenger.shown[0].caption,
              QStringLiteral("Are you sure you want to unregister?"));
    EXPECT_EQ(fakeMessenger.shown[0].text,
              QStringLiteral("This will erase your Nirvo user information.\r\nYou will have to "
                             "register again.\r\nAre you sure you want to unregister?"));
    EXPECT_EQ(fakeMessenger.shown[0].kind, mkQuestion);
    EXPECT_EQ(fakeMessenger.shown[0].buttons, mbOKCancel);
    EXPECT_EQ(fakeMessenger.shown[1].caption, QStringLiteral("Nirvo shutdown"));
    EXPECT_EQ(fakeMessenger.shown[1].text,
              QStringLiteral("Nirvo will now Exit.\r\nconnect the internet, Run Nirvo again and "
                             "re-register."));
    EXPECT_EQ(fakeMessenger.shown[1].kind, mkNotice);
    EXPECT_EQ(endedWith, QList<int>{0});
}

TEST_F(Unregister, DeclinedDeletesNothing) {
    seedKeys(registry);
    start();
    fakeMessenger.answers = {mrCancel};
    client->MenuUnRegisterClick();
    EXPECT_TRUE(registry.deleted.isEmpty());
    EXPECT_TRUE(registry.keyExists(QStringLiteral("Software\\Nirvo\\User")));
    EXPECT_EQ(fakeMessenger.shown.size(), 1);
    EXPECT_TRUE(endedWith.isEmpty());
}

TEST_F(Unregister, RefusedDisconnectKeepsRunningWithKeysGone) {
    seedKeys(registry);
    start();
    client->connForm()->SetCanDisconnect(false);
    fakeMessenger.answers = {mrOK, mrOK, mrOK};
    client->MenuUnRegisterClick();
    EXPECT_EQ(registry.deleted.size(), 4);
    ASSERT_EQ(fakeMessenger.shown.size(), 3);
    EXPECT_EQ(fakeMessenger.shown[2].caption, QStringLiteral("Can not exit"));
    EXPECT_TRUE(endedWith.isEmpty());
}

} // namespace
