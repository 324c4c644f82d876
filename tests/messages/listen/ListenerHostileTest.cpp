#include "ListenerFixture.h"

namespace {

// The program's clock at 1000 times the real one: a 30 s record time-out lasts 30 ms.
class ListenerHostileTest : public ListenerFixture {
protected:
    ListenerHostileTest() : ListenerFixture(1000.0) {}
};

} // namespace

TEST_F(ListenerHostileTest, SilentAndTricklingPeersAreDroppedWhileOthersAreServed) {
    QTcpSocket* silent = connectPeer();
    QTcpSocket* trickle = send(QByteArray("\x01", 1));
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, trickle,
                     [trickle] { trickle->write(QByteArray(1, '\0')); });
    drip.start(5); // one byte per 5 real ms: 6 nominal s a byte
    send(Server_Up_Type().encode());
    ASSERT_TRUE(waitFor([&] {
        return silent->state() == QAbstractSocket::UnconnectedState &&
               trickle->state() == QAbstractSocket::UnconnectedState;
    }));
    EXPECT_EQ(Hooks.ServerUps, 1);
    EXPECT_TRUE(Hooks.PendingNotices.isEmpty());
    EXPECT_TRUE(waitFor([&] { return Listener.server().connectionCount() == 0; }));
}

TEST_F(ListenerHostileTest, ConnectionCountIsCapped) {
    Listener.server().setMaxConnections(4);
    Listener.server().setRecordTimeout(3000000); // 3 s real: idle peers hold their places
    for (int i = 0; i < 10; ++i)
        connectPeer();
    QTest::qWait(100);
    EXPECT_EQ(Listener.server().connectionCount(), 4);
    // A real record waits in the backlog until places free up.
    send(Server_Up_Type().encode());
    QTest::qWait(50);
    EXPECT_EQ(Hooks.ServerUps, 0);
    for (int i = 0; i < 10; ++i)
        Peers[i]->abort();
    EXPECT_TRUE(waitFor([&] { return Hooks.ServerUps == 1; }));
}

TEST_F(ListenerHostileTest, HundredsOfConnectionsAtOnce) {
    Listener.server().setMaxConnections(32);
    // The peers write from this same thread; on a loaded machine that can take longer than the
    // sped-up 30 ms, which is not what this test is about.
    Listener.server().setRecordTimeout(10000000);
    std::vector<std::unique_ptr<QTcpSocket>> peers;
    for (int i = 0; i < 300; ++i) {
        Message_Notice_Type n;
        n.MsgNumber = i;
        auto peer = std::make_unique<QTcpSocket>();
        QTcpSocket* raw = peer.get();
        const QByteArray bytes = n.encode();
        QObject::connect(raw, &QTcpSocket::connected, raw, [raw, bytes] { raw->write(bytes); });
        raw->connectToHost(QHostAddress::LocalHost, Listener.serverPort());
        peers.push_back(std::move(peer));
    }
    ASSERT_TRUE(waitFor([&] { return Hooks.PendingNotices.size() == 300; }, 60000));
    EXPECT_TRUE(waitFor([&] { return Listener.server().connectionCount() == 0; }));
}

TEST_F(ListenerHostileTest, BadSizesAreDroppedAndThePortKeepsServing) {
    struct Row {
        const char* what;
        QByteArray bytes;
        bool connectionDropped;
    };
    const Row rows[] = {
        {"size smaller than the head", header(1, 8), false},
        {"larger than the record type", header(140, 300) + QByteArray(292, 'x'), false},
        {"negative", header(1, -5) + QByteArray(64, 'x'), true},
        {"far larger than droppable", header(9, 50000000) + QByteArray(100000, 'x'), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const int before = Log.count(QStringLiteral("Unknown message received"));
        QTcpSocket* peer = send(row.bytes);
        ASSERT_TRUE(waitFor(
            [&] { return Log.count(QStringLiteral("Unknown message received")) == before + 1; }));
        if (row.connectionDropped) {
            // The announced rest cannot be followed: once the most that may be dropped is gone,
            // or the record time-out passes, the connection is dropped.
            EXPECT_TRUE(
                waitFor([&] { return peer->state() == QAbstractSocket::UnconnectedState; }));
        }
        EXPECT_TRUE(Hooks.Texts.isEmpty());
        EXPECT_TRUE(Hooks.PendingNotices.isEmpty());
    }
    send(Server_Up_Type().encode());
    EXPECT_TRUE(waitFor([&] { return Hooks.ServerUps == 1; }));
}

TEST_F(ListenerHostileTest, PeerClosingMidRecordOrMidHeader) {
    QTcpSocket* cut = send(Message_Notice_Type().encode().left(30));
    const quint16 cutPort = cut->localPort();
    QTest::qWait(20);
    cut->disconnectFromHost();
    QTcpSocket* shortHeader = send(QByteArray("\x01\x00\x00", 3));
    const quint16 shortPort = shortHeader->localPort();
    QTest::qWait(20);
    shortHeader->disconnectFromHost();

    ASSERT_TRUE(waitFor([&] { return Listener.server().connectionCount() == 0; }));
    EXPECT_TRUE(Hooks.PendingNotices.isEmpty());
    EXPECT_EQ(
        Log.count(QStringLiteral("Connection closed at port %1 inside a record: ID = 1 Size = 68")
                      .arg(cutPort)),
        1);
    EXPECT_EQ(
        Log.count(
            QStringLiteral("Unknown message received at port %1 ID = 0 Size = 0").arg(shortPort)),
        1);
}
