#include "messages/notify/IncomingCallHandler.h"

#include "core/AppMessage.h"
#include "platform/sound/SoundPlayer.h"
#include "server/records/ClientRecords.h"
#include "server/transport/RecordSend.h"

#include <QEventLoop>
#include <QPointer>
#include <QTcpSocket>
#include <algorithm>

CallQuestion::~CallQuestion() = default;

struct IncomingCallHandler::Call {
    enum State { Ringing, Asking, Settled };

    QPointer<QTcpSocket> Connection;
    QString Text;
    State Now = Ringing;
    quint64 RingTicket = 0; // the count of finished rings at which this call's ring has ended
    std::unique_ptr<CallQuestion> Question;
    QEventLoop* Wait = nullptr;
};

IncomingCallHandler::IncomingCallHandler(NameLookup lookupName, SoundPlayer& ringPlayer,
                                         RingChooser chooseRing, CallQuestionFactory makeQuestion,
                                         QObject* parent)
    : QObject(parent), LookupName(std::move(lookupName)), RingPlayer(ringPlayer),
      ChooseRingFor(std::move(chooseRing)), MakeQuestion(std::move(makeQuestion)) {
    connect(&RingPlayer, &SoundPlayer::finished, this, &IncomingCallHandler::ringFinished);
}

IncomingCallHandler::~IncomingCallHandler() {
    // Only at the end of the run: no answer goes out for what is still open.
    for (const auto& call : Calls) {
        if (call->Question)
            call->Question->withdraw();
        call->Now = Call::Settled;
        if (call->Wait)
            call->Wait->quit();
    }
}

bool IncomingCallHandler::questionOpen() const {
    return !Calls.empty() && Calls.back()->Now == Call::Asking;
}

void IncomingCallHandler::HandleIncomingCall(const Incoming_Call_Type& record,
                                             QTcpSocket* connection) {
    auto call = std::make_shared<Call>();
    call->Connection = connection;
    call->Text =
        IncomingCallText(GetDisplayNumber(record.Caller), CallerName(LookupName, record.Caller));
    Calls.push_back(call);

    const std::optional<QString> ring = ChooseRingFor ? ChooseRingFor() : std::nullopt;
    if (ring) {
        call->RingTicket = ++RingsStarted;
        RingPlayer.play(*ring);
    } else {
        ask(call);
    }

    // Everything from here on is driven by signals; this wait only keeps the connection in use
    // (the listening port drops idle connections) until the call is settled.
    if (call->Now != Call::Settled) {
        QEventLoop wait;
        call->Wait = &wait;
        wait.exec();
        call->Wait = nullptr;
    }
    call->Question.reset();
}

void IncomingCallHandler::HandleIncomingCallEnd(const Incoming_Call_End_Type&) {
    if (Calls.empty())
        return;
    const std::shared_ptr<Call> call = Calls.back();
    settle(call); // first, so nothing the box does on its way out counts as an answer
    if (call->Question)
        call->Question->withdraw();
}

void IncomingCallHandler::ringFinished() {
    ++RingsFinished;
    // Copy: asking may run further calls' events that change the list.
    const auto calls = Calls;
    for (const auto& call : calls)
        if (call->Now == Call::Ringing && call->RingTicket <= RingsFinished)
            ask(call);
}

void IncomingCallHandler::ask(const std::shared_ptr<Call>& call) {
    call->Now = Call::Asking;
    call->Question = MakeQuestion ? MakeQuestion(IncomingCallCaption, call->Text) : nullptr;
    if (!call->Question) {
        // Nobody to ask: the user cannot answer, which declines the call.
        answered(call, mrCancel);
        return;
    }
    std::weak_ptr<Call> weak = call;
    call->Question->open([this, weak](int result) {
        if (const auto c = weak.lock())
            answered(c, result);
    });
}

void IncomingCallHandler::answered(const std::shared_ptr<Call>& call, int result) {
    if (call->Now != Call::Asking)
        return; // withdrawn, or answered already: at most one answer per call
    Call_Answer_Type answer;
    answer.Answer = result == mrOK ? Call_Answer_Type::WillAnswer : Call_Answer_Type::Declines;
    bool delivered = false;
    if (call->Connection)
        delivered = SendRecord(answer, *call->Connection); // a failure is silenced
    settle(call);
    Q_EMIT answerSent(answer.Answer, delivered);
}

void IncomingCallHandler::settle(const std::shared_ptr<Call>& call) {
    call->Now = Call::Settled;
    Calls.erase(std::remove(Calls.begin(), Calls.end(), call), Calls.end());
    if (call->Wait)
        call->Wait->quit();
}
