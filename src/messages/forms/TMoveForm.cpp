#include "messages/forms/TMoveForm.h"

#include "core/AppMessage.h"
#include "messages/forms/FormLook.h"
#include "messages/store/FolderTree.h"
#include "shell/msgbox/TImageButton.h"

#include <QLabel>
#include <QTreeWidget>

TMoveForm::TMoveForm(AppMessenger& messenger, QWidget* parent)
    : QDialog(parent), Messenger(messenger) {
    setObjectName(QStringLiteral("TMoveForm"));
    setWindowTitle(QStringLiteral("Move Message"));
    ApplyWindowColour(this);
    auto* label = new QLabel(QStringLiteral("Move To Folder:"), this);
    MoveTree = new QTreeWidget(this);
    MoveTree->setObjectName(QStringLiteral("MoveTree"));
    MoveTree->setHeaderHidden(true);
    MoveTree->setIndentation(19);
    const DialogButtons buttons = LayOutFolderDialog(this, label, MoveTree);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    connect(OKBtn, &QAbstractButton::clicked, this, &TMoveForm::OKBtnClick);
}

namespace {
void copyNodes(const std::vector<std::unique_ptr<FolderNode>>& nodes, QTreeWidgetItem* parent,
               QTreeWidget* tree, QHash<QTreeWidgetItem*, const FolderNode*>& map) {
    for (const auto& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, node->Text);
        map.insert(item, node.get());
        copyNodes(node->Children, item, tree, map);
    }
}
} // namespace

bool TMoveForm::ChooseFolder(const FolderTree& tree, const QString& callsDir) {
    MoveTree->clear();
    Nodes.clear();
    Target.clear();
    CallsDir = callsDir;
    copyNodes(tree.roots(), nullptr, MoveTree, Nodes);
    MoveTree->expandAll();
    if (MoveTree->topLevelItemCount() > 0)
        MoveTree->setCurrentItem(MoveTree->topLevelItem(0));
    return exec() == QDialog::Accepted;
}

void TMoveForm::OKBtnClick() {
    QTreeWidgetItem* item = MoveTree->currentItem();
    if (!item || !item->isSelected() || !Nodes.contains(item)) {
        Messenger.ShowAppMessage(QStringLiteral("Select a folder"),
                                 QStringLiteral("You must select a folder!"), mkError, mbOK);
        return;
    }
    Target = CallsDir + FolderPath(Nodes.value(item));
    accept();
}
