#pragma once

#include <QDialog>
#include <optional>

class AppMessenger;
class QLineEdit;
class TImageButton;

// Asks for a folder name; shared by creating and renaming a folder.
class TFolderForm : public QDialog {
    Q_OBJECT
public:
    explicit TFolderForm(AppMessenger& messenger, QWidget* parent = nullptr);

    // Shows the dialog modally with an empty name field: the name typed, or nullopt on Cancel.
    std::optional<QString> AskName();

    QLineEdit* FolderEdit;
    TImageButton* OKBtn;
    TImageButton* CancelBtn;

private:
    void OKBtnClick();

    AppMessenger& Messenger;
};
