#include "ListenerFixture.h"

#include <QEventLoop>
#include <QTimer>

namespace {

Message_Notice_Type notice(qint32 number, const char* local) {
    Message_Notice_Type n;
    n.MsgNumber = number;
    n.Caller = Phone_Number_Type(QStringLiteral("03"), QString::fromLatin1(local));
    n.CallTime = 45000.25;
    return n;
}

} // namespace

using RecordListenerTest = ListenerFixture;

TEST_F(RecordListenerTest, TwoNoticesAreQueuedInOrderAndTheirConnectionsClosed) {
    QTcpSocket* first = send(notice(41, "1111111").encode());
    ASSERT_TRUE(waitFor([&] { return Hooks.PendingNotices.size() == 1; }));
    QTcpSocket* second = send(notice(42, "2222222").encode());
    ASSERT_TRUE(waitFor([&] { return Hooks.PendingNotices.size() == 2; }));
    EXPECT_FALSE(Hooks.CanDisconnect);
    EXPECT_TRUE(waitFor([&] {
        return first->state() == QAbstractSocket::UnconnectedState &&
               second->state() == QAbstractSocket::UnconnectedState;
    }));

    const auto oldest = Hooks.PendingNotices.takeOldest();
    ASSERT_TRUE(oldest.has_value());
    EXPECT_EQ(oldest->MsgNumber, 41);
    EXPECT_EQ(oldest->Caller.LocalNumber, QStringLiteral("1111111"));
    EXPECT_EQ(oldest->CallTime, 45000.25);
    EXPECT_EQ(Hooks.PendingNotices.takeOldest()->MsgNumber, 42);
    EXPECT_TRUE(waitFor([&] { return Listener.server().connectionCount() == 0; }));
}

TEST_F(RecordListenerTest, RecordInTwoSegmentsIsDispatchedOnce) {
    const QByteArray bytes = notice(7, "1234567").encode();
    QTcpSocket* peer = send(bytes.left(30));
    QTest::qWait(50);
    EXPECT_TRUE(Hooks.PendingNotices.isEmpty());
    peer->write(bytes.mid(30));
    peer->flush();
    ASSERT_TRUE(waitFor([&] { return Hooks.PendingNotices.size() == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(Hooks.PendingNotices.size(), 1);
    EXPECT_EQ(Hooks.PendingNotices.oldest()->MsgNumber, 7);
}

TEST_F(RecordListenerTest, UnknownIdIsLoggedOnceAndItsConnectionStaysOpen) {
    QTcpSocket* peer = send(header(9, 16) + QByteArray(8, '\0'));
    const QString line = QStringLiteral("Unknown message received at port %1 ID = 9 Size = 16")
                             .arg(peer->localPort());
    ASSERT_TRUE(waitFor([&] { return Log.count(line) == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(Log.texts(), QStringList{line});
    EXPECT_EQ(peer->state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(Listener.server().connectionCount(), 1);
    EXPECT_TRUE(Hooks.PendingNotices.isEmpty());
    EXPECT_EQ(Hooks.ServerUps, 0);

    // Still open and still read: a record after it is dispatched.
    peer->write(Server_Up_Type().encode());
    peer->flush();
    EXPECT_TRUE(waitFor([&] { return Hooks.ServerUps == 1; }));
}

TEST_F(RecordListenerTest, TextMessageReachesItsHookAfterTheConnectionIsClosed) {
    for (const QString& text : {QStringLiteral("Service resumes at 10:00"), QString()}) {
        Text_Message_Type message;
        message.Text = text;
        QAbstractSocket::SocketState stateDuringHook = QAbstractSocket::ConnectedState;
        QTcpSocket* peer = send(message.encode());
        Hooks.OnText = [&](const QString&) {
            // Let the close reach the peer while the "box" is open.
            (void)QTest::qWaitFor(
                [&] { return peer->state() == QAbstractSocket::UnconnectedState; }, 2000);
            stateDuringHook = peer->state();
        };
        ASSERT_TRUE(waitFor([&] { return Hooks.Texts.size() == 1; }));
        EXPECT_EQ(Hooks.Texts.takeFirst(), text);
        EXPECT_EQ(stateDuringHook, QAbstractSocket::UnconnectedState);
    }
}

TEST_F(RecordListenerTest, ServerUpVersionAndCallEnd) {
    send(Server_Up_Type().encode());
    Version_Type version;
    version.Version = QStringLiteral("1.31");
    version.DownloadBase = QStringLiteral("http://127.0.0.1/dl/");
    version.Optional = 1;
    send(version.encode());
    QTcpSocket* end = send(Incoming_Call_End_Type().encode());
    ASSERT_TRUE(waitFor(
        [&] { return Hooks.ServerUps == 1 && Hooks.Versions.size() == 1 && Hooks.CallEnds == 1; }));
    EXPECT_EQ(Hooks.Versions[0].Version, QStringLiteral("1.31"));
    EXPECT_EQ(Hooks.Versions[0].DownloadBase, QStringLiteral("http://127.0.0.1/dl/"));
    EXPECT_EQ(Hooks.Versions[0].Optional, 1);
    QTest::qWait(50);
    EXPECT_EQ(end->state(), QAbstractSocket::ConnectedState) << "withdrawal: left to the server";
}

TEST_F(RecordListenerTest, IncomingCallIsAnsweredOnItsOwnConnection) {
    Hooks.OnCall = [](const Incoming_Call_Type&, QTcpSocket* connection) {
        Call_Answer_Type answer;
        answer.Answer = Call_Answer_Type::Declines;
        EXPECT_TRUE(SendRecord(answer, *connection));
    };
    Incoming_Call_Type call;
    call.Caller = Phone_Number_Type(QStringLiteral("02"), QStringLiteral("5556677"));
    QTcpSocket* peer = send(call.encode());
    ASSERT_TRUE(waitFor([&] { return peer->bytesAvailable() >= 20; }));
    const Call_Answer_Type answer = Call_Answer_Type::decode(peer->readAll());
    EXPECT_EQ(answer.Head.ID, ID_Call_Answer);
    EXPECT_EQ(answer.Answer, 1);
    ASSERT_EQ(Hooks.Calls.size(), 1);
    EXPECT_EQ(GetDisplayNumber(Hooks.Calls[0].Caller), QStringLiteral("025556677"));
    EXPECT_EQ(peer->state(), QAbstractSocket::ConnectedState) << "the client does not close it";
}

// A hook that holds a modal box (a nested event loop) while another connection's record arrives:
// that record is dispatched meanwhile, and the held connection stays usable until its hook ends.
TEST_F(RecordListenerTest, RecordsAreDispatchedWhileAHookRunsANestedLoop) {
    bool noticeDuringBox = false;
    bool answerSent = true;
    Hooks.OnCall = [&](const Incoming_Call_Type&, QTcpSocket* connection) {
        QEventLoop box;
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, &box, &QEventLoop::quit);
        guard.start(5000);
        send(notice(5, "5555555").encode());
        // The call's peer hangs up while the question is open.
        Peers.front()->disconnectFromHost();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &box, [&] {
            if (!Hooks.PendingNotices.isEmpty() &&
                connection->state() == QAbstractSocket::UnconnectedState)
                box.quit();
        });
        poll.start(5);
        box.exec();
        noticeDuringBox = !Hooks.PendingNotices.isEmpty();
        Call_Answer_Type answer;
        answerSent = SendRecord(answer, *connection); // the socket object is still there
    };
    send(Incoming_Call_Type().encode());
    ASSERT_TRUE(waitFor([&] { return Hooks.Calls.size() == 1; }));
    ASSERT_TRUE(waitFor([&] { return Listener.server().connectionCount() == 0; }));
    EXPECT_TRUE(noticeDuringBox);
    EXPECT_FALSE(answerSent) << "the peer had gone; the failed send is silent";
    EXPECT_EQ(Hooks.PendingNotices.size(), 1);
}

// Two modal boxes at once: a text box open, a second text arrives and opens its own box.
TEST_F(RecordListenerTest, NestedHooksOfTheSameKind) {
    int depth = 0;
    int deepest = 0;
    Hooks.OnText = [&](const QString& text) {
        ++depth;
        deepest = std::max(deepest, depth);
        if (text == QStringLiteral("first")) {
            Text_Message_Type second;
            second.Text = QStringLiteral("second");
            send(second.encode());
            (void)QTest::qWaitFor([&] { return Hooks.Texts.size() == 2; }, 5000);
        }
        --depth;
    };
    Text_Message_Type first;
    first.Text = QStringLiteral("first");
    send(first.encode());
    ASSERT_TRUE(waitFor([&] { return Hooks.Texts.size() == 2 && depth == 0; }));
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(Hooks.Texts, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    EXPECT_TRUE(waitFor([&] { return Listener.server().connectionCount() == 0; }));
}
