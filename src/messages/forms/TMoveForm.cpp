#include "messages/forms/TMoveForm.h"

#include "core/AppMessage.h"
#include "messages/forms/FormLook.h"
#include "messages/store/FolderTree.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

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
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(MoveTree);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TMoveForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
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
