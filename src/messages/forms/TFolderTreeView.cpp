#include "messages/forms/TFolderTreeView.h"

#include "messages/forms/FormLook.h"
#include "messages/store/FolderTree.h"
#include "messages/store/MessageList.h"
#include "shell/msgbox/Artwork.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QMimeData>
#include <QStyle>

TFolderTreeView::TFolderTreeView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("TreeView"));
    setToolTip(QStringLiteral("Message Folders"));
    setWhatsThis(QStringLiteral("Message Folders"));
    setProperty("helpContext", HelpContext);
    setHeaderHidden(true);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    setContextMenuPolicy(Qt::CustomContextMenu);
    ApplyViewColours(this);

    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
                if (FolderNode* node = nodeOf(current))
                    Q_EMIT nodeChanged(node);
            });
}

QTreeWidgetItem* TFolderTreeView::makeItem(FolderNode* node, QTreeWidgetItem* parent) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, node->Text);
    if (node->isRoot())
        // The program's own pictures: the style's stock icons would load every image plugin.
        item->setIcon(0, Artwork::icon(IsPhonebookNode(node) ? QStringLiteral("tree_phonebook")
                                                             : QStringLiteral("tree_folder"),
                                       QSize(16, 16)));
    Nodes.insert(item, node);
    Items.insert(node, item);
    for (const auto& child : node->Children)
        makeItem(child.get(), item);
    return item;
}

void TFolderTreeView::setTree(const FolderTree& tree) {
    const QSignalBlocker quiet(this);
    clear();
    Nodes.clear();
    Items.clear();
    for (const auto& root : tree.roots())
        makeItem(root.get(), nullptr);
}

FolderNode* TFolderTreeView::selectedNode() const {
    QTreeWidgetItem* item = currentItem();
    return item && item->isSelected() ? nodeOf(item) : nullptr;
}

QTreeWidgetItem* TFolderTreeView::addNode(FolderNode* node) {
    QTreeWidgetItem* parent = node->Parent ? itemOf(node->Parent) : nullptr;
    if (node->Parent && !parent)
        return nullptr;
    return makeItem(node, parent);
}

void TFolderTreeView::forget(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
    Items.remove(Nodes.value(item));
    Nodes.remove(item);
}

void TFolderTreeView::removeNode(FolderNode* node) {
    QTreeWidgetItem* item = itemOf(node);
    if (!item)
        return;
    forget(item);
    // Deleting the item moves the current item elsewhere, which shows that folder.
    delete item;
}

void TFolderTreeView::renameNode(const FolderNode* node) {
    if (QTreeWidgetItem* item = itemOf(node))
        item->setText(0, node->Text);
}

bool TFolderTreeView::SelectFolderByName(const QString& name) {
    expandAll();
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->text(0) == name) {
            setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

void TFolderTreeView::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    Q_EMIT entered();
}

void TFolderTreeView::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}

void TFolderTreeView::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void TFolderTreeView::dropEvent(QDropEvent* event) {
    // Only the message list starts drags that mean something here.
    if (!event->mimeData()->hasFormat(MessageList::DragMimeType()))
        return;
    event->acceptProposedAction();
    Q_EMIT messagesDropped(nodeOf(itemAt(event->position().toPoint())));
}
