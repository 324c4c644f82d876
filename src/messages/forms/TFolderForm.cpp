#include "messages/forms/TFolderForm.h"

#include "core/AppMessage.h"
#include "messages/forms/FormLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFolderForm::TFolderForm(AppMessenger& messenger, QWidget* parent)
    : QDialog(parent), Messenger(messenger) {
    setObjectName(QStringLiteral("TFolderForm"));
    setWindowTitle(QStringLiteral("Create Folder"));
    ApplyWindowColour(this);
    auto* label = new QLabel(QStringLiteral("Folder Name:"), this);
    FolderEdit = new QLineEdit(this);
    FolderEdit->setObjectName(QStringLiteral("FolderEdit"));
    label->setBuddy(FolderEdit);
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
    layout->addWidget(FolderEdit);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TFolderForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
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
