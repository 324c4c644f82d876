#include "StreamSender.h"

#include "core/TimeSource.h"
#include "messages/reception/StreamFraming.h"
#include "messages/reception/StreamMessageServer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>

namespace {

using Step = StreamSender::Step;

QByteArray pattern(qsizetype size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

class StreamServerTest : public ::testing::Test {
protected:
    // Nominal 60 s of idle time-out pass in 100 ms.
    TimeSource Time{600.0};
    QTemporaryDir Folder;
    std::unique_ptr<StreamMessageServer> Server;
    QList<ReceivedStream> Received;
    QStringList Dropped;

    void start(StreamServerOptions options = {}) {
        ASSERT_TRUE(Folder.isValid());
        Server = std::make_unique<StreamMessageServer>(Folder.path(), Time, options);
        QObject::connect(Server.get(), &StreamMessageServer::messageReceived,
                         [this](const ReceivedStream& m) { Received.append(m); });
        QObject::connect(Server.get(), &StreamMessageServer::streamDropped,
                         [this](const QHostAddress&, const QString& why) { Dropped.append(why); });
        ASSERT_TRUE(Server->listen(QHostAddress::LocalHost, 0))
            << Server->errorString().toStdString();
    }
    quint16 port() const { return Server->serverPort(); }

    QStringList filesInFolder() const {
        return QDir(Folder.path()).entryList(QDir::Files | QDir::Hidden);
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool waitReceived(int count, int ms = 10000) {
        return QTest::qWaitFor([&] { return Received.size() >= count; }, ms);
    }
    bool waitWorkersGone(int ms = 10000) {
        return QTest::qWaitFor([&] { return Server->activeWorkers() == 0; }, ms);
    }
};

TEST_F(StreamServerTest, OneMessageIsStoredWholeAndAnsweredWithTheExactReply) {
    start();
    const QByteArray data = pattern(12000, 42);
    StreamSender sender(port(), StreamSender::OneMessage("SERVER", data));
    ASSERT_TRUE(sender.wait());
    ASSERT_TRUE(waitReceived(1));

    ASSERT_TRUE(sender.result().connected);
    ASSERT_EQ(sender.result().replies.size(), 1);
    EXPECT_EQ(sender.result().replies[0], QByteArray("OK              "));
    EXPECT_TRUE(sender.result().extra.isEmpty());

    const ReceivedStream& m = Received[0];
    EXPECT_EQ(m.senderText, QByteArray("SERVER"));
    EXPECT_EQ(m.dataSize, 12000);
    EXPECT_EQ(m.peerAddress, QHostAddress(QHostAddress::LocalHost));
    EXPECT_NE(m.peerPort, 0);
    EXPECT_EQ(QFileInfo(m.dataPath).absolutePath(), QFileInfo(Folder.path()).absoluteFilePath());
    EXPECT_EQ(contents(m.dataPath), data);
    EXPECT_TRUE(Dropped.isEmpty());
}

TEST_F(StreamServerTest, MessageInManySmallPiecesAndAnEmptyMessage) {
    start();
    const QByteArray data = pattern(3001, 7);
    StreamSender pieces(port(), StreamSender::OneMessage("piecewise", data, 3));
    ASSERT_TRUE(pieces.wait(30000));
    StreamSender empty(port(), StreamSender::OneMessage({}, {}));
    ASSERT_TRUE(empty.wait());
    ASSERT_TRUE(waitReceived(2));

    EXPECT_EQ(pieces.result().replies.value(0), StreamFraming::okReply());
    EXPECT_EQ(empty.result().replies.value(0), StreamFraming::okReply());
    EXPECT_EQ(Received[0].senderText, QByteArray("piecewise"));
    EXPECT_EQ(contents(Received[0].dataPath), data);
    EXPECT_EQ(Received[1].dataSize, 0);
    EXPECT_TRUE(QFileInfo::exists(Received[1].dataPath));
    EXPECT_EQ(QFileInfo(Received[1].dataPath).size(), 0);
}

TEST_F(StreamServerTest, ManyConcurrentSendersAllDeliveredWholeWithoutStallingTheMainThread) {
    start();
    constexpr int Senders = 8;
    constexpr int PerSender = 25;
    auto payload = [](quint32 seed) {
        return pattern(QRandomGenerator(seed).bounded(1, 40000), seed);
    };
    QSet<QByteArray> expected;
    for (int s = 0; s < Senders; ++s)
        for (int i = 0; i < PerSender; ++i)
            expected.insert(
                QCryptographicHash::hash(payload(quint32(s * 1000 + i)), QCryptographicHash::Sha1));

    // Each sender opens a fresh connection per message, as the server does; 8 run side by side.
    struct SenderThread {
        std::unique_ptr<StreamSender> current;
        int sent = 0;
        int replies = 0;
    };
    std::vector<SenderThread> lanes(Senders);
    auto next = [&](int s) {
        SenderThread& lane = lanes[size_t(s)];
        const quint32 seed = quint32(s * 1000 + lane.sent);
        lane.current = std::make_unique<StreamSender>(
            port(), StreamSender::OneMessage(QByteArray::number(seed), payload(seed), 4096));
        ++lane.sent;
    };

    qint64 longestGap = 0;
    QElapsedTimer beat;
    beat.start();
    QTimer heartbeat;
    heartbeat.setInterval(2);
    QObject::connect(&heartbeat, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, beat.restart()); });
    heartbeat.start();

    for (int s = 0; s < Senders; ++s)
        next(s);
    const bool finished = QTest::qWaitFor(
        [&] {
            for (int s = 0; s < Senders; ++s) {
                SenderThread& lane = lanes[size_t(s)];
                if (lane.current && lane.current->done()) {
                    lane.replies += int(lane.current->result().replies.size());
                    lane.current.reset();
                    if (lane.sent < PerSender)
                        next(s);
                }
            }
            return Received.size() == Senders * PerSender &&
                   std::all_of(lanes.begin(), lanes.end(),
                               [](const auto& l) { return !l.current; });
        },
        120000);
    heartbeat.stop();
    ASSERT_TRUE(finished) << "received " << Received.size();

    for (const SenderThread& lane : lanes)
        EXPECT_EQ(lane.replies, PerSender);
    QSet<QByteArray> got;
    for (const ReceivedStream& m : std::as_const(Received)) {
        const QByteArray data = contents(m.dataPath);
        EXPECT_EQ(data.size(), m.dataSize);
        got.insert(QCryptographicHash::hash(data, QCryptographicHash::Sha1));
    }
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(Dropped.isEmpty());
    EXPECT_LE(Server->peakWorkers(), StreamServerOptions{}.maxWorkers);
    std::cout << "[ measure  ] longest main-thread gap while receiving " << Received.size()
              << " messages from " << Senders << " senders: " << longestGap << " ms\n";
}

TEST_F(StreamServerTest, MessagesAreHandedOverInTheOrderTheyComplete) {
    StreamServerOptions patient;
    patient.idleTimeoutMs = 3600 * 1000;
    start(patient);
    const QByteArray slowData = pattern(5000, 1);
    const QByteArray frame = FrameStream("slow", slowData);
    StreamSender slow(port(), {{Step::Send, frame.left(2000), 0, 0},
                               {Step::Pause, {}, 0, 400},
                               {Step::Send, frame.mid(2000), 0, 0},
                               {Step::ReadReply, {}, 0, 0},
                               {Step::Close, {}, 0, 0}});
    QTest::qWait(50);
    StreamSender fast(port(), StreamSender::OneMessage("fast", pattern(100, 2)));
    ASSERT_TRUE(fast.wait());
    ASSERT_TRUE(slow.wait());
    ASSERT_TRUE(waitReceived(2));
    EXPECT_EQ(Received[0].senderText, QByteArray("fast"));
    EXPECT_EQ(Received[1].senderText, QByteArray("slow"));
    EXPECT_EQ(contents(Received[1].dataPath), slowData);
}

// Streams that must be refused or lost without a reply, a message or a file.
TEST_F(StreamServerTest, HostileStreamsLeaveNothingBehind) {
    StreamServerOptions options;
    options.maxDataBytes = 100000;
    start(options);
    const QByteArray frame = FrameStream("x", pattern(50000, 3));
    struct Case {
        const char* name;
        QList<Step> steps;
    };
    const QList<Case> cases = {
        {"ten-digit announced length",
         {{Step::Send, QByteArray("0000") + "9999999999" + pattern(1000, 4), 0, 0},
          {Step::AwaitClose, {}, 0, 5000}}},
        {"one byte over the bound",
         {{Step::Send, FrameStream({}, pattern(100001, 5)), 0, 0},
          {Step::AwaitClose, {}, 0, 5000}}},
        {"malformed text length", {{Step::Send, "00x1", 0, 0}, {Step::AwaitClose, {}, 0, 5000}}},
        {"malformed data length",
         {{Step::Send, "0000-000000001x", 0, 0}, {Step::AwaitClose, {}, 0, 5000}}},
        {"stall in the head", {{Step::Send, "0001", 0, 0}, {Step::AwaitClose, {}, 0, 5000}}},
        {"stall in the data",
         {{Step::Send, frame.left(30000), 0, 0}, {Step::AwaitClose, {}, 0, 5000}}},
        {"close in the data", {{Step::Send, frame.left(30000), 0, 0}, {Step::Close, {}, 0, 0}}},
        {"close in the head", {{Step::Send, "0003ab", 0, 0}, {Step::Close, {}, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Dropped.clear();
        StreamSender sender(port(), c.steps);
        ASSERT_TRUE(sender.wait());
        ASSERT_TRUE(waitWorkersGone());
        QTest::qWait(20); // let the hand-off of a (wrong) message arrive, if there were one
        EXPECT_TRUE(sender.result().replies.isEmpty());
        EXPECT_TRUE(sender.result().extra.isEmpty());
        if (c.steps.last().kind == Step::AwaitClose) {
            EXPECT_TRUE(sender.result().closedByPeer);
        }
        EXPECT_EQ(Dropped.size(), 1);
        EXPECT_TRUE(Received.isEmpty());
        EXPECT_TRUE(filesInFolder().isEmpty()) << filesInFolder().join(' ').toStdString();
    }
    // The bound itself is accepted.
    StreamSender atBound(port(), StreamSender::OneMessage({}, pattern(100000, 6)));
    ASSERT_TRUE(atBound.wait());
    ASSERT_TRUE(waitReceived(1));
    EXPECT_EQ(Received[0].dataSize, 100000);
}

TEST_F(StreamServerTest, APeerThatTricklesForeverIsCutOff) {
    StreamServerOptions options;
    options.connectionTimeoutMs = 5 * 60 * 1000; // 500 ms here
    start(options);
    // A byte every 50 ms (30 s of the server's time) never lets the idle time-out fire.
    QList<Step> steps{{Step::Send, FrameStream({}, pattern(100000, 1)).left(14), 0, 0}};
    for (int i = 0; i < 60; ++i) {
        steps.append({Step::Send, "x", 0, 0});
        steps.append({Step::Pause, {}, 0, 50});
    }
    StreamSender sender(port(), steps);
    ASSERT_TRUE(sender.wait(20000));
    ASSERT_TRUE(waitWorkersGone());
    EXPECT_TRUE(sender.result().closedByPeer);
    EXPECT_TRUE(sender.result().replies.isEmpty());
    EXPECT_EQ(Dropped.size(), 1);
    EXPECT_TRUE(Received.isEmpty());
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(StreamServerTest, RefusesAStreamTheDiskCannotHold) {
    StreamServerOptions options;
    options.diskReserveBytes = std::numeric_limits<qint64>::max() / 4;
    start(options);
    StreamSender sender(port(), {{Step::Send, FrameStream({}, pattern(10, 1)), 0, 0},
                                 {Step::AwaitClose, {}, 0, 5000}});
    ASSERT_TRUE(sender.wait());
    ASSERT_TRUE(waitWorkersGone());
    EXPECT_TRUE(sender.result().closedByPeer);
    EXPECT_TRUE(sender.result().replies.isEmpty());
    EXPECT_EQ(Dropped.size(), 1);
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(StreamServerTest, TooManyConnectionsWaitOrAreRefusedAndServiceResumes) {
    StreamServerOptions options;
    options.maxWorkers = 2;
    options.maxWaiting = 1;
    start(options);
    // Two peers that stall hold both workers until their idle time-out.
    std::vector<std::unique_ptr<StreamSender>> stalls;
    for (int i = 0; i < 2; ++i)
        stalls.push_back(std::make_unique<StreamSender>(
            port(), QList<Step>{{Step::Send, "00", 0, 0}, {Step::AwaitClose, {}, 0, 20000}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Server->activeWorkers() == 2; }, 5000));
    // A real message arrives meanwhile; it must wait, not be lost.
    StreamSender good(port(), StreamSender::OneMessage("good", pattern(1000, 9)));
    // Only once it holds the one waiting place may the flood come, or a flood connection could
    // take that place first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Server->waitingConnections() == 1; }, 10000));
    // A flood beyond the waiting room is refused.
    std::vector<std::unique_ptr<StreamSender>> flood;
    for (int i = 0; i < 6; ++i)
        flood.push_back(std::make_unique<StreamSender>(
            port(), QList<Step>{{Step::Send, "00", 0, 0}, {Step::AwaitClose, {}, 0, 20000}}));

    ASSERT_TRUE(good.wait(20000));
    for (auto& s : stalls)
        ASSERT_TRUE(s->wait(20000));
    for (auto& s : flood)
        ASSERT_TRUE(s->wait(20000));
    ASSERT_TRUE(waitReceived(1));
    ASSERT_TRUE(waitWorkersGone(20000));

    EXPECT_EQ(good.result().replies.value(0), StreamFraming::okReply());
    EXPECT_EQ(Received[0].senderText, QByteArray("good"));
    EXPECT_LE(Server->peakWorkers(), 2);
    for (auto& s : stalls)
        EXPECT_TRUE(s->result().closedByPeer);
    for (auto& s : flood)
        EXPECT_TRUE(s->result().closedByPeer);

    // Service goes on normally afterwards.
    StreamSender after(port(), StreamSender::OneMessage("after", pattern(10, 10)));
    ASSERT_TRUE(after.wait());
    ASSERT_TRUE(waitReceived(2));
    EXPECT_EQ(Received[1].senderText, QByteArray("after"));
}

TEST_F(StreamServerTest, SendersArrivingWhileAllWorkersAreBusyWaitAndAreServed) {
    StreamServerOptions options;
    options.maxWorkers = 2;
    start(options);
    std::vector<std::unique_ptr<StreamSender>> stalls;
    for (int i = 0; i < 2; ++i)
        stalls.push_back(std::make_unique<StreamSender>(
            port(), QList<Step>{{Step::Send, "00", 0, 0}, {Step::AwaitClose, {}, 0, 20000}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Server->activeWorkers() == 2; }, 5000));
    std::vector<std::unique_ptr<StreamSender>> senders;
    for (int i = 0; i < 12; ++i)
        senders.push_back(std::make_unique<StreamSender>(
            port(), StreamSender::OneMessage(QByteArray::number(i), pattern(2000, quint32(i)))));
    for (auto& s : senders)
        ASSERT_TRUE(s->wait(30000));
    ASSERT_TRUE(waitReceived(12));
    for (auto& s : senders)
        EXPECT_EQ(s->result().replies.value(0), StreamFraming::okReply());
    EXPECT_LE(Server->peakWorkers(), 2);
    EXPECT_EQ(Dropped.size(), 2); // the two stalls, nobody else
}

TEST_F(StreamServerTest, StartRemovesLeftoversAndStopRemovesPartialData) {
    for (const char* name : {"stream-abc.part", "stream-def.msg"}) {
        QFile f(QDir(Folder.path()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile keep(QDir(Folder.path()).filePath("00000001.cxn"));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    StreamServerOptions patient;
    patient.idleTimeoutMs = 3600 * 1000;
    start(patient);
    EXPECT_EQ(filesInFolder(), QStringList{"00000001.cxn"});

    const QByteArray frame = FrameStream("x", pattern(50000, 3));
    StreamSender sender(port(),
                        {{Step::Send, frame.left(20000), 0, 0}, {Step::AwaitClose, {}, 0, 5000}});
    // The data goes to an unnamed file while it arrives, so there is nothing to see yet.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Server->activeWorkers() == 1; }, 5000));
    QTest::qWait(100);
    Server.reset();
    EXPECT_EQ(filesInFolder(), QStringList{"00000001.cxn"});
    ASSERT_TRUE(sender.wait());
    EXPECT_TRUE(sender.result().closedByPeer);
}

} // namespace
