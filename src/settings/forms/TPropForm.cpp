#include "settings/forms/TPropForm.h"

// Placeholder until the configuration load lands: default settings, never fails.
TPropForm::TPropForm(Registry& registry, AppMessenger& messenger, QWidget* parent)
    : QDialog(parent), Reg(registry), Messenger(messenger) {
    setObjectName(QStringLiteral("PropForm"));
}

bool TPropForm::LoadSettings() {
    return true;
}
