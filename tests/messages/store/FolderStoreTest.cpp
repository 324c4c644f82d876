#include "messages/store/FolderStore.h"
#include "MessageFixture.h"
#include "messages/store/StorePaths.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

namespace {
const QByteArray FirstTree("Calls\r\n\tInbox\r\n\tDeleted Items\r\nPhonebook\r\n");

FolderNode* node(FolderStore& store, const QString& name) {
    return store.tree().findByName(name);
}

// Every directory below the program folder, relative to it.
QStringList allDirs(const TempProgramFolder& folder) {
    QStringList out;
    QDirIterator it(folder.programDir(), QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(folder.programDir()).relativeFilePath(it.next());
    out.sort();
    return out;
}
} // namespace

TEST(FolderStore, FirstStartWritesTheFirstTreeAndMakesTheDirectories) {
    TempProgramFolder folder(false);
    FakeMessenger messenger;
    FolderStore store(QStringLiteral("dat"), messenger);
    ASSERT_TRUE(store.Start());
    EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")), FirstTree);
    EXPECT_TRUE(QFileInfo(folder.dat(QStringLiteral("calls/inbox"))).isDir());
    EXPECT_TRUE(QFileInfo(folder.dat(QStringLiteral("calls/deleted items"))).isDir());
    EXPECT_TRUE(QFileInfo(folder.dat(QStringLiteral("phonebook"))).isDir());
    EXPECT_TRUE(messenger.shown.isEmpty());

    // A second start reads what the first wrote, including later changes.
    ASSERT_NE(store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("Work")),
              nullptr);
    FolderStore again(QStringLiteral("dat"), messenger);
    ASSERT_TRUE(again.Start());
    EXPECT_EQ(again.tree().toText(), store.tree().toText());
    EXPECT_NE(again.tree().findByName(QStringLiteral("Work")), nullptr);
}

TEST(FolderStore, UnreadableTreeFileIsReportedAndLeftAlone) {
    TempProgramFolder folder(false);
    const QByteArray bad("Calls\r\n\t\t\tInbox\r\n");
    folder.writeFile(QStringLiteral("dat/treeview.txt"), bad);
    FakeMessenger messenger;
    FolderStore store(QStringLiteral("dat"), messenger);
    QString error;
    EXPECT_FALSE(store.Start(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("Invalid level")));
    EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")), bad);
    EXPECT_EQ(store.tree().toText(), FirstTree); // something usable is shown meanwhile
}

TEST(FolderStore, DirectoriesAreFoundWithoutRegardToCase) {
    TempProgramFolder folder(false);
    QDir().mkpath(folder.dat(QStringLiteral("calls/INBOX/Work")));
    QDir().mkpath(folder.dat(QStringLiteral("calls/Deleted ITEMS")));
    FakeMessenger messenger;
    FolderStore store(QStringLiteral("dat"), messenger);
    ASSERT_TRUE(store.Start());
    // No second "inbox" beside "INBOX".
    EXPECT_EQ(
        QDir(folder.dat(QStringLiteral("calls"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
        QStringList({QStringLiteral("Deleted ITEMS"), QStringLiteral("INBOX")}));
    EXPECT_EQ(store.NodeDirectory(node(store, QStringLiteral("Inbox"))),
              QStringLiteral("dat/calls/INBOX/"));
    EXPECT_EQ(StorePaths::InboxDir(QStringLiteral("dat")), QStringLiteral("dat/calls/INBOX/"));
    EXPECT_EQ(StorePaths::ResolveDir(QStringLiteral("dat/calls/inbox/WORK/")),
              QStringLiteral("dat/calls/INBOX/Work/"));
    EXPECT_EQ(StorePaths::ResolveDir(QStringLiteral("dat/calls/inbox/none/x")),
              QStringLiteral("dat/calls/INBOX/none/x/"));
    // Creating "work" under the Inbox finds the directory already there.
    FolderNode* work =
        store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("work"));
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(store.NodeDirectory(work), QStringLiteral("dat/calls/INBOX/Work/"));
}

TEST(FolderStore, CreateRefusesNamesTakenWithoutRegardToCase) {
    TempProgramFolder folder(false);
    FakeMessenger messenger;
    FolderStore store(QStringLiteral("dat"), messenger);
    ASSERT_TRUE(store.Start());
    ASSERT_NE(store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("Work")),
              nullptr);
    EXPECT_EQ(store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("work")),
              nullptr);
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Folder exists"));
    EXPECT_EQ(messenger.shown[0].text, QStringLiteral("Folder already exists"));
    EXPECT_EQ(messenger.shown[0].kind, mkError);
    // The same name elsewhere is another folder.
    FolderNode* other =
        store.CreateFolder(node(store, QStringLiteral("Deleted Items")), QStringLiteral("work"));
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(QFileInfo(folder.dat(QStringLiteral("calls/deleted items/work"))).isDir());
    EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")),
              QByteArray("Calls\r\n\tInbox\r\n\t\tWork\r\n\tDeleted Items\r\n\t\twork\r\n"
                         "Phonebook\r\n"));
}

TEST(FolderStore, NamesThatWouldLeaveTheStoreOrBreakTheTreeFileAreRefused) {
    const QString names[] = {QStringLiteral(".."),      QStringLiteral("."),
                             QStringLiteral("../../x"), QStringLiteral("a/b"),
                             QStringLiteral("a\\b"),    QStringLiteral(" lead"),
                             QStringLiteral("tab\tx"),  QStringLiteral("line\nx")};
    for (const QString& name : names) {
        TempProgramFolder folder(false);
        FakeMessenger messenger;
        FolderStore store(QStringLiteral("dat"), messenger);
        ASSERT_TRUE(store.Start());
        FolderNode* work =
            store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("Work"));
        const QStringList dirsBefore = allDirs(folder);
        const QByteArray treeBefore = folder.readFile(QStringLiteral("dat/treeview.txt"));

        EXPECT_EQ(store.CreateFolder(node(store, QStringLiteral("Inbox")), name), nullptr);
        EXPECT_FALSE(store.RenameFolder(work, name));
        EXPECT_EQ(allDirs(folder), dirsBefore) << name.toStdString();
        EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")), treeBefore);
        EXPECT_EQ(work->Text, QStringLiteral("Work"));
        ASSERT_EQ(messenger.shown.size(), 2);
        EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Invalid folder name"));
        EXPECT_EQ(messenger.shown[0].kind, mkError);
    }
}

TEST(FolderStore, RenameMovesTheDirectoryAndRewritesTheFile) {
    TempProgramFolder folder(false);
    FakeMessenger messenger;
    FolderStore store(QStringLiteral("dat"), messenger);
    ASSERT_TRUE(store.Start());
    FolderNode* work =
        store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("Work"));
    PutMessage(store.NodeDirectory(work), 5, QStringLiteral("555"), QDateTime::currentDateTime());
    ASSERT_TRUE(store.RenameFolder(work, QStringLiteral("Jobs")));
    EXPECT_TRUE(Exists(folder.dat(QStringLiteral("calls/inbox/Jobs/00000005.cxn"))));
    EXPECT_FALSE(Exists(folder.dat(QStringLiteral("calls/inbox/Work"))));
    EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")),
              QByteArray("Calls\r\n\tInbox\r\n\t\tJobs\r\n\tDeleted Items\r\nPhonebook\r\n"));
    // A change of letter case only is a rename too.
    ASSERT_TRUE(store.RenameFolder(work, QStringLiteral("JOBS")));
    EXPECT_TRUE(QFileInfo(folder.dat(QStringLiteral("calls/inbox/JOBS"))).isDir());
    EXPECT_TRUE(messenger.shown.isEmpty());
}

TEST(FolderStore, RenameOntoAnExistingFolderFailsAndChangesNothing) {
    TempProgramFolder folder(false);
    FakeMessenger messenger;
    FolderStore store(QStringLiteral("dat"), messenger);
    ASSERT_TRUE(store.Start());
    FolderNode* inbox = node(store, QStringLiteral("Inbox"));
    FolderNode* work = store.CreateFolder(inbox, QStringLiteral("Work"));
    store.CreateFolder(inbox, QStringLiteral("Play"));
    QDir().mkpath(folder.dat(QStringLiteral("calls/inbox/stray")));
    const QByteArray treeBefore = folder.readFile(QStringLiteral("dat/treeview.txt"));
    for (const QString& name : {QStringLiteral("play"), QStringLiteral("Stray")}) {
        messenger.shown.clear();
        EXPECT_FALSE(store.RenameFolder(work, name));
        ASSERT_EQ(messenger.shown.size(), 1);
        EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Rename error"));
        EXPECT_EQ(messenger.shown[0].text, QStringLiteral("Could not rename folder"));
    }
    EXPECT_EQ(work->Text, QStringLiteral("Work"));
    EXPECT_TRUE(QFileInfo(folder.dat(QStringLiteral("calls/inbox/Work"))).isDir());
    EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")), treeBefore);
}

TEST(FolderStore, FixedNamesCannotBeRenamedAnywhereNorDeletedInTheirPlace) {
    TempProgramFolder folder(false);
    FakeMessenger messenger;
    FolderStore store(QStringLiteral("dat"), messenger);
    ASSERT_TRUE(store.Start());
    FolderNode* work =
        store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("Work"));
    FolderNode* nestedInbox = store.CreateFolder(work, QStringLiteral("Inbox"));
    for (const QString& name : {QStringLiteral("Calls"), QStringLiteral("Inbox"),
                                QStringLiteral("Deleted Items"), QStringLiteral("Phonebook")}) {
        messenger.shown.clear();
        FolderNode* fixed = node(store, name);
        EXPECT_FALSE(store.RenameFolder(fixed, QStringLiteral("Other")));
        EXPECT_FALSE(store.DeleteFolder(fixed));
        ASSERT_EQ(messenger.shown.size(), 2) << name.toStdString();
        EXPECT_EQ(messenger.shown[0].text, QStringLiteral("You can not rename this folder."));
        EXPECT_EQ(messenger.shown[1].caption, QStringLiteral("Delete Confirmation"));
        EXPECT_EQ(messenger.shown[1].text, QStringLiteral("You can not delete this folder."));
        EXPECT_EQ(store.tree().findByName(name), fixed);
    }
    // An "Inbox" inside a user folder: rename refused, delete allowed.
    messenger.shown.clear();
    EXPECT_FALSE(store.RenameFolder(nestedInbox, QStringLiteral("Other")));
    messenger.answers = {mrOK};
    EXPECT_TRUE(store.DeleteFolder(nestedInbox));
    EXPECT_FALSE(Exists(folder.dat(QStringLiteral("calls/inbox/Work/Inbox"))));
    EXPECT_TRUE(work->Children.empty());
}

TEST(FolderStore, DeleteAsksThenRemovesFilesDirectoryAndNode) {
    TempProgramFolder folder(false);
    FakeMessenger messenger;
    FolderStore store(QStringLiteral("dat"), messenger);
    ASSERT_TRUE(store.Start());
    FolderNode* work =
        store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("Work"));
    PutMessage(store.NodeDirectory(work), 5, QStringLiteral("555"), QDateTime::currentDateTime());

    messenger.answers = {mrCancel};
    EXPECT_FALSE(store.DeleteFolder(work));
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Delete Confirmation"));
    EXPECT_EQ(messenger.shown[0].text, QStringLiteral("Delete Folder Work and all its contents?"));
    EXPECT_EQ(messenger.shown[0].kind, mkQuestion);
    EXPECT_EQ(messenger.shown[0].buttons, mbOKCancel);
    EXPECT_TRUE(Exists(folder.dat(QStringLiteral("calls/inbox/Work/00000005.cxn"))));

    messenger.answers = {mrOK};
    FolderNode* removed = nullptr;
    EXPECT_TRUE(store.DeleteFolder(work, [&](FolderNode* n) { removed = n; }));
    EXPECT_EQ(removed, work);
    EXPECT_FALSE(Exists(folder.dat(QStringLiteral("calls/inbox/Work"))));
    EXPECT_EQ(store.tree().findByName(QStringLiteral("Work")), nullptr);
    EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")), FirstTree);
}

TEST(FolderStore, FolderWithSubfoldersIsNotDeletedAtAll) {
    // Sub-folders in the tree, or only on disk: either way nothing may be lost half-way.
    for (bool inTree : {true, false}) {
        TempProgramFolder folder(false);
        FakeMessenger messenger;
        FolderStore store(QStringLiteral("dat"), messenger);
        ASSERT_TRUE(store.Start());
        FolderNode* work =
            store.CreateFolder(node(store, QStringLiteral("Inbox")), QStringLiteral("Work"));
        if (inTree)
            store.CreateFolder(work, QStringLiteral("Old"));
        else
            QDir().mkpath(folder.dat(QStringLiteral("calls/inbox/Work/Old")));
        PutMessage(store.NodeDirectory(work), 5, QStringLiteral("5"), QDateTime::currentDateTime());
        PutMessage(store.NodeDirectory(work) + QStringLiteral("Old/"), 6, QStringLiteral("6"),
                   QDateTime::currentDateTime());
        const QByteArray treeBefore = folder.readFile(QStringLiteral("dat/treeview.txt"));

        messenger.fallback = mrOK;
        EXPECT_FALSE(store.DeleteFolder(work));
        ASSERT_EQ(messenger.shown.size(), 1);
        EXPECT_EQ(messenger.shown[0].kind, mkError);
        EXPECT_TRUE(messenger.shown[0].text.contains(QStringLiteral("Work")));
        EXPECT_TRUE(Exists(folder.dat(QStringLiteral("calls/inbox/Work/00000005.cxn"))));
        EXPECT_TRUE(Exists(folder.dat(QStringLiteral("calls/inbox/Work/00000005.wav"))));
        EXPECT_TRUE(Exists(folder.dat(QStringLiteral("calls/inbox/Work/Old/00000006.cxn"))));
        EXPECT_EQ(store.tree().findByName(QStringLiteral("Work")), work);
        EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")), treeBefore);
    }
}

TEST(FolderStore, CreateDirDropsTrailingSeparatorAndCollapsesDoubles) {
    TempProgramFolder folder(false);
    EXPECT_TRUE(StorePaths::CreateDir(QStringLiteral("dat//a///b/")));
    EXPECT_TRUE(QFileInfo(folder.dat(QStringLiteral("a/b"))).isDir());
    EXPECT_TRUE(StorePaths::CreateDir(QStringLiteral("dat/A/B/")));
    EXPECT_EQ(QDir(folder.dat()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("a")}));
}

TEST(FolderStore, EmptyingDeletedItemsLeavesSubfoldersAndOtherFolders) {
    TempProgramFolder folder(false);
    QDir().mkpath(folder.dat(QStringLiteral("calls/Deleted Items/Kept")));
    QDir().mkpath(folder.dat(QStringLiteral("calls/inbox")));
    PutMessage(QStringLiteral("dat/calls/Deleted Items/"), 1, QStringLiteral("1"),
               QDateTime::currentDateTime());
    PutMessage(QStringLiteral("dat/calls/Deleted Items/Kept/"), 2, QStringLiteral("2"),
               QDateTime::currentDateTime());
    PutMessage(QStringLiteral("dat/calls/inbox/"), 3, QStringLiteral("3"),
               QDateTime::currentDateTime());
    EXPECT_EQ(StorePaths::EmptyDeletedItems(QStringLiteral("dat")), 2);
    EXPECT_FALSE(Exists(folder.dat(QStringLiteral("calls/Deleted Items/00000001.cxn"))));
    EXPECT_TRUE(Exists(folder.dat(QStringLiteral("calls/Deleted Items/Kept/00000002.cxn"))));
    EXPECT_TRUE(Exists(folder.dat(QStringLiteral("calls/inbox/00000003.wav"))));
}
