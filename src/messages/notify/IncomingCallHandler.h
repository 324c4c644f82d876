#pragma once

#include "messages/notify/NoticeTexts.h"
#include "server/records/ServerRecords.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTcpSocket;
class SoundPlayer;

// The question "Would you like to answer?" on screen, seen from the call handling.
class CallQuestion {
public:
    virtual ~CallQuestion();
    // Shows the question modally for the user (other windows take no input) but returns at once.
    // When the user answers, calls `closed` once with mrOK or mrCancel, from the event loop.
    virtual void open(std::function<void(int result)> closed) = 0;
    // Takes the question off the screen for good; `closed` is not called after this.
    virtual void withdraw() = 0;
};

// Makes the question box for a caption and text (the program's message box, kind question,
// buttons OK and Cancel).
using CallQuestionFactory =
    std::function<std::unique_ptr<CallQuestion>(const QString& caption, const QString& text)>;

// The ring to play for a call, or nothing when ringing is off (see ChooseRing).
using RingChooser = std::function<std::optional<QString>()>;

// Live calls the server holds on the line: ring, ask the user, and answer with one
// Call_Answer_Type on the connection that brought the call.
//
// Several calls may be open at once; each gets its own question, the most recent one on top.
// A withdrawal (ID 8) acts on the most recent call still open, and when that one is settled the
// one before it is again the most recent. A call withdrawn while it is still ringing never shows
// its question. A withdrawn call sends no answer: the server has already given up on it.
//
// The answer leaves as soon as the user clicks, whatever other calls are still open. The
// connection is never closed here; if the server closes it (and the socket goes away) while the
// question is open, the answer is simply not sent.
class IncomingCallHandler : public QObject {
    Q_OBJECT
public:
    // `ringPlayer` must be this handler's own: the end of each ring is told apart by counting
    // the player's finished() signals. All collaborators must outlive the handler.
    IncomingCallHandler(NameLookup lookupName, SoundPlayer& ringPlayer, RingChooser chooseRing,
                        CallQuestionFactory makeQuestion, QObject* parent = nullptr);
    ~IncomingCallHandler() override;

    // ID 7. Returns when the call is settled (answered or withdrawn); the event loop runs
    // meanwhile, so further records, calls and withdrawals are handled inside this wait.
    // `connection` may be null or go away meanwhile; the answer is then not sent.
    void HandleIncomingCall(const Incoming_Call_Type& call, QTcpSocket* connection);
    // ID 8: withdraws the most recent open call; does nothing when none is open.
    void HandleIncomingCallEnd(const Incoming_Call_End_Type& end);

    // Calls ringing or asking.
    int openCalls() const { return int(Calls.size()); }
    // Whether a question is on screen for the most recent open call.
    bool questionOpen() const;

Q_SIGNALS:
    // An answer went out (or failed to) for a call: `answer` as sent on the wire.
    void answerSent(quint8 answer, bool delivered);

private:
    struct Call;
    void ringFinished();
    void ask(const std::shared_ptr<Call>& call);
    void answered(const std::shared_ptr<Call>& call, int result);
    void settle(const std::shared_ptr<Call>& call);

    NameLookup LookupName;
    SoundPlayer& RingPlayer;
    RingChooser ChooseRingFor;
    CallQuestionFactory MakeQuestion;
    std::vector<std::shared_ptr<Call>> Calls; // open calls, most recent last
    quint64 RingsStarted = 0;
    quint64 RingsFinished = 0;
};
