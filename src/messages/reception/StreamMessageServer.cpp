#include "messages/reception/StreamMessageServer.h"

#include "core/ActivityLog.h"
#include "messages/reception/StreamConnection.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QThread>
#include <unistd.h>

class StreamMessageServer::Listener : public QTcpServer {
public:
    explicit Listener(StreamMessageServer& owner) : Owner(owner) {}

protected:
    void incomingConnection(qintptr descriptor) override { Owner.accepted(descriptor); }

private:
    StreamMessageServer& Owner;
};

StreamMessageServer::StreamMessageServer(QString folder, const TimeSource& time,
                                         StreamServerOptions options, QObject* parent)
    : QObject(parent), Folder(std::move(folder)), Time(time), Options(std::move(options)),
      Server(std::make_unique<Listener>(*this)) {
    qRegisterMetaType<ReceivedStream>();
    if (Options.maxWorkers < 1)
        Options.maxWorkers = 1;
    if (Options.maxWaiting < 0)
        Options.maxWaiting = 0;
}

StreamMessageServer::~StreamMessageServer() {
    Server->close();
    Stopping.store(true);
    for (QThread* thread : std::as_const(Workers)) {
        thread->wait();
        delete thread;
    }
    for (qintptr descriptor : std::as_const(Waiting))
        ::close(int(descriptor));
}

bool StreamMessageServer::listen(const QHostAddress& address, quint16 port) {
    removeLeftovers();
    Server->setListenBacklogSize(5);
    return Server->listen(address, port);
}

bool StreamMessageServer::isListening() const {
    return Server->isListening();
}

quint16 StreamMessageServer::serverPort() const {
    return Server->serverPort();
}

QString StreamMessageServer::errorString() const {
    return Server->errorString();
}

void StreamMessageServer::removeLeftovers() const {
    const QDir dir(Folder);
    const QStringList patterns{Options.filePrefix + QStringLiteral("*.part"),
                               Options.filePrefix + QStringLiteral("*.msg")};
    for (const QString& name : dir.entryList(patterns, QDir::Files))
        QFile::remove(dir.filePath(name));
}

void StreamMessageServer::accepted(qintptr descriptor) {
    if (Workers.size() < Options.maxWorkers) {
        startWorker(descriptor);
        return;
    }
    // Full: stop taking connections off the system's queue until a worker is free; the few
    // already taken wait here, anything beyond is refused.
    Server->pauseAccepting();
    if (Waiting.size() < Options.maxWaiting) {
        Waiting.append(descriptor);
        return;
    }
    WriteLog(QStringLiteral("Stream message connection refused: %1 connections are being served")
                 .arg(Workers.size()));
    ::close(int(descriptor));
}

void StreamMessageServer::startWorker(qintptr descriptor) {
    StreamConnectionContext context;
    context.folder = Folder;
    context.options = Options;
    context.time = &Time;
    context.stopping = &Stopping;
    context.reservedBytes = &ReservedBytes;

    // Queued onto this object's thread: the messages come out one at a time, in the order their
    // workers completed them.
    StreamConnectionEvents events;
    events.received = [this](const ReceivedStream& message) {
        QMetaObject::invokeMethod(
            this, [this, message] { Q_EMIT messageReceived(message); }, Qt::QueuedConnection);
    };
    events.dropped = [this](const QHostAddress& peer, const QString& reason) {
        QMetaObject::invokeMethod(
            this, [this, peer, reason] { Q_EMIT streamDropped(peer, reason); },
            Qt::QueuedConnection);
    };

    QThread* thread = QThread::create(
        [descriptor, context, events] { ServeStreamConnection(descriptor, context, events); });
    connect(thread, &QThread::finished, this, [this, thread] { workerFinished(thread); });
    Workers.append(thread);
    PeakWorkers = std::max(PeakWorkers, int(Workers.size()));
    thread->start();
}

void StreamMessageServer::workerFinished(QThread* thread) {
    // finished() comes from the worker's last moments; waiting for them here could hold the
    // window's thread until the worker is scheduled again, so the object goes later instead.
    Workers.removeOne(thread);
    thread->deleteLater();
    if (Stopping.load())
        return;
    while (!Waiting.isEmpty() && Workers.size() < Options.maxWorkers)
        startWorker(Waiting.takeFirst());
    if (Workers.size() < Options.maxWorkers && Server->isListening())
        Server->resumeAccepting();
}
