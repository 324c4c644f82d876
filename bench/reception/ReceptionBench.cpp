// Receives messages from concurrent senders on 127.0.0.1 and reports how long the main thread
// was ever kept from its event loop (the longest gap between 1 ms heartbeats), with the
// throughput. Usage: reception_bench [senders=8] [messages=200] [bytes=60000]
#include "core/TimeSource.h"
#include "messages/reception/StreamMessageServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

QByteArray frame(const QByteArray& text, const QByteArray& data) {
    return QByteArray::number(text.size()).rightJustified(4, '0') + text +
           QByteArray::number(data.size()).rightJustified(10, '0') + data;
}

// One message per connection, the way the service's server sends them.
bool sendOne(quint16 port, const QByteArray& bytes) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(10000))
        return false;
    for (qsizetype at = 0; at < bytes.size(); at += 4096) {
        socket.write(bytes.mid(at, 4096));
        socket.waitForBytesWritten(10000);
    }
    QByteArray reply;
    while (reply.size() < 16 && socket.waitForReadyRead(10000))
        reply += socket.readAll();
    socket.disconnectFromHost();
    return reply.startsWith("OK");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int senders = argc > 1 ? std::max(1, atoi(argv[1])) : 8;
    const int messages = argc > 2 ? std::max(1, atoi(argv[2])) : 200;
    const int bytes = argc > 3 ? std::max(0, atoi(argv[3])) : 60000;

    QTemporaryDir folder;
    TimeSource time;
    StreamMessageServer server(folder.path(), time);
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        std::fprintf(stderr, "listen: %s\n", qPrintable(server.errorString()));
        return 1;
    }

    int received = 0;
    qint64 longestGapMs = 0;
    QElapsedTimer beat;
    QTimer heartbeat;
    heartbeat.setInterval(1);
    QObject::connect(&heartbeat, &QTimer::timeout,
                     [&] { longestGapMs = std::max(longestGapMs, beat.restart()); });
    QObject::connect(&server, &StreamMessageServer::messageReceived, [&](const ReceivedStream& m) {
        QFile::remove(m.dataPath);
        if (++received == messages)
            app.quit();
    });

    std::atomic<int> replies{0};
    std::atomic<int> next{0};
    const QByteArray data(bytes, 'v');
    const quint16 port = server.serverPort();
    std::vector<std::thread> threads;
    QElapsedTimer wall;
    // A second of heartbeats with no traffic first: on a loaded machine the scheduler alone
    // delays the main thread, and that baseline is what the figure under load compares with.
    qint64 idleGapMs = -1;
    beat.start();
    heartbeat.start();
    QTimer::singleShot(1000, [&] {
        idleGapMs = longestGapMs;
        longestGapMs = 0;
        beat.restart();
        wall.start();
        for (int s = 0; s < senders; ++s)
            threads.emplace_back([&] {
                while (next.fetch_add(1) < messages)
                    if (sendOne(port, frame("bench", data)))
                        ++replies;
            });
    });
    QTimer::singleShot(120000, &app, [&] { app.exit(2); });
    const int rc = app.exec();
    const qint64 elapsed = wall.elapsed();
    for (auto& t : threads)
        t.join();

    std::printf("senders %d, messages %d of %d bytes: received %d, replies %d, %lld ms, "
                "longest main-thread gap %lld ms (idle baseline %lld ms), peak workers %d\n",
                senders, messages, bytes, received, replies.load(), qint64(elapsed), longestGapMs,
                idleGapMs, server.peakWorkers());
    return rc == 0 && received == messages && replies.load() == messages ? 0 : 1;
}
