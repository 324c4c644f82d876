#pragma once

#include "messages/store/CallData.h"
#include "messages/store/FolderStore.h"
#include "messages/store/MessageList.h"

#include <QObject>

class AppMessenger;
class CommandSwitch;
class TFolderForm;
class TFolderTreeView;
class TMessageListView;
class TMoveForm;
class QWidget;

// The folder tree and the message list of the main window, with their dialogs and commands.
// The main window places treeView() and listView(), routes its commands here, and listens to
// phonebookSelected() to show either this message list or its phonebook list.
class MessageBrowser : public QObject {
    Q_OBJECT
public:
    // `datDir` is the program's dat/ folder; `window` parents the widgets and dialogs.
    MessageBrowser(QString datDir, AppMessenger& messenger, CommandSwitch& commands,
                   NameLookup lookup, QWidget* window);
    ~MessageBrowser() override;

    TFolderTreeView* treeView() const { return Tree; }
    TMessageListView* listView() const { return List; }
    TFolderForm* folderForm() const { return FolderForm; }
    TMoveForm* moveForm() const { return MoveForm; }
    FolderStore& folders() { return Folders; }
    MessageList& messages() { return Messages; }

    // Start-up: makes the standard directories, loads the tree file (or writes the first
    // tree), expands the first root, selects the top node, then selects "Inbox". A tree file
    // that cannot be read is reported and the first tree is shown instead; false then.
    bool Start();

    // Expands the tree and selects the first node whose text is exactly `name`; the selection
    // change shows that folder. SelectFolderByName("Inbox") before a message is filed.
    void SelectFolderByName(const QString& name);
    // The directory new messages are filed in (dat/calls/inbox/ as spelt on disk).
    QString InboxDir() const;
    // Appends one message to the shown list (reception, after writing its info file).
    const Call_Data_Type& AddMessageItem(const Call_Info_Type& info, const QString& extension,
                                         const QString& folder);
    // Rebuilds the list from the selected folder.
    void LoadMessageList();
    // Marks a message read on disk and in the list (playback); messageMarkedRead() follows.
    bool MarkRead(const Call_Data_Type& record);
    bool phonebookShown() const { return PhonebookShown; }

    // Commands.
    void MenuFolderClick();     // File, New, Folder; popup New Folder; toolbar New on messages
    void RenameFolderPbClick(); // also File, Rename Folder
    void DeleteFolderPbClick();
    void MenuMoveFolderClick(); // also the message popup's Move
    void MbSelectAllClick();
    void DeleteSelectedMessages();
    // The shared Delete command: acts on the folder tree or the message list, whichever has the
    // keyboard focus. False when neither has it (the phonebook list's turn).
    bool TbDeleteClick();
    void Date1Click();
    void PhoneNumber1Click();
    void Name1Click();
    void ListViewColumnClick(int column);
    // A drop of the selected messages on `node` (nullptr: no node under the mouse).
    void TreeViewDragDrop(FolderNode* node);

    // The handlers behind the widgets' events.
    void TreeViewChange(FolderNode* node);
    void TreeViewEnter();
    void ListViewSelectItem();
    void ListViewDblClick();

Q_SIGNALS:
    // true: the phonebook list is to be shown and loaded; false: the message list is shown.
    void phonebookSelected(bool phonebook);
    // Double click on exactly one message.
    void playRequested(const Call_Data_Type& record);
    // An unread message was marked read: the tray shows the online icon.
    void messageMarkedRead();

private:
    void showFolderPopup(const QPoint& pos);

    AppMessenger& Messenger;
    CommandSwitch& Commands;
    FolderStore Folders;
    MessageList Messages;
    TFolderTreeView* Tree;
    TMessageListView* List;
    TFolderForm* FolderForm;
    TMoveForm* MoveForm;
    bool PhonebookShown = false;
};
