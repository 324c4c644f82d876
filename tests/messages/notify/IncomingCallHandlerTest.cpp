// Live calls on real loopback connections: the ring, the question, the answer bytes, withdrawals
// and several calls at once. The question is a fake the test answers through the event loop.
#include "CallTestSupport.h"

#include "core/AppMessage.h"
#include "platform/sound/FakeSoundPlayer.h"

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The golden answer: ID 69, check 3034 (0x0BDA), size 20, Answer at 16.
QByteArray goldenAnswer(quint8 answer) {
    QByteArray bytes = QByteArray::fromHex("4500DA0B140000000000000000000000");
    bytes.append(char(answer));
    bytes.append(3, '\0');
    return bytes;
}

Incoming_Call_Type callFrom(const QString& area, const QString& number) {
    Incoming_Call_Type call;
    call.Caller = Phone_Number_Type(area, number);
    return call;
}

void later(std::function<void()> step) {
    QTimer::singleShot(0, qApp, std::move(step));
}

class IncomingCallHandlerTest : public ::testing::Test {
protected:
    // One connection as the client's listening port sees it (`accepted`), with the server's end
    // (`peer`) reading what the client answers.
    struct Line {
        std::unique_ptr<QTcpSocket> peer;
        QTcpSocket* accepted = nullptr;
        QByteArray received() {
            QTest::qWait(20); // anything in flight arrives
            return peer->readAll();
        }
    };

    void SetUp() override {
        ASSERT_TRUE(Listener.listen(QHostAddress::LocalHost, 0));
        Player.finishOnDemand = true;
    }

    Line connect() {
        Line line;
        line.peer = std::make_unique<QTcpSocket>();
        line.peer->connectToHost(QHostAddress::LocalHost, Listener.serverPort());
        EXPECT_TRUE(line.peer->waitForConnected(5000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return Listener.hasPendingConnections(); }, 5000));
        line.accepted = Listener.nextPendingConnection();
        return line;
    }

    static bool waitBytes(Line& line, qint64 count) {
        return QTest::qWaitFor([&] { return line.peer->bytesAvailable() >= count; }, 5000);
    }

    QTcpServer Listener;
    FakeSoundPlayer Player;
    FakeQuestionLog Questions;
    std::optional<QString> Ring;
    QHash<QString, QString> Phonebook{{QStringLiteral("031234567"), QStringLiteral("Dana Levi")}};
    IncomingCallHandler Handler{[this](const QString& n) { return Phonebook.value(n); }, Player,
                                [this] { return Ring; }, Questions.factory()};
};

} // namespace

TEST_F(IncomingCallHandlerTest, EachAnswerIsOneTwentyByteRecordOnTheConnectionThatStaysOpen) {
    const struct {
        int result;
        quint8 answer;
    } cases[] = {{mrOK, 0}, {mrCancel, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        Line line = connect();
        Questions.onOpen = [&](FakeQuestionLog::Entry& q) {
            later([&q, c] { q.closed(c.result); });
        };
        Handler.HandleIncomingCall(callFrom(QStringLiteral("03"), QStringLiteral("1234567")),
                                   line.accepted);
        ASSERT_TRUE(waitBytes(line, 20));
        EXPECT_EQ(line.received(), goldenAnswer(c.answer)) << "exactly one record";
        EXPECT_EQ(line.accepted->state(), QAbstractSocket::ConnectedState);
        EXPECT_EQ(line.peer->state(), QAbstractSocket::ConnectedState);
        EXPECT_EQ(Handler.openCalls(), 0);
        // A late second click on the same box is no second answer.
        Questions.entries.back()->closed(mrOK);
        EXPECT_TRUE(line.received().isEmpty());
    }
    ASSERT_EQ(Questions.entries.size(), 2u);
    EXPECT_EQ(Questions.entries[0]->caption, QStringLiteral("You have a phone call"));
    EXPECT_EQ(Questions.entries[0]->text,
              QStringLiteral("You have a phone call from 031234567 (Dana Levi). Would you like to "
                             "answer?"));
}

TEST_F(IncomingCallHandlerTest, ACallerWithoutAnEntryIsUnknown) {
    Line line = connect();
    Questions.onOpen = [](FakeQuestionLog::Entry& q) { later([&q] { q.closed(mrCancel); }); };
    Handler.HandleIncomingCall(callFrom(QStringLiteral("09"), QStringLiteral("8887777")),
                               line.accepted);
    ASSERT_EQ(Questions.entries.size(), 1u);
    EXPECT_EQ(Questions.entries[0]->text,
              QStringLiteral("You have a phone call from 098887777 (unknown). Would you like to "
                             "answer?"));
}

TEST_F(IncomingCallHandlerTest, TheRingPlaysToItsEndBeforeTheQuestion) {
    Ring = QStringLiteral("dat/rings/Chime.wav");
    Line line = connect();
    bool askedWhileRinging = false;
    Questions.onOpen = [&](FakeQuestionLog::Entry& q) {
        askedWhileRinging = Player.playing() > 0;
        later([&q] { q.closed(mrOK); });
    };
    later([&] {
        // The window is responsive while it rings: this step runs, and nothing is asked yet.
        EXPECT_EQ(Player.played, QStringList{QStringLiteral("dat/rings/Chime.wav")});
        EXPECT_TRUE(Questions.entries.empty());
        Player.finishOne();
    });
    Handler.HandleIncomingCall(callFrom(QStringLiteral("03"), QStringLiteral("1234567")),
                               line.accepted);
    EXPECT_EQ(Questions.entries.size(), 1u);
    EXPECT_FALSE(askedWhileRinging);
    ASSERT_TRUE(waitBytes(line, 20));
    EXPECT_EQ(line.received(), goldenAnswer(0));
}

TEST_F(IncomingCallHandlerTest, WithRingOffTheQuestionOpensAtOnceWithoutSound) {
    Line line = connect();
    bool openedBeforeAnyEvent = false;
    bool insideCall = false;
    Questions.onOpen = [&](FakeQuestionLog::Entry& q) {
        openedBeforeAnyEvent = insideCall;
        later([&q] { q.closed(mrOK); });
    };
    later([&] { insideCall = false; });
    insideCall = true;
    Handler.HandleIncomingCall(callFrom(QStringLiteral("03"), QStringLiteral("1234567")),
                               line.accepted);
    EXPECT_TRUE(openedBeforeAnyEvent);
    EXPECT_TRUE(Player.played.isEmpty());
}

TEST_F(IncomingCallHandlerTest, AWithdrawnQuestionGoesAwayAndSendsNothing) {
    for (bool ringing : {false, true}) {
        SCOPED_TRACE(ringing ? "withdrawn while ringing" : "withdrawn while asking");
        Ring =
            ringing ? std::optional<QString>(QStringLiteral("dat/rings/Chime.wav")) : std::nullopt;
        Questions.entries.clear();
        Line line = connect();
        const auto withdrawTwice = [&] {
            Handler.HandleIncomingCallEnd({});
            Handler.HandleIncomingCallEnd({}); // a repeat finds nothing open
        };
        Questions.onOpen = [&](FakeQuestionLog::Entry&) { later(withdrawTwice); };
        if (ringing)
            later(withdrawTwice);
        Handler.HandleIncomingCall(callFrom(QStringLiteral("03"), QStringLiteral("1234567")),
                                   line.accepted);
        EXPECT_EQ(Handler.openCalls(), 0);
        if (ringing) {
            Player.finishOne(); // the ring ends after the withdrawal: still no question
            QTest::qWait(10);
            EXPECT_TRUE(Questions.entries.empty());
        } else {
            ASSERT_EQ(Questions.entries.size(), 1u);
            EXPECT_TRUE(Questions.entries[0]->withdrawn);
            Questions.entries[0]->closed(mrOK); // a click that raced the withdrawal
        }
        EXPECT_TRUE(line.received().isEmpty());
        EXPECT_EQ(line.accepted->state(), QAbstractSocket::ConnectedState);
    }
}

TEST_F(IncomingCallHandlerTest, WithdrawalsWithNothingOpenChangeNothing) {
    Handler.HandleIncomingCallEnd({});
    Handler.HandleIncomingCallEnd({});
    EXPECT_EQ(Handler.openCalls(), 0);
    // The next call is asked and answered as usual.
    Line line = connect();
    Questions.onOpen = [](FakeQuestionLog::Entry& q) { later([&q] { q.closed(mrOK); }); };
    Handler.HandleIncomingCall(callFrom(QStringLiteral("03"), QStringLiteral("1234567")),
                               line.accepted);
    ASSERT_TRUE(waitBytes(line, 20));
    EXPECT_EQ(line.received(), goldenAnswer(0));
}

TEST_F(IncomingCallHandlerTest, ASecondCallGetsItsOwnQuestionAndAWithdrawalTakesTheNewest) {
    Line first = connect();
    Line second = connect();
    QByteArray firstBeforeSecondEnded;
    Questions.onOpen = [&](FakeQuestionLog::Entry& q) {
        if (Questions.entries.size() == 1) {
            later([&] {
                Handler.HandleIncomingCall(
                    callFrom(QStringLiteral("04"), QStringLiteral("5550001")), second.accepted);
                // Back here once the second call is settled; the first is open again.
                EXPECT_TRUE(Handler.questionOpen());
                Questions.entries[0]->closed(mrCancel);
            });
        } else {
            later([&] {
                EXPECT_EQ(Handler.openCalls(), 2);
                Handler.HandleIncomingCallEnd({});
            });
        }
        (void)q;
    };
    Handler.HandleIncomingCall(callFrom(QStringLiteral("03"), QStringLiteral("1234567")),
                               first.accepted);
    ASSERT_EQ(Questions.entries.size(), 2u);
    EXPECT_FALSE(Questions.entries[0]->withdrawn);
    EXPECT_TRUE(Questions.entries[1]->withdrawn);
    ASSERT_TRUE(waitBytes(first, 20));
    EXPECT_EQ(first.received(), goldenAnswer(1));
    EXPECT_TRUE(second.received().isEmpty());
}

TEST_F(IncomingCallHandlerTest, AnAnswerLeavesAtOnceEvenUnderANewerQuestion) {
    // The older call is answered while a newer one is still open: its answer must not wait
    // for the newer call to be settled.
    Line first = connect();
    Line second = connect();
    bool firstArrivedWhileSecondOpen = false;
    Questions.onOpen = [&](FakeQuestionLog::Entry&) {
        if (Questions.entries.size() == 1) {
            later([&] {
                Handler.HandleIncomingCall(
                    callFrom(QStringLiteral("04"), QStringLiteral("5550001")), second.accepted);
            });
        } else {
            later([&] {
                Questions.entries[0]->closed(mrOK);
                firstArrivedWhileSecondOpen = waitBytes(first, 20);
                Questions.entries[1]->closed(mrCancel);
            });
        }
    };
    Handler.HandleIncomingCall(callFrom(QStringLiteral("03"), QStringLiteral("1234567")),
                               first.accepted);
    EXPECT_TRUE(firstArrivedWhileSecondOpen);
    EXPECT_EQ(first.received(), goldenAnswer(0));
    ASSERT_TRUE(waitBytes(second, 20));
    EXPECT_EQ(second.received(), goldenAnswer(1));
    EXPECT_EQ(Handler.openCalls(), 0);
}

TEST_F(IncomingCallHandlerTest, AConnectionThatGoesAwayDuringTheQuestionIsNotAnswered) {
    for (bool deleteSocket : {false, true}) {
        SCOPED_TRACE(deleteSocket ? "socket deleted" : "peer closed");
        Line line = connect();
        QList<std::pair<quint8, bool>> sent;
        auto conn =
            QObject::connect(&Handler, &IncomingCallHandler::answerSent, [&](quint8 a, bool ok) {
                sent.append({a, ok});
            });
        Questions.onOpen = [&](FakeQuestionLog::Entry& q) {
            later([&] {
                line.peer->close();
                EXPECT_TRUE(QTest::qWaitFor(
                    [&] {
                        return line.accepted->state() == QAbstractSocket::UnconnectedState ||
                               line.accepted->state() == QAbstractSocket::ClosingState;
                    },
                    5000));
                if (deleteSocket)
                    delete line.accepted;
                q.closed(mrOK);
            });
        };
        Handler.HandleIncomingCall(callFrom(QStringLiteral("03"), QStringLiteral("1234567")),
                                   line.accepted);
        QObject::disconnect(conn);
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0].first, 0);
        EXPECT_FALSE(sent[0].second);
        EXPECT_EQ(Handler.openCalls(), 0);
    }
}
