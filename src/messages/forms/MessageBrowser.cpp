#include "messages/forms/MessageBrowser.h"

#include "core/AppMessage.h"
#include "core/Commands.h"
#include "messages/forms/TFolderForm.h"
#include "messages/forms/TFolderTreeView.h"
#include "messages/forms/TMessageListView.h"
#include "messages/forms/TMoveForm.h"
#include "messages/store/StorePaths.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QWidget>

MessageBrowser::MessageBrowser(QString datDir, AppMessenger& messenger, CommandSwitch& commands,
                               NameLookup lookup, QWidget* window)
    : QObject(window), Messenger(messenger), Commands(commands), Folders(datDir, messenger),
      Messages(datDir, messenger, std::move(lookup)) {
    Tree = new TFolderTreeView(window);
    List = new TMessageListView(Messages, window);
    FolderForm = new TFolderForm(messenger, window);
    MoveForm = new TMoveForm(messenger, window);

    connect(Tree, &TFolderTreeView::nodeChanged, this, &MessageBrowser::TreeViewChange);
    connect(Tree, &TFolderTreeView::entered, this, &MessageBrowser::TreeViewEnter);
    connect(Tree, &TFolderTreeView::messagesDropped, this, &MessageBrowser::TreeViewDragDrop);
    connect(Tree, &QWidget::customContextMenuRequested, this, &MessageBrowser::showFolderPopup);
    connect(List->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MessageBrowser::ListViewSelectItem);
    connect(&Messages, &QAbstractItemModel::modelReset, this, &MessageBrowser::ListViewSelectItem);
    connect(&Messages, &QAbstractItemModel::rowsRemoved, this, &MessageBrowser::ListViewSelectItem);
    connect(List, &QAbstractItemView::doubleClicked, this, &MessageBrowser::ListViewDblClick);
    connect(List->header(), &QHeaderView::sectionClicked, this,
            &MessageBrowser::ListViewColumnClick);
    connect(&Messages, &MessageList::messageMarkedRead, this, &MessageBrowser::messageMarkedRead);
}

MessageBrowser::~MessageBrowser() = default;

bool MessageBrowser::Start() {
    QString error;
    const bool loaded = Folders.Start(&error);
    if (!loaded)
        Messenger.ShowAppMessage(QStringLiteral("Folder tree"), error, mkError, mbOK);
    Tree->setTree(Folders.tree());
    if (QTreeWidgetItem* top = Tree->topLevelItemCount() ? Tree->topLevelItem(0) : nullptr) {
        top->setExpanded(true);
        Tree->setCurrentItem(top);
    }
    SelectFolderByName(QStringLiteral("Inbox"));
    return loaded;
}

void MessageBrowser::SelectFolderByName(const QString& name) {
    Tree->SelectFolderByName(name);
}

QString MessageBrowser::InboxDir() const {
    return StorePaths::InboxDir(Folders.datDir());
}

const Call_Data_Type& MessageBrowser::AddMessageItem(const Call_Info_Type& info,
                                                     const QString& extension,
                                                     const QString& folder) {
    return Messages.AddMessageItem(info, extension, folder);
}

void MessageBrowser::LoadMessageList() {
    FolderNode* node = Tree->selectedNode();
    if (node && !IsPhonebookNode(node))
        Messages.LoadMessageList(Folders.NodeDirectory(node));
}

bool MessageBrowser::MarkRead(const Call_Data_Type& record) {
    return Messages.MarkRead(record);
}

void MessageBrowser::TreeViewChange(FolderNode* node) {
    if (!node)
        return;
    auto set = [this](std::initializer_list<Command> commands, bool on) {
        for (Command c : commands)
            Commands.setCommandEnabled(c, on);
    };
    if (!IsPhonebookNode(node)) {
        PhonebookShown = false;
        Q_EMIT phonebookSelected(false);
        Messages.LoadMessageList(Folders.NodeDirectory(node));
        set({Command::Delete, Command::DeleteEntry, Command::NewToolbar, Command::NewFolder,
             Command::RenameFolder, Command::DeleteFolder},
            true);
        set({Command::Play, Command::Stop}, false);
    } else {
        PhonebookShown = true;
        Q_EMIT phonebookSelected(true);
        set({Command::Play, Command::Stop, Command::Delete, Command::DeleteEntry,
             Command::DeleteFolder, Command::NewFolder, Command::RenameFolder},
            false);
        set({Command::NewToolbar}, true);
    }
    if (IsProtectedFolder(node))
        set({Command::RenameFolder, Command::Delete, Command::DeleteFolder}, false);
}

void MessageBrowser::TreeViewEnter() {
    Commands.setCommandEnabled(Command::Delete, true);
    Commands.setCommandEnabled(Command::DeleteEntry, true);
}

void MessageBrowser::ListViewSelectItem() {
    const QList<int> rows = List->selectedRows();
    const bool any = !rows.isEmpty();
    const bool one = rows.size() == 1;
    for (Command c :
         {Command::Delete, Command::DeleteEntry, Command::MoveMessage, Command::Cut, Command::Copy})
        Commands.setCommandEnabled(c, any);
    Commands.setCommandEnabled(Command::Play, one);
    Commands.setCommandEnabled(Command::Details, one);
    Commands.setCommandEnabled(Command::AddToPhonebook,
                               one && !Messages.displayNumber(rows.first()).trimmed().isEmpty());
    Commands.setCommandEnabled(Command::Paste, false);
}

void MessageBrowser::ListViewDblClick() {
    const QList<int> rows = List->selectedRows();
    if (rows.size() != 1)
        return;
    Q_EMIT playRequested(Messages.record(rows.first()));
    List->viewport()->update();
}

void MessageBrowser::MenuFolderClick() {
    FolderNode* parent = Tree->selectedNode();
    if (!parent || IsPhonebookNode(parent))
        return;
    const std::optional<QString> name = FolderForm->AskName();
    if (!name)
        return;
    if (FolderNode* node = Folders.CreateFolder(parent, *name)) {
        Tree->addNode(node);
        if (QTreeWidgetItem* item = Tree->itemOf(parent))
            item->setExpanded(true);
    }
}

void MessageBrowser::RenameFolderPbClick() {
    FolderNode* node = Tree->selectedNode();
    if (!node || !Folders.CheckRenameAllowed(node))
        return;
    FolderForm->setWindowTitle(QStringLiteral("Rename Folder"));
    const std::optional<QString> name = FolderForm->AskName();
    if (name && Folders.RenameFolder(node, *name)) {
        Tree->renameNode(node);
        // The shown list still names the old directory; show the folder where it now is.
        TreeViewChange(node);
    }
    FolderForm->setWindowTitle(QStringLiteral("Create New Folder"));
}

void MessageBrowser::DeleteFolderPbClick() {
    FolderNode* node = Tree->selectedNode();
    if (!node)
        return;
    Folders.DeleteFolder(node, [this](FolderNode* gone) { Tree->removeNode(gone); });
}

void MessageBrowser::MenuMoveFolderClick() {
    if (List->selectedRows().isEmpty())
        return;
    if (!MoveForm->ChooseFolder(Folders.tree(), Folders.callsDir()))
        return;
    Messages.MoveSelectedMessages(List->selectedRows(), MoveForm->Target);
}

void MessageBrowser::TreeViewDragDrop(FolderNode* node) {
    if (!node)
        return;
    if (IsPhonebookNode(node) || IsCallsNode(node)) {
        Messenger.ShowAppMessage(QStringLiteral("Cannot drag"),
                                 QStringLiteral("You can not drag messages to this folder"),
                                 mkError, mbOK);
        return;
    }
    Messages.MoveSelectedMessages(List->selectedRows(), Folders.callsDir() + FolderPath(node));
}

void MessageBrowser::MbSelectAllClick() {
    List->selectAll();
}

void MessageBrowser::DeleteSelectedMessages() {
    FolderNode* node = Tree->selectedNode();
    Messages.DeleteSelectedMessages(List->selectedRows(), node ? node->Text : QString());
}

bool MessageBrowser::TbDeleteClick() {
    if (Tree->hasFocus()) {
        DeleteFolderPbClick();
        return true;
    }
    if (List->hasFocus()) {
        DeleteSelectedMessages();
        return true;
    }
    return false;
}

void MessageBrowser::ListViewColumnClick(int column) {
    Messages.setSortOrder(MessageList::SortForCaption(
        Messages.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()));
    LoadMessageList();
}

void MessageBrowser::Date1Click() {
    ListViewColumnClick(MessageList::DateColumn);
}

void MessageBrowser::PhoneNumber1Click() {
    ListViewColumnClick(MessageList::NumberColumn);
}

void MessageBrowser::Name1Click() {
    ListViewColumnClick(MessageList::NameColumn);
}

void MessageBrowser::showFolderPopup(const QPoint& pos) {
    QMenu menu(Tree);
    menu.setObjectName(QStringLiteral("FolderPopup"));
    auto add = [&](const QString& name, const QString& text, Command command, auto handler) {
        QAction* action = menu.addAction(text);
        action->setObjectName(name);
        action->setEnabled(Commands.isCommandEnabled(command));
        connect(action, &QAction::triggered, this, handler);
    };
    add(QStringLiteral("NewFolderPb"), QStringLiteral("&New Folder..."), Command::NewFolder,
        &MessageBrowser::MenuFolderClick);
    add(QStringLiteral("RenameFolderPb"), QStringLiteral("&Rename Folder..."),
        Command::RenameFolder, &MessageBrowser::RenameFolderPbClick);
    add(QStringLiteral("DeleteFolderPb"), QStringLiteral("&Delete Folder"), Command::DeleteFolder,
        &MessageBrowser::DeleteFolderPbClick);
    menu.exec(Tree->viewport()->mapToGlobal(pos));
}
