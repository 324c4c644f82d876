#include "messages/forms/TFolderForm.h"

#include "core/AppMessage.h"
#include "messages/forms/FormLook.h"
#include "shell/msgbox/TImageButton.h"

#include <QLabel>
#include <QLineEdit>

TFolderForm::TFolderForm(AppMessenger& messenger, QWidget* parent)
    : QDialog(parent), Messenger(messenger) {
    setObjectName(QStringLiteral("TFolderForm"));
    setWindowTitle(QStringLiteral("Create Folder"));
    ApplyWindowColour(this);
    auto* label = new QLabel(QStringLiteral("Folder Name:"), this);
    FolderEdit = new QLineEdit(this);
    FolderEdit->setObjectName(QStringLiteral("FolderEdit"));
    label->setBuddy(FolderEdit);
    const DialogButtons buttons = LayOutFolderDialog(this, label, FolderEdit);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    connect(OKBtn, &QAbstractButton::clicked, this, &TFolderForm::OKBtnClick);
    // Enter in the name field confirms the name.
    connect(FolderEdit, &QLineEdit::returnPressed, this, &TFolderForm::OKBtnClick);
}

void TFolderForm::OKBtnClick() {
    if (FolderEdit->text().isEmpty()) {
        Messenger.ShowAppMessage(QStringLiteral("Enter folder name"),
                                 QStringLiteral("You must enter a folder name!"), mkError, mbOK);
        return;
    }
    accept();
}

std::optional<QString> TFolderForm::AskName() {
    FolderEdit->clear();
    FolderEdit->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return FolderEdit->text();
}
