#include "messages/store/FolderStore.h"

#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "core/FileIO.h"
#include "messages/store/StorePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// A tree file is a few lines per folder; anything this large is not ours.
constexpr qint64 MaxTreeFileBytes = 4 * 1024 * 1024;

QString withoutSlash(QString dir) {
    if (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}
} // namespace

FolderStore::FolderStore(QString datDir, AppMessenger& messenger)
    : DatDir(std::move(datDir)), Messenger(messenger) {}

QString FolderStore::treeFilePath() const {
    return StorePaths::WithSlash(DatDir) + QStringLiteral("treeview.txt");
}

QString FolderStore::callsDir() const {
    return StorePaths::CallsDir(DatDir);
}

QString FolderStore::NodeDirectory(const FolderNode* node) const {
    return StorePaths::ResolveDir(callsDir() + FolderPath(node));
}

bool FolderStore::Start(QString* error) {
    StorePaths::CreateDir(callsDir() + QStringLiteral("inbox/"));
    StorePaths::CreateDir(callsDir() + QStringLiteral("deleted items/"));
    StorePaths::CreateDir(StorePaths::PhonebookDir(DatDir));

    const QString path = treeFilePath();
    if (!QFileInfo::exists(path)) {
        Tree = FolderTree::DefaultTree();
        return Save();
    }
    const std::optional<QByteArray> bytes = FileIO::readBounded(path, MaxTreeFileBytes);
    QString why;
    if (!bytes)
        why = QStringLiteral("The folder tree file %1 cannot be read.").arg(path);
    else if (FolderTree::fromText(*bytes, Tree, &why))
        return true;
    // The file is left as it is, so nothing the user had is overwritten behind their back.
    Tree = FolderTree::DefaultTree();
    WriteLog(why);
    if (error)
        *error = why;
    return false;
}

bool FolderStore::Save() {
    QString why;
    if (FileIO::writeAtomic(treeFilePath(), Tree.toText(), &why))
        return true;
    WriteLog(QStringLiteral("Could not write %1: %2").arg(treeFilePath(), why));
    return false;
}

bool FolderStore::CheckFolderName(const QString& name) {
    // A folder name becomes a directory name under dat/calls/ and a line of the tree file:
    // it must not lead elsewhere, and a leading blank would read back as another tree level.
    if (FileIO::isSafeFileName(name) && !name.startsWith(QLatin1Char(' ')))
        return true;
    Messenger.ShowAppMessage(QStringLiteral("Invalid folder name"),
                             QStringLiteral("A folder name can not be \".\" or \"..\", can not "
                                            "begin with a blank and can not contain / or \\."),
                             mkError, mbOK);
    return false;
}

FolderNode* FolderStore::CreateFolder(FolderNode* parent, const QString& name) {
    if (!parent || IsPhonebookNode(parent) || !CheckFolderName(name))
        return nullptr;
    if (FolderTree::childNamed(parent, name)) {
        Messenger.ShowAppMessage(QStringLiteral("Folder exists"),
                                 QStringLiteral("Folder already exists"), mkError, mbOK);
        return nullptr;
    }
    if (!StorePaths::CreateDir(NodeDirectory(parent) + name + QLatin1Char('/'))) {
        Messenger.ShowAppMessage(QStringLiteral("Folder error"),
                                 QStringLiteral("Could not create folder"), mkError, mbOK);
        return nullptr;
    }
    FolderNode* node = parent->addChild(name);
    Save();
    return node;
}

bool FolderStore::CheckRenameAllowed(const FolderNode* node) {
    if (!node)
        return false;
    // A root stands for dat/calls/ itself, whatever its name.
    if (!HasFixedName(node) && !node->isRoot())
        return true;
    Messenger.ShowAppMessage(QStringLiteral("Rename error"),
                             QStringLiteral("You can not rename this folder."), mkError, mbOK);
    return false;
}

bool FolderStore::RenameFolder(FolderNode* node, const QString& newName) {
    if (!CheckRenameAllowed(node) || !CheckFolderName(newName))
        return false;
    const QString oldDir = NodeDirectory(node);
    const QString newDir =
        StorePaths::ResolveDir(NodeDirectory(node->Parent) + newName + QLatin1Char('/'));
    const FolderNode* sibling = FolderTree::childNamed(node->Parent, newName);
    const bool taken = (sibling && sibling != node) ||
                       (QFileInfo(newDir).exists() && !StorePaths::SameDirectory(newDir, oldDir));
    const QString target = withoutSlash(NodeDirectory(node->Parent)) + QLatin1Char('/') + newName;
    if (taken || !QFileInfo(oldDir).isDir() || !QDir().rename(withoutSlash(oldDir), target)) {
        Messenger.ShowAppMessage(QStringLiteral("Rename error"),
                                 QStringLiteral("Could not rename folder"), mkError, mbOK);
        return false;
    }
    node->Text = newName;
    Save();
    return true;
}

bool FolderStore::DeleteFolder(FolderNode* node,
                               const std::function<void(FolderNode*)>& beforeRemove) {
    if (!node)
        return false;
    if (IsProtectedFolder(node) || node->isRoot()) {
        Messenger.ShowAppMessage(QStringLiteral("Delete Confirmation"),
                                 QStringLiteral("You can not delete this folder."), mkError, mbOK);
        return false;
    }
    const QString dir = NodeDirectory(node);
    const QDir qdir(dir);
    const bool hasSubfolders =
        !node->Children.empty() ||
        (qdir.exists() &&
         !qdir.entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
              .isEmpty());
    if (hasSubfolders) {
        // Checked before anything is deleted: a half-done delete would lose this folder's
        // messages and still leave it in the tree.
        Messenger.ShowAppMessage(QStringLiteral("Delete Confirmation"),
                                 QStringLiteral("Folder %1 holds other folders. Delete or move "
                                                "them first.")
                                     .arg(node->Text),
                                 mkError, mbOK);
        return false;
    }
    if (Messenger.ShowAppMessage(QStringLiteral("Delete Confirmation"),
                                 QStringLiteral("Delete Folder ") + node->Text +
                                     QStringLiteral(" and all its contents?"),
                                 mkQuestion, mbOKCancel) != mrOK)
        return false;

    if (qdir.exists()) {
        const QStringList files =
            qdir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& file : files)
            QFile::remove(qdir.filePath(file));
        if (!QDir().rmdir(withoutSlash(dir))) {
            Messenger.ShowAppMessage(QStringLiteral("Delete Confirmation"),
                                     QStringLiteral("Could not delete folder ") + node->Text,
                                     mkError, mbOK);
            return false;
        }
    }
    if (beforeRemove)
        beforeRemove(node);
    Tree.remove(node);
    Save();
    return true;
}
