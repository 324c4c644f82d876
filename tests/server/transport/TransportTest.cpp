#include "server/records/ClientRecords.h"
#include "server/transport/LogBudget.h"
#include "server/transport/PumpWait.h"
#include "server/transport/RecordSend.h"
#include "server/transport/TestLog.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// A loopback listener that never accepts, with its accept queue already full: a further connect
// gets no answer at all (the system drops its SYN), as with an unreachable server.
class FullBacklog {
public:
    FullBacklog() {
        Listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(Listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(Listener, 0);
        socklen_t len = sizeof addr;
        ::getsockname(Listener, reinterpret_cast<sockaddr*>(&addr), &len);
        Port = ntohs(addr.sin_port);
        for (auto& filler : Fillers) {
            filler = new QTcpSocket;
            filler->connectToHost(QHostAddress::LocalHost, Port);
        }
        QTest::qWait(100);
    }
    ~FullBacklog() {
        for (auto* filler : Fillers)
            delete filler;
        ::close(Listener);
    }
    quint16 port() const { return Port; }

private:
    int Listener = -1;
    quint16 Port = 0;
    QTcpSocket* Fillers[3] = {};
};

} // namespace

TEST(ConnectAndSend, RefusedConnectReturnsAsSoonAsReported) {
    const TimeSource time;
    Client_Alive_Type alive;
    QTcpSocket socket;
    QElapsedTimer clock;
    clock.start();
    // A time-out of ten minutes: only the refusal can end this wait in reasonable time.
    EXPECT_FALSE(
        ConnectAndSend(alive, socket, QHostAddress::LocalHost, closedPort(), 600000, time));
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_EQ(alive.Head.Failed, 1);
    EXPECT_EQ(alive.Head.ErrorEvent, eeConnect);
}

TEST(ConnectAndSend, TimesOutWhenNothingAnswers) {
    FullBacklog silent;
    const TimeSource fast(100.0); // 10 s of the program's clock pass in 0.1 s
    Client_Up_Type up;
    QTcpSocket socket;
    const quint32 start = fast.tickCount();
    EXPECT_FALSE(ConnectAndSend(up, socket, QHostAddress::LocalHost, silent.port(), 10000, fast));
    EXPECT_GE(TimeSource::elapsed(start, fast.tickCount()), 10000u);
    EXPECT_EQ(up.Head.Failed, 1);
    EXPECT_EQ(up.Head.ErrorEvent, eeConnect);
    EXPECT_EQ(socket.state(), QAbstractSocket::UnconnectedState) << "a late connect is abandoned";
}

TEST(ConnectAndSend, SendsAndSendsAgainOnAConnectedSocket) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    const TimeSource time;
    QTcpSocket socket;
    Client_Up_Type up;
    up.UserId = 7;
    ASSERT_TRUE(
        ConnectAndSend(up, socket, QHostAddress::LocalHost, server.serverPort(), 10000, time));
    EXPECT_EQ(up.Head.Failed, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    QTcpSocket* peer = server.nextPendingConnection();

    Client_Alive_Type alive;
    alive.Head.Failed = 1; // left over from an earlier failure: cleared by the send
    const TimeSource never(1.0);
    ASSERT_TRUE(ConnectAndSend(alive, socket, QHostAddress(), 0, 0, never))
        << "no connect, no wait";
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 156; }, 5000));
    const QByteArray got = peer->readAll();
    EXPECT_EQ(got.left(100), up.encode());
    EXPECT_EQ(got.mid(100), alive.encode());
    EXPECT_EQ(quint8(got[100 + 8]), 0);
}

TEST(SendRecord, OnOpenAndOnClosedConnections) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    ASSERT_TRUE(client.waitForConnected(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    QTcpSocket* accepted = server.nextPendingConnection();

    Call_Answer_Type answer;
    answer.Answer = Call_Answer_Type::Declines;
    EXPECT_TRUE(SendRecord(answer, *accepted));
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.bytesAvailable() >= 20; }, 5000));
    EXPECT_EQ(client.readAll(), answer.encode());

    QTcpSocket never;
    Call_Answer_Type lost;
    EXPECT_FALSE(SendRecord(lost, never));
    EXPECT_EQ(lost.Head.Failed, 1);
    EXPECT_EQ(lost.Head.ErrorEvent, eeSend);
}

TEST(PumpWait, WaitsAcrossTheTickWrapAndKeepsEventsFlowing) {
    // The tick count is 20 ms short of wrapping past 2^32 when the wait starts.
    const TimeSource time(10.0, 0xFFFFFFFFu - 20u);
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    QElapsedTimer clock;
    clock.start();
    const quint32 start = time.tickCount();
    PumpWait(100, time);
    EXPECT_GT(TimeSource::elapsed(start, time.tickCount()), 100u);
    EXPECT_GE(clock.elapsed(), 9) << "100 ms at ten times the real speed";
    EXPECT_TRUE(timerRan);
}

TEST(LogBudget, RationsLinesPerWindow) {
    TestLog log;
    const TimeSource time(1000.0); // a minute passes in 60 real ms
    LogBudget budget(time, 100, 60000);
    for (int i = 0; i < 150; ++i)
        budget.write(QStringLiteral("junk %1").arg(i));
    EXPECT_EQ(log.count(QStringLiteral("junk ")), 100);
    EXPECT_EQ(log.count(QStringLiteral("Too many log lines")), 1);
    QTest::qWait(80);
    budget.write(QStringLiteral("junk again"));
    EXPECT_EQ(log.count(QStringLiteral("junk again")), 1);
}
