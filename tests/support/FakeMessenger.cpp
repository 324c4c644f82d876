#include "FakeMessenger.h"

int FakeMessenger::ShowAppMessage(const QString& caption, const QString& text, MsgKind kind,
                                  MsgButtons buttons, int) {
    shown.append({caption, text, kind, buttons});
    return answers.isEmpty() ? fallback : answers.takeFirst();
}
