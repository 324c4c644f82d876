#include "shell/msgbox/AppMessageBox.h"

#include "shell/msgbox/TMsgForm.h"

#include <memory>

int ShowAppMessage(const QString& caption, const QString& text, MsgKind kind, MsgButtons buttons,
                   int helpContext, QWidget* parent) {
    std::unique_ptr<TMsgForm> box(
        CreateAppMessage(caption, text, kind, buttons, helpContext, parent));
    return box->exec();
}

TMsgForm* CreateAppMessage(const QString& caption, const QString& text, MsgKind kind,
                           MsgButtons buttons, int helpContext, QWidget* parent) {
    return new TMsgForm(caption, text, kind, buttons, helpContext, parent);
}

int WidgetMessenger::ShowAppMessage(const QString& caption, const QString& text, MsgKind kind,
                                    MsgButtons buttons, int helpContext) {
    return ::ShowAppMessage(caption, text, kind, buttons, helpContext);
}
