#pragma once

#include "messages/store/FolderTree.h"

#include <QString>
#include <functional>

class AppMessenger;

// The folder tree with its file dat/treeview.txt and the directories below dat/calls/ that its
// nodes stand for. Every change of the tree is done on disk first and written to the tree file
// at once, so that the shown tree, the directories and the file agree.
class FolderStore {
public:
    FolderStore(QString datDir, AppMessenger& messenger);

    // Creates the Inbox, Deleted Items and phonebook directories, then loads the tree file, or
    // writes the first tree when there is none. False when the file cannot be read; the tree is
    // then the first tree (not written) and `error` tells why.
    bool Start(QString* error = nullptr);

    FolderTree& tree() { return Tree; }
    const FolderTree& tree() const { return Tree; }
    QString datDir() const { return DatDir; }
    QString treeFilePath() const;
    QString callsDir() const;
    // The node's directory (dat/calls/ + FolderPath) as it is spelt on disk, ending with '/'.
    QString NodeDirectory(const FolderNode* node) const;

    // Writes the whole tree file; false (and logged) when it cannot be written.
    bool Save();

    // Checks a name typed for a new or renamed folder; shows why when it cannot be used.
    bool CheckFolderName(const QString& name);
    // Creates folder `name` below `parent`; nullptr when refused or failed (the user was told).
    FolderNode* CreateFolder(FolderNode* parent, const QString& name);
    // Refuses (and says so) renaming a folder with one of the fixed names.
    bool CheckRenameAllowed(const FolderNode* node);
    bool RenameFolder(FolderNode* node, const QString& newName);
    // Asks, then deletes the folder's files, its directory and its node. `beforeRemove` is called
    // with the node just before it is freed. False when refused, cancelled or failed.
    bool DeleteFolder(FolderNode* node, const std::function<void(FolderNode*)>& beforeRemove = {});

private:
    QString DatDir;
    AppMessenger& Messenger;
    FolderTree Tree;
};
