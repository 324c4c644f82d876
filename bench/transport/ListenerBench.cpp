// Drives the record listening port the way a busy server would: many peers at once, each
// connecting, sending one record and waiting for the port to close the connection.
#include "messages/listen/RecordListener.h"
#include "server/records/ServerRecords.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct CountingHooks : ListenerHooks {
    std::atomic<long> Records{0};
    void onMessageNotice(const Message_Notice_Type&) override { ++Records; }
    void onServerUp() override { ++Records; }
    void onTextMessage(const QString&) override { ++Records; }
    void onVersion(const Version_Type&) override { ++Records; }
    void onIncomingCall(const Incoming_Call_Type&, QTcpSocket*) override { ++Records; }
    void onIncomingCallEnd(const Incoming_Call_End_Type&) override { ++Records; }
};

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// One peer: `count` connections one after another, each carrying one record.
void peer(quint16 port, long count, const QByteArray& record, std::atomic<long>& failures) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (long i = 0; i < count; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::send(fd, record.constData(), size_t(record.size()), 0) != record.size()) {
            ++failures;
            ::close(fd);
            continue;
        }
        char sink[64];
        while (::recv(fd, sink, sizeof sink, 0) > 0) {
        } // the port closes the connection once the record is dispatched
        ::close(fd);
    }
}

struct Phase {
    double seconds;
    long records;
    long failures;
};

Phase run(QCoreApplication& app, RecordListener& listener, CountingHooks& hooks, int peers,
          long perPeer) {
    const long start = hooks.Records.load();
    std::atomic<long> failures{0};
    std::atomic<int> done{0};
    Message_Notice_Type notice;
    notice.MsgNumber = 1;
    const QByteArray records[2] = {notice.encode(), Server_Up_Type().encode()};
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> threads;
    for (int i = 0; i < peers; ++i)
        threads.emplace_back([&, i] {
            peer(listener.serverPort(), perPeer, records[i % 2], failures);
            ++done;
        });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (done.load() == peers)
            app.quit();
    });
    poll.start(5);
    app.exec();
    for (auto& t : threads)
        t.join();
    return {clock.elapsed() / 1000.0, hooks.Records.load() - start, failures.load()};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int peers = argc > 1 ? std::atoi(argv[1]) : 32;
    const long total = argc > 2 ? std::atol(argv[2]) : 100000;

    const TimeSource time;
    CountingHooks hooks;
    RecordListener listener(hooks, time);
    if (!listener.listen(0, QHostAddress::LocalHost)) {
        std::fprintf(stderr, "cannot listen\n");
        return 1;
    }

    run(app, listener, hooks, peers, 2000 / peers + 1); // warm-up: sockets, allocator pools
    const long before = residentKb();
    const Phase phase = run(app, listener, hooks, peers, total / peers);
    app.processEvents();
    const long after = residentKb();

    std::printf("peers=%d connections=%ld records=%ld failures=%ld seconds=%.2f\n", peers,
                (total / peers) * peers, phase.records, phase.failures, phase.seconds);
    std::printf("records_per_second=%.0f\n", phase.records / phase.seconds);
    std::printf("rss_kb_before=%ld rss_kb_after=%ld growth_kb=%ld open_connections=%d\n", before,
                after, after - before, listener.server().connectionCount());
    return phase.failures == 0 && phase.records == (total / peers) * peers ? 0 : 2;
}
