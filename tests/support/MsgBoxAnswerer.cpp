#include "MsgBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>

MsgBoxAnswerer::MsgBoxAnswerer() {
    Timer.setInterval(5);
    connect(&Timer, &QTimer::timeout, this, &MsgBoxAnswerer::poll);
    Timer.start();
}

void MsgBoxAnswerer::expect(const QString& caption, Answer answer) {
    Expected.append({caption, answer});
}

void MsgBoxAnswerer::poll() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || qstrcmp(w->metaObject()->className(), "TMsgForm") != 0)
            continue;
        std::optional<Answer> answer;
        for (qsizetype i = 0; i < Expected.size(); ++i) {
            if (Expected[i].caption.isEmpty() || Expected[i].caption == w->windowTitle()) {
                answer = Expected[i].answer;
                Expected.removeAt(i);
                break;
            }
        }
        if (!answer)
            answer = Default;
        if (!answer)
            continue;
        auto* label = w->findChild<QLabel*>(QStringLiteral("MsgLabel"));
        auto* button = w->findChild<QAbstractButton*>(*answer == OK ? QStringLiteral("OKBtn")
                                                                    : QStringLiteral("CancelBtn"));
        if (!button || !button->isVisible())
            continue;
        Boxes.append({w->windowTitle(), label ? label->text() : QString()});
        QTest::mouseClick(button, Qt::LeftButton);
        return; // one box per round: the click may have changed the widget list
    }
}

bool MsgBoxAnswerer::waitForAnswered(int count, int ms) {
    return QTest::qWaitFor([&] { return Boxes.size() >= count; }, ms);
}
