#include "messages/forms/FormLook.h"

#include "shell/msgbox/TImageButton.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QDialog>
#include <QPalette>
#include <QWidget>

namespace {
const QColor WindowColour(255, 204, 102);
}

void ApplyWindowColour(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, WindowColour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void ApplyViewColours(QAbstractItemView* view) {
    QPalette look = view->palette();
    look.setColor(QPalette::Base, WindowColour);
    look.setColor(QPalette::Inactive, QPalette::Highlight,
                  look.color(QPalette::Active, QPalette::Highlight));
    look.setColor(QPalette::Inactive, QPalette::HighlightedText,
                  look.color(QPalette::Active, QPalette::HighlightedText));
    view->setPalette(look);
}

DialogButtons LayOutFolderDialog(QDialog* dialog, QWidget* caption, QWidget* field) {
    const QSize size(46, 40);
    DialogButtons buttons{
        new TImageButton(QStringLiteral("OKBtn"), QStringLiteral("btn_ok"), size, dialog),
        new TImageButton(QStringLiteral("CancelBtn"), QStringLiteral("btn_cancel"), size, dialog)};
    buttons.ok->setText(QStringLiteral("OK"));
    buttons.cancel->setText(QStringLiteral("Cancel"));
    for (TImageButton* button : {buttons.ok, buttons.cancel})
        button->setCaptionShown(true);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(caption);
    layout->addWidget(field);
    layout->addLayout(row);
    QObject::connect(buttons.cancel, &QAbstractButton::clicked, dialog, &QDialog::reject);
    return buttons;
}
