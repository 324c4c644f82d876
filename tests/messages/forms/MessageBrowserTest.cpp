#include "messages/forms/MessageBrowser.h"
#include "core/Commands.h"
#include "messages/forms/TFolderForm.h"
#include "messages/forms/TFolderTreeView.h"
#include "messages/forms/TMessageListView.h"
#include "messages/forms/TMoveForm.h"
#include "messages/store/CallTime.h"
#include "messages/store/StorePaths.h"
#include "shell/msgbox/TImageButton.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>

namespace {
class FakeCommands : public CommandSwitch {
public:
    void setCommandEnabled(Command command, bool enabled) override { State[command] = enabled; }
    bool isCommandEnabled(Command command) const override {
        auto it = State.find(command);
        return it != State.end() && it->second;
    }
    std::map<Command, bool> State;
};

const QString Inbox = QStringLiteral("dat/calls/inbox/");

void putMessage(const QString& folder, qint32 number, const QString& caller, int day,
                const QString& extension = UnreadExtension) {
    Call_Info_Type info;
    info.MsgNumber = number;
    info.Caller.FullNumber = caller;
    info.CallTime = CallTime::fromDateTime(QDateTime(QDate(2026, 1, day), QTime(9, 30)));
    QDir().mkpath(folder);
    WriteInfoFile(folder, info, extension);
    QFile wav(folder + MessageFileName(number) + QStringLiteral(".wav"));
    if (wav.open(QIODevice::WriteOnly))
        wav.write("RIFF");
}

class MessageBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(browser.treeView());
        layout->addWidget(browser.listView());
    }

    FolderNode* node(const QString& name) { return browser.folders().tree().findByName(name); }
    QString selectedText() const {
        FolderNode* n = browser.treeView()->selectedNode();
        return n ? n->Text : QString();
    }
    void select(const QString& name) {
        browser.treeView()->setCurrentItem(browser.treeView()->itemOf(node(name)));
    }
    void selectRows(std::initializer_list<int> rows) {
        QTreeView* list = browser.listView();
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    bool on(Command c) const { return commands.isCommandEnabled(c); }

    TempProgramFolder folder{false};
    FakeMessenger messenger;
    FakeCommands commands;
    QHash<QString, QString> phonebook;
    QWidget window;
    MessageBrowser browser{QStringLiteral("dat"), messenger, commands,
                           [this](const QString& n) { return phonebook.value(n); }, &window};
};
} // namespace

TEST_F(MessageBrowserTest, FirstStartShowsTheInboxOfTheFirstTree) {
    putMessage(Inbox, 1, QStringLiteral("111"), 1);
    QSignalSpy phonebookSpy(&browser, &MessageBrowser::phonebookSelected);
    ASSERT_TRUE(browser.Start());
    EXPECT_EQ(folder.readFile(QStringLiteral("dat/treeview.txt")),
              QByteArray("Calls\r\n\tInbox\r\n\tDeleted Items\r\nPhonebook\r\n"));
    EXPECT_EQ(selectedText(), QStringLiteral("Inbox"));
    EXPECT_EQ(browser.listView()->model()->rowCount(), 1);
    ASSERT_FALSE(phonebookSpy.isEmpty());
    EXPECT_FALSE(phonebookSpy.last().at(0).toBool());
    EXPECT_EQ(browser.treeView()->objectName(), QStringLiteral("TreeView"));
    EXPECT_EQ(browser.listView()->objectName(), QStringLiteral("ListView"));
    EXPECT_EQ(browser.treeView()->property("helpContext").toInt(), 110);
    EXPECT_EQ(browser.listView()->property("helpContext").toInt(), 111);
    EXPECT_EQ(browser.listView()->columnWidth(2), 70);
    EXPECT_EQ(browser.treeView()->topLevelItemCount(), 2);
}

TEST_F(MessageBrowserTest, UnreadableTreeFileIsReportedAndTheFirstTreeShown) {
    folder.writeFile(QStringLiteral("dat/treeview.txt"), "Calls\r\n\t\tInbox\r\n");
    EXPECT_FALSE(browser.Start());
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown[0].kind, mkError);
    EXPECT_TRUE(messenger.shown[0].text.contains(QStringLiteral("Invalid level")));
    EXPECT_EQ(selectedText(), QStringLiteral("Inbox"));
}

TEST_F(MessageBrowserTest, SelectingANodeSwitchesListAndCommands) {
    ASSERT_TRUE(browser.Start());
    FolderNode* inbox = node(QStringLiteral("Inbox"));
    FolderNode* work = browser.folders().CreateFolder(inbox, QStringLiteral("Work"));
    browser.treeView()->addNode(work);
    FolderNode* nestedInbox = browser.folders().CreateFolder(work, QStringLiteral("Inbox"));
    browser.treeView()->addNode(nestedInbox);
    FolderNode* userPhonebook = browser.folders().CreateFolder(work, QStringLiteral("phoneBOOK"));
    browser.treeView()->addNode(userPhonebook);

    struct Case {
        FolderNode* node;
        bool phonebook;
        bool renameAndFolderDelete;
    };
    const Case cases[] = {
        {node(QStringLiteral("Calls")), false, false},
        {inbox, false, false},
        {node(QStringLiteral("Deleted Items")), false, false},
        {work, false, true},
        {nestedInbox, false, true},
        {node(QStringLiteral("Phonebook")), true, false},
        {userPhonebook, true, false},
    };
    QSignalSpy phonebookSpy(&browser, &MessageBrowser::phonebookSelected);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node->Text.toStdString() + "/" + FolderPath(c.node).toStdString());
        commands.State[Command::Play] = true;
        commands.State[Command::Stop] = true;
        browser.TreeViewChange(c.node);
        EXPECT_EQ(phonebookSpy.last().at(0).toBool(), c.phonebook);
        EXPECT_EQ(browser.phonebookShown(), c.phonebook);
        EXPECT_FALSE(on(Command::Play));
        EXPECT_FALSE(on(Command::Stop));
        EXPECT_TRUE(on(Command::NewToolbar));
        EXPECT_EQ(on(Command::NewFolder), !c.phonebook);
        EXPECT_EQ(on(Command::DeleteEntry), !c.phonebook);
        EXPECT_EQ(on(Command::RenameFolder), c.renameAndFolderDelete);
        EXPECT_EQ(on(Command::DeleteFolder), c.renameAndFolderDelete);
        EXPECT_EQ(on(Command::Delete), c.renameAndFolderDelete);
    }
    // Entering the tree switches message delete on again.
    browser.TreeViewEnter();
    EXPECT_TRUE(on(Command::Delete));
    EXPECT_TRUE(on(Command::DeleteEntry));
}

TEST_F(MessageBrowserTest, SelectionSwitchesMessageCommands) {
    putMessage(Inbox, 1, QStringLiteral("111"), 1);
    putMessage(Inbox, 2, QStringLiteral("   "), 2);
    putMessage(Inbox, 3, QStringLiteral("333"), 3);
    ASSERT_TRUE(browser.Start());
    struct Case {
        std::initializer_list<int> rows;
        bool any, one, addToPhonebook;
    };
    const Case cases[] = {
        {{0}, true, true, true},
        {{1}, true, true, false}, // blank number
        {{0, 2}, true, false, false},
        {{}, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows.size());
        commands.State[Command::Paste] = true;
        selectRows(c.rows);
        EXPECT_EQ(on(Command::Delete), c.any);
        EXPECT_EQ(on(Command::DeleteEntry), c.any);
        EXPECT_EQ(on(Command::MoveMessage), c.any);
        EXPECT_EQ(on(Command::Cut), c.any);
        EXPECT_EQ(on(Command::Copy), c.any);
        EXPECT_EQ(on(Command::Play), c.one);
        EXPECT_EQ(on(Command::Details), c.one);
        EXPECT_EQ(on(Command::AddToPhonebook), c.addToPhonebook);
        EXPECT_FALSE(on(Command::Paste));
    }
    browser.MbSelectAllClick();
    EXPECT_EQ(browser.listView()->selectedRows(), QList<int>({0, 1, 2}));
    EXPECT_FALSE(on(Command::Play));
}

TEST_F(MessageBrowserTest, SelectFolderByNameIsExactAndKeepsSelectionWhenNothingMatches) {
    ASSERT_TRUE(browser.Start());
    select(QStringLiteral("Deleted Items"));
    browser.SelectFolderByName(QStringLiteral("inbox"));
    EXPECT_EQ(selectedText(), QStringLiteral("Deleted Items"));
    putMessage(Inbox, 4, QStringLiteral("444"), 4);
    browser.SelectFolderByName(QStringLiteral("Inbox"));
    EXPECT_EQ(selectedText(), QStringLiteral("Inbox"));
    EXPECT_EQ(browser.messages().count(), 1); // the change loaded the Inbox
}

TEST_F(MessageBrowserTest, ReceptionAddsToTheShownInbox) {
    ASSERT_TRUE(browser.Start());
    browser.SelectFolderByName(QStringLiteral("Inbox"));
    Call_Info_Type info;
    info.MsgNumber = 42;
    info.Caller.FullNumber = QStringLiteral("0123");
    ASSERT_TRUE(WriteInfoFile(browser.InboxDir(), info, UnreadExtension));
    const Call_Data_Type& rec = browser.AddMessageItem(info, UnreadExtension, browser.InboxDir());
    EXPECT_EQ(rec.GetInfoPath(), QStringLiteral("dat/calls/inbox/00000042.cxn"));
    EXPECT_EQ(browser.messages().count(), 1);
}

TEST_F(MessageBrowserTest, DropsMoveOnlyOntoMessageFolders) {
    putMessage(Inbox, 1, QStringLiteral("111"), 1);
    putMessage(Inbox, 2, QStringLiteral("222"), 2);
    ASSERT_TRUE(browser.Start());
    for (const QString& name : {QStringLiteral("Calls"), QStringLiteral("Phonebook")}) {
        messenger.shown.clear();
        selectRows({0, 1});
        browser.TreeViewDragDrop(node(name));
        ASSERT_EQ(messenger.shown.size(), 1);
        EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Cannot drag"));
        EXPECT_EQ(messenger.shown[0].text,
                  QStringLiteral("You can not drag messages to this folder"));
        EXPECT_EQ(browser.messages().count(), 2);
    }
    browser.TreeViewDragDrop(nullptr);
    EXPECT_EQ(browser.messages().count(), 2);
    selectRows({0});
    browser.TreeViewDragDrop(node(QStringLiteral("Deleted Items")));
    EXPECT_EQ(browser.messages().count(), 1);
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("dat/calls/deleted items/00000001.cxn")));
}

TEST_F(MessageBrowserTest, NewFolderDialogInsistsOnAName) {
    ASSERT_TRUE(browser.Start());
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        TFolderForm* form = browser.folderForm();
        QTest::mouseClick(form->OKBtn, Qt::LeftButton);
        stayedOpen = form->isVisible();
        form->FolderEdit->setText(QStringLiteral("Work"));
        QTest::mouseClick(form->OKBtn, Qt::LeftButton);
    });
    browser.MenuFolderClick();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Enter folder name"));
    EXPECT_EQ(messenger.shown[0].text, QStringLiteral("You must enter a folder name!"));
    FolderNode* work = node(QStringLiteral("Work"));
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(work->Parent, node(QStringLiteral("Inbox")));
    EXPECT_NE(browser.treeView()->itemOf(work), nullptr);
    EXPECT_TRUE(QFileInfo(QStringLiteral("dat/calls/inbox/Work")).isDir());

    // Cancel creates nothing; on the phonebook the command does nothing at all.
    QTimer::singleShot(0, [&] {
        browser.folderForm()->FolderEdit->setText(QStringLiteral("Other"));
        QTest::mouseClick(browser.folderForm()->CancelBtn, Qt::LeftButton);
    });
    browser.MenuFolderClick();
    EXPECT_EQ(node(QStringLiteral("Other")), nullptr);
    select(QStringLiteral("Phonebook"));
    browser.MenuFolderClick(); // would block on the dialog if it opened
    EXPECT_FALSE(browser.folderForm()->isVisible());
}

TEST_F(MessageBrowserTest, RenameUsesItsCaptionThenShowsTheRenamedFolder) {
    ASSERT_TRUE(browser.Start());
    FolderNode* work =
        browser.folders().CreateFolder(node(QStringLiteral("Inbox")), QStringLiteral("Work"));
    browser.treeView()->addNode(work);
    putMessage(QStringLiteral("dat/calls/inbox/Work/"), 9, QStringLiteral("9"), 9);
    select(QStringLiteral("Work"));
    QString captionWhileOpen;
    QTimer::singleShot(0, [&] {
        captionWhileOpen = browser.folderForm()->windowTitle();
        browser.folderForm()->FolderEdit->setText(QStringLiteral("Jobs"));
        // Enter in the name field confirms, like the OK button.
        QTest::keyClick(browser.folderForm()->FolderEdit, Qt::Key_Return);
        if (browser.folderForm()->isVisible())
            browser.folderForm()->reject(); // Enter did nothing: fail below, do not hang
    });
    browser.RenameFolderPbClick();
    EXPECT_EQ(captionWhileOpen, QStringLiteral("Rename Folder"));
    EXPECT_EQ(browser.folderForm()->windowTitle(), QStringLiteral("Create New Folder"));
    EXPECT_EQ(browser.treeView()->itemOf(work)->text(0), QStringLiteral("Jobs"));
    EXPECT_EQ(browser.messages().currentFolder(), QStringLiteral("dat/calls/inbox/Jobs/"));
    EXPECT_EQ(browser.messages().count(), 1);

    select(QStringLiteral("Inbox"));
    browser.RenameFolderPbClick(); // refused before the dialog opens
    EXPECT_EQ(messenger.shown.last().text, QStringLiteral("You can not rename this folder."));
}

TEST_F(MessageBrowserTest, DeleteActsOnTheControlWithTheFocus) {
    putMessage(Inbox, 1, QStringLiteral("111"), 1);
    ASSERT_TRUE(browser.Start());
    FolderNode* work =
        browser.folders().CreateFolder(node(QStringLiteral("Inbox")), QStringLiteral("Work"));
    browser.treeView()->addNode(work);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    // Neither has the focus: not ours to handle.
    window.setFocus();
    EXPECT_FALSE(browser.TbDeleteClick());

    // The list: its messages go to Deleted Items.
    browser.listView()->setFocus();
    selectRows({0});
    EXPECT_TRUE(browser.TbDeleteClick());
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("dat/calls/deleted items/00000001.cxn")));
    EXPECT_EQ(browser.messages().count(), 0);

    // The tree: the selected folder, after the question; another folder is then shown.
    select(QStringLiteral("Work"));
    browser.treeView()->setFocus();
    messenger.answers = {mrOK};
    QSignalSpy changed(browser.treeView(), &TFolderTreeView::nodeChanged);
    EXPECT_TRUE(browser.TbDeleteClick());
    EXPECT_EQ(messenger.shown.last().text,
              QStringLiteral("Delete Folder Work and all its contents?"));
    EXPECT_EQ(node(QStringLiteral("Work")), nullptr);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("dat/calls/inbox/Work")));
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_FALSE(selectedText().isEmpty());
}

TEST_F(MessageBrowserTest, MoveDialogNeedsAFolderAndMovesThere) {
    putMessage(Inbox, 1, QStringLiteral("111"), 1);
    putMessage(Inbox, 2, QStringLiteral("222"), 2);
    ASSERT_TRUE(browser.Start());
    selectRows({1});
    bool firstSelected = false;
    QTimer::singleShot(0, [&] {
        TMoveForm* form = browser.moveForm();
        firstSelected = form->MoveTree->currentItem() == form->MoveTree->topLevelItem(0);
        form->MoveTree->clearSelection();
        QTest::mouseClick(form->OKBtn, Qt::LeftButton);
        QTreeWidgetItem* deleted =
            form->MoveTree
                ->findItems(QStringLiteral("Deleted Items"), Qt::MatchExactly | Qt::MatchRecursive)
                .value(0);
        form->MoveTree->setCurrentItem(deleted);
        QTest::mouseClick(form->OKBtn, Qt::LeftButton);
    });
    browser.MenuMoveFolderClick();
    EXPECT_TRUE(firstSelected);
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Select a folder"));
    EXPECT_EQ(messenger.shown[0].text, QStringLiteral("You must select a folder!"));
    EXPECT_EQ(browser.moveForm()->Target, QStringLiteral("dat/calls/Deleted Items/"));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("dat/calls/deleted items/00000002.cxn")));
    EXPECT_EQ(browser.messages().count(), 1);
}

TEST_F(MessageBrowserTest, DoubleClickPlaysOneMessageAndColumnsSort) {
    putMessage(Inbox, 1, QStringLiteral("222"), 1);
    putMessage(Inbox, 2, QStringLiteral("111"), 2);
    ASSERT_TRUE(browser.Start());
    QSignalSpy play(&browser, &MessageBrowser::playRequested);
    selectRows({0, 1});
    browser.ListViewDblClick();
    EXPECT_TRUE(play.isEmpty());
    selectRows({1});
    browser.ListViewDblClick();
    ASSERT_EQ(play.size(), 1);
    EXPECT_EQ(play.at(0).at(0).value<Call_Data_Type>().MsgNumber, 2);

    Q_EMIT browser.listView()->header()->sectionClicked(1);
    EXPECT_EQ(browser.messages().sortOrder(), MessageSort::Phone);
    EXPECT_EQ(browser.messages().record(0).MsgNumber, 2);
    browser.Date1Click();
    EXPECT_EQ(browser.messages().record(0).MsgNumber, 1);

    QSignalSpy marked(&browser, &MessageBrowser::messageMarkedRead);
    EXPECT_TRUE(browser.MarkRead(browser.messages().record(0)));
    EXPECT_EQ(marked.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("dat/calls/inbox/00000001.cxo")));
}

TEST_F(MessageBrowserTest, ShownListFitsAnUnreadDateAndNumberInBold) {
    putMessage(Inbox, 1, QStringLiteral("0123456789012345"), 28);
    ASSERT_TRUE(browser.Start());
    QTreeView* list = browser.listView();
    list->window()->resize(800, 300);
    list->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    ASSERT_TRUE(list->isVisible());
    QFont bold = list->font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const QAbstractItemModel* model = list->model();
    for (int column : {0, 1}) {
        const QString text = model->index(0, column).data().toString();
        ASSERT_FALSE(text.isEmpty());
        EXPECT_GT(list->columnWidth(column), boldMetrics.horizontalAdvance(text))
            << "column " << column << ": " << text.toStdString();
    }
    EXPECT_EQ(list->columnWidth(2), 70);
}

TEST_F(MessageBrowserTest, DroppingOnTheTreeMovesToTheNodeUnderTheMouse) {
    putMessage(Inbox, 1, QStringLiteral("111"), 1);
    ASSERT_TRUE(browser.Start());
    window.resize(600, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    selectRows({0});
    TFolderTreeView* tree = browser.treeView();
    const QPoint target =
        tree->visualItemRect(tree->itemOf(node(QStringLiteral("Deleted Items")))).center();

    QMimeData foreign;
    foreign.setText(QStringLiteral("not a message"));
    // The tree accepts every drag, but only the message list's drags move anything.
    QDragEnterEvent otherEnter(target, Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &otherEnter);
    EXPECT_TRUE(otherEnter.isAccepted());
    QDropEvent other(target, Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &other);
    EXPECT_EQ(browser.messages().count(), 1);

    std::unique_ptr<QMimeData> ours(browser.messages().mimeData({browser.messages().index(0, 0)}));
    QSignalSpy dropped(tree, &TFolderTreeView::messagesDropped);
    EXPECT_TRUE(tree->viewport()->acceptDrops());
    QDragEnterEvent enter(target, Qt::CopyAction, ours.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(target, Qt::CopyAction, ours.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &drop);
    ASSERT_EQ(dropped.size(), 1);
    EXPECT_EQ(dropped[0][0].value<FolderNode*>(), node(QStringLiteral("Deleted Items")));
    EXPECT_EQ(browser.messages().count(), 0);
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("dat/calls/deleted items/00000001.cxn")));
    EXPECT_EQ(selectedText(), QStringLiteral("Inbox")); // the drop does not change the folder
}
