#pragma once

#include <QDialog>
#include <QHash>

class AppMessenger;
struct FolderNode;
class FolderTree;
class TImageButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Move Message": picks the folder the selected messages go to.
class TMoveForm : public QDialog {
    Q_OBJECT
public:
    explicit TMoveForm(AppMessenger& messenger, QWidget* parent = nullptr);

    // Fills MoveTree with a copy of `tree`, selects its first node and shows the dialog modally.
    // On OK, Target holds callsDir + FolderPath of the chosen node.
    bool ChooseFolder(const FolderTree& tree, const QString& callsDir);

    QString Target;
    QTreeWidget* MoveTree;
    TImageButton* OKBtn;
    TImageButton* CancelBtn;

private:
    void OKBtnClick();

    AppMessenger& Messenger;
    QString CallsDir;
    QHash<QTreeWidgetItem*, const FolderNode*> Nodes;
};
