#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

// Answers the program's message boxes the way a user does: it watches for a visible TMsgForm,
// reads its caption and MsgLabel text, and clicks its real OKBtn or CancelBtn.
class MsgBoxAnswerer : public QObject {
public:
    enum Answer { OK, Cancel };
    struct Seen {
        QString caption;
        QString text;
    };

    MsgBoxAnswerer();

    // Queue an answer for the next box whose caption equals `caption` (empty matches any).
    void expect(const QString& caption, Answer answer);
    // Answer every box that no queued expectation matches.
    void answerAllWith(Answer answer) { Default = answer; }

    const QList<Seen>& seen() const { return Boxes; }
    // Runs the event loop until `count` boxes were answered or `ms` passed.
    bool waitForAnswered(int count, int ms = 5000);

private:
    void poll();

    struct Expectation {
        QString caption;
        Answer answer;
    };
    QList<Expectation> Expected;
    std::optional<Answer> Default;
    QList<Seen> Boxes;
    QTimer Timer;
};
