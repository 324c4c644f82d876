#include "messages/notify/forms/AppCallQuestion.h"

#include "shell/msgbox/AppMessageBox.h"
#include "shell/msgbox/TMsgForm.h"

AppCallQuestion::AppCallQuestion(const QString& caption, const QString& text, QWidget* parent)
    : Box(CreateAppMessage(caption, text, mkQuestion, mbOKCancel, 0, parent)) {}

AppCallQuestion::~AppCallQuestion() {
    if (Box) {
        Box->disconnect();
        Box->hide();
        // Later: this may run while the box is still delivering its own click.
        Box->deleteLater();
    }
}

void AppCallQuestion::open(std::function<void(int result)> closed) {
    if (!Box)
        return;
    QObject::connect(Box, &QDialog::finished, Box, [closed = std::move(closed)](int result) {
        if (closed)
            closed(result);
    });
    Box->setWindowModality(Qt::ApplicationModal);
    Box->show();
    Box->raise();
    Box->activateWindow();
}

void AppCallQuestion::withdraw() {
    if (!Box)
        return;
    QObject::disconnect(Box, &QDialog::finished, nullptr, nullptr);
    Box->hide();
}

CallQuestionFactory AppCallQuestions(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const QString& caption, const QString& text) -> std::unique_ptr<CallQuestion> {
        return std::make_unique<AppCallQuestion>(caption, text, owner.data());
    };
}
