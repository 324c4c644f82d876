#pragma once

#include "core/AppMessage.h"

#include <QList>

// Records what logic would have shown the user, and answers with a scripted result.
class FakeMessenger : public AppMessenger {
public:
    struct Shown {
        QString caption;
        QString text;
        MsgKind kind;
        MsgButtons buttons;
    };

    int ShowAppMessage(const QString& caption, const QString& text, MsgKind kind,
                       MsgButtons buttons, int helpContext = 0) override;

    // Answers given in order; once used up, every box is answered with `fallback`.
    QList<int> answers;
    int fallback = mrOK;
    QList<Shown> shown;
};
