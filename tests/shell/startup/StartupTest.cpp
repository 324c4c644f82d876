#include "line/forms/TConnForm.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/shell/RecordingShell.h"
#include "settings/forms/TPropForm.h"
#include "shell/forms/ClientProgram.h"
#include "shell/forms/TAboutBox.h"
#include "shell/forms/TClientForm.h"
#include "shell/forms/TSplashForm.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

namespace {

struct Started {
    MemoryRegistry registry;
    FakeMessenger messenger;
    RecordingShell shell;
    ClientProgram program{registry, messenger, shell};
    QList<int> ended;
    Started() {
        program.client().EndProcess = [this](int code) { ended.append(code); };
    }
};

TEST(Startup, FreshLogFoldersAndTheConnectionDialogFirst) {
    TempProgramFolder folder;
    folder.writeFile(QStringLiteral("dat/log.txt"), "01/01/2000 00:00:00 - old run\r\n");
    Started s;
    int treeLoads = 0, phonebookLoads = 0;
    s.program.client().LoadFolderTree = [&](TClientForm&) { ++treeLoads; };
    s.program.client().LoadPhonebook = [&](TClientForm& c) {
        ++phonebookLoads;
        EXPECT_EQ(treeLoads, 1) << "the tree loads before the phonebook";
        EXPECT_FALSE(c.connForm()->isVisible()) << "the dialog is shown last";
    };

    // The program file's folder, the way a launcher might spell it.
    ASSERT_TRUE(s.program.Start(folder.programDir() + QStringLiteral("//"), ServicePorts{0, 0}));

    const QByteArray log = folder.readFile(QStringLiteral("dat/log.txt"));
    EXPECT_FALSE(log.contains("old run"));
    const QList<QByteArray> lines = log.split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(" - Client started.\r")) << log.constData();

    for (const char* sub : {"calls/inbox", "calls/deleted items", "phonebook"})
        EXPECT_TRUE(QDir(folder.dat(QLatin1String(sub))).exists()) << sub;

    TClientForm& client = s.program.client();
    EXPECT_EQ(treeLoads, 1);
    EXPECT_EQ(phonebookLoads, 1);
    ASSERT_NE(client.connForm(), nullptr);
    ASSERT_NE(client.propForm(), nullptr);
    EXPECT_EQ(client.connForm()->parent(), &client);
    EXPECT_EQ(client.propForm()->parent(), &client);
    EXPECT_TRUE(client.connForm()->isVisible());
    EXPECT_FALSE(client.isVisible());
    EXPECT_FALSE(client.propForm()->isVisible());
    EXPECT_TRUE(client.trayIcon()->isVisible());
    EXPECT_EQ(client.trayImage(), TClientForm::TrayOffline);
    ASSERT_NE(client.aboutBox(), nullptr);
    ASSERT_NE(client.splashForm(), nullptr);
    EXPECT_FALSE(client.aboutBox()->isVisible());
    EXPECT_FALSE(client.splashForm()->isVisible());
    EXPECT_EQ(client.splashForm()->windowTitle(), QStringLiteral("Please Wait..."));
    EXPECT_FALSE(client.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(s.messenger.shown.isEmpty());
    EXPECT_TRUE(s.ended.isEmpty());
}

TEST(Startup, WithoutDatTheLogFailureIsReportedAndNothingElseRuns) {
    TempProgramFolder folder(false);
    ASSERT_TRUE(QDir(folder.dat()).removeRecursively());
    Started s;
    bool treeLoaded = false;
    s.program.client().LoadFolderTree = [&](TClientForm&) { treeLoaded = true; };

    EXPECT_FALSE(s.program.Start(folder.programDir(), ServicePorts{0, 0}));

    ASSERT_EQ(s.messenger.shown.size(), 1);
    EXPECT_EQ(s.messenger.shown[0].kind, mkError);
    EXPECT_EQ(s.messenger.shown[0].buttons, mbOK);
    EXPECT_TRUE(s.messenger.shown[0].text.contains(QStringLiteral("dat/log.txt")));
    EXPECT_EQ(s.program.client().connForm(), nullptr);
    EXPECT_EQ(s.program.client().propForm(), nullptr);
    EXPECT_FALSE(treeLoaded);
    EXPECT_FALSE(QDir(folder.dat()).exists()) << "no data folders without a log";
    EXPECT_FALSE(s.program.client().trayIcon()->isVisible());
    EXPECT_TRUE(s.ended.isEmpty());
}

} // namespace
