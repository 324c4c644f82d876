#include "server/transport/RecordReader.h"
#include "server/records/ServerRecords.h"
#include "server/transport/TestLog.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Pair {
    QTcpServer server;
    QTcpSocket client;
    QTcpSocket* accepted = nullptr;

    Pair() {
        server.listen(QHostAddress::LocalHost, 0);
        client.connectToHost(QHostAddress::LocalHost, server.serverPort());
        client.waitForConnected(5000);
        (void)QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000);
        accepted = server.nextPendingConnection();
    }
};

} // namespace

TEST(RecordReader, RecordInTwoSegmentsIsHandledOnceWhole) {
    Pair pair;
    ASSERT_NE(pair.accepted, nullptr);
    RecordReader reader(pair.accepted, {ID_Client_Up_Response});
    QList<QByteArray> got;
    reader.setHandler(
        [&](const Msg_Header_Type&, const QByteArray& record) { got.append(record); });

    Client_Up_Response_Type response;
    response.Status = 1;
    const QByteArray bytes = response.encode();
    pair.client.write(bytes.left(5)); // not even a whole header
    pair.client.flush();
    QTest::qWait(50);
    EXPECT_TRUE(got.isEmpty());
    pair.client.write(bytes.mid(5));
    pair.client.flush();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !got.isEmpty(); }, 5000));
    QTest::qWait(20);
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0], bytes);
}

TEST(RecordReader, UnknownIdIsLoggedOnceAndTheConnectionStaysOpen) {
    TestLog log;
    Pair pair;
    RecordReader reader(pair.accepted, {ID_Client_Up_Response, ID_Client_Alive_Response});
    int records = 0;
    reader.setHandler([&](const Msg_Header_Type&, const QByteArray&) { ++records; });

    QByteArray unknown;
    Msg_Header_Type{9, 0, 16}.encode(unknown);
    unknown.append(QByteArray(8, '\0'));
    pair.client.write(unknown);
    pair.client.flush();
    QTest::qWait(50);
    pair.client.write(Client_Alive_Response_Type().encode());
    pair.client.flush();
    ASSERT_TRUE(QTest::qWaitFor([&] { return records == 1; }, 5000));
    EXPECT_EQ(log.texts(),
              QStringList{QStringLiteral("Unknown message received at port %1 ID = 9 Size = 16")
                              .arg(pair.client.localPort())});
    EXPECT_EQ(pair.accepted->state(), QAbstractSocket::ConnectedState);
    EXPECT_FALSE(reader.isFinished());
}

TEST(RecordReader, NegativeSizeIsLoggedUnsigned) {
    TestLog log;
    Pair pair;
    RecordReader reader(pair.accepted, {ID_Client_Up_Response});
    QByteArray bad;
    Msg_Header_Type{200, 0, -2}.encode(bad);
    pair.client.write(bad);
    pair.client.flush();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return log.count(QStringLiteral("Unknown message")) == 1; }, 5000));
    EXPECT_TRUE(log.texts().first().endsWith(QStringLiteral("ID = 200 Size = 4294967294")));
}

// A client socket connects anew for every exchange; each connection's answer is read.
TEST(RecordReader, ClientSocketReusedForSeveralConnections) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        QTcpSocket* s = server.nextPendingConnection();
        s->write(Client_Alive_Response_Type().encode());
        s->disconnectFromHost(); // the server may close first
    });
    QTcpSocket client;
    RecordReader reader(&client, {ID_Client_Alive_Response});
    int answers = 0;
    reader.setHandler([&](const Msg_Header_Type&, const QByteArray&) { ++answers; });
    for (int round = 1; round <= 3; ++round) {
        client.connectToHost(QHostAddress::LocalHost, server.serverPort());
        ASSERT_TRUE(QTest::qWaitFor([&] { return answers == round && reader.isFinished(); }, 5000));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return client.state() == QAbstractSocket::UnconnectedState; }, 5000));
    }
}

namespace {
QStringList CapturedWarnings;
void captureWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        CapturedWarnings.append(text);
}
} // namespace

TEST(RecordReader, ConnectionEndingWhileTheHandlerWaitsEndsTheReaderQuietly) {
    // While a handler's own loop runs (a question box), the peer may hang up, or the program may
    // drop the connection (its port closing at exit).
    for (const bool peerHangsUp : {true, false}) {
        SCOPED_TRACE(peerHangsUp ? "peer hangs up" : "connection dropped here");
        Pair pair;
        ASSERT_NE(pair.accepted, nullptr);
        RecordReader reader(pair.accepted, {ID_Client_Up_Response});
        int finished = 0;
        QObject::connect(&reader, &RecordReader::finished, [&] { ++finished; });
        int handled = 0;
        reader.setHandler([&](const Msg_Header_Type&, const QByteArray&) {
            ++handled;
            if (peerHangsUp)
                pair.client.disconnectFromHost();
            else
                pair.accepted->abort();
            (void)QTest::qWaitFor(
                [&] { return pair.accepted->state() == QAbstractSocket::UnconnectedState; }, 5000);
        });

        CapturedWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureWarning);
        Client_Up_Response_Type response;
        pair.client.write(response.encode());
        pair.client.flush();
        const bool ended = QTest::qWaitFor([&] { return finished > 0; }, 5000);
        QTest::qWait(50);
        qInstallMessageHandler(previous);

        EXPECT_TRUE(ended);
        EXPECT_EQ(handled, 1);
        EXPECT_EQ(finished, 1);
        EXPECT_TRUE(CapturedWarnings.isEmpty())
            << CapturedWarnings.join(QLatin1Char('\n')).toStdString();
    }
}
