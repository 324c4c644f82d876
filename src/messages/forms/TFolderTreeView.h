#pragma once

#include <QHash>
#include <QTreeWidget>

struct FolderNode;
class FolderTree;

// The message folder tree on the left of the main window. It shows a FolderTree and reports
// selection, focus and drops; the folder operations themselves live in FolderStore.
class TFolderTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TFolderTreeView(QWidget* parent = nullptr);

    static constexpr int HelpContext = 110;

    // Shows `tree` afresh; nothing is selected afterwards.
    void setTree(const FolderTree& tree);
    FolderNode* nodeOf(const QTreeWidgetItem* item) const { return Nodes.value(item); }
    QTreeWidgetItem* itemOf(const FolderNode* node) const { return Items.value(node); }
    FolderNode* selectedNode() const;

    // Keeps the shown tree in step after a folder operation.
    QTreeWidgetItem* addNode(FolderNode* node);
    void removeNode(FolderNode* node);
    void renameNode(const FolderNode* node);

    // Expands the whole tree and selects the first node, in depth-first order, whose text is
    // exactly `name`. Leaves the selection when none matches. True when a node matched.
    bool SelectFolderByName(const QString& name);

Q_SIGNALS:
    // The selected node changed (TreeViewChange); never emitted with nullptr.
    void nodeChanged(FolderNode* node);
    // The tree received the keyboard focus (TreeViewEnter).
    void entered();
    // Messages were dropped onto `node`, which is nullptr when there was no node under the mouse.
    void messagesDropped(FolderNode* node);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QTreeWidgetItem* makeItem(FolderNode* node, QTreeWidgetItem* parent);
    void forget(QTreeWidgetItem* item);

    QHash<const QTreeWidgetItem*, FolderNode*> Nodes;
    QHash<const FolderNode*, QTreeWidgetItem*> Items;
};
