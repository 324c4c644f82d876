#pragma once

#include "core/AppMessage.h"

class QWidget;
class TMsgForm;

// Builds the program's message box, shows it modally, destroys it and returns mrOK or mrCancel.
int ShowAppMessage(const QString& caption, const QString& text, MsgKind kind, MsgButtons buttons,
                   int helpContext = 0, QWidget* parent = nullptr);

// Builds the same box without showing it. The caller owns it: shows it (modally or not), may end
// it with done(mrOK), hides it and deletes it.
TMsgForm* CreateAppMessage(const QString& caption, const QString& text, MsgKind kind,
                           MsgButtons buttons, int helpContext = 0, QWidget* parent = nullptr);

// The messenger the running program hands to its logic: every question is a real message box.
class WidgetMessenger : public AppMessenger {
public:
    int ShowAppMessage(const QString& caption, const QString& text, MsgKind kind,
                       MsgButtons buttons, int helpContext = 0) override;
};
