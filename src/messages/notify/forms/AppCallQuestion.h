#pragma once

#include "messages/notify/IncomingCallHandler.h"
#include "shell/msgbox/TMsgForm.h"

#include <QPointer>

class QWidget;

// The call question on the program's message box (CreateAppMessage, kind question, OK and
// Cancel, help context 0), application-modal while on screen.
class AppCallQuestion : public CallQuestion {
public:
    AppCallQuestion(const QString& caption, const QString& text, QWidget* parent = nullptr);
    ~AppCallQuestion() override;

    void open(std::function<void(int result)> closed) override;
    void withdraw() override;

    TMsgForm* box() const { return Box; }

private:
    QPointer<TMsgForm> Box;
};

// The factory IncomingCallHandler is given in the running program.
CallQuestionFactory AppCallQuestions(QWidget* parent = nullptr);
