#include "messages/forms/FormLook.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QDialog>
#include <QPalette>
#include <QPushButton>
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
    DialogButtons buttons{new QPushButton(QStringLiteral("OK"), dialog),
                          new QPushButton(QStringLiteral("Cancel"), dialog)};
    buttons.ok->setObjectName(QStringLiteral("OKBtn"));
    buttons.ok->setDefault(true);
    buttons.cancel->setObjectName(QStringLiteral("CancelBtn"));

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(caption);
    layout->addWidget(field);
    layout->addLayout(row);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}
