#pragma once

#include "messages/reception/ReceivedStream.h"
#include "messages/reception/StreamServerOptions.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QThread;
class TimeSource;

// Listens for stream messages and serves each accepted connection on a worker thread of its own:
// the worker reads the head, writes the data to a file in `folder` as it arrives, sends the
// 16-byte reply and hands the message to the thread this object lives on, where
// messageReceived is emitted, one message at a time in the order the messages were completed.
class StreamMessageServer : public QObject {
    Q_OBJECT
public:
    // `folder` must exist; `time` must outlive the server.
    StreamMessageServer(QString folder, const TimeSource& time, StreamServerOptions options = {},
                        QObject* parent = nullptr);
    // Stops every worker (their partial files are removed) and waits for them.
    ~StreamMessageServer() override;

    // Removes leftovers of an earlier run from the folder, then listens with a backlog of 5.
    bool listen(const QHostAddress& address = QHostAddress::Any, quint16 port = 1912);
    bool isListening() const;
    quint16 serverPort() const;
    QString errorString() const;

    // Connections being served right now, and the most served at once since the start.
    int activeWorkers() const { return int(Workers.size()); }
    int peakWorkers() const { return PeakWorkers; }
    // Connections taken while every worker was busy, waiting for one to come free.
    int waitingConnections() const { return int(Waiting.size()); }

Q_SIGNALS:
    void messageReceived(const ReceivedStream& message);
    // A stream that was refused or lost after it had started: announced too long, cut short,
    // stalled, or no room on the disk. Nothing of it is kept.
    void streamDropped(const QHostAddress& peer, const QString& reason);

private:
    class Listener;
    void accepted(qintptr descriptor);
    void startWorker(qintptr descriptor);
    void workerFinished(QThread* thread);
    void removeLeftovers() const;

    QString Folder;
    const TimeSource& Time;
    StreamServerOptions Options;
    std::unique_ptr<Listener> Server;
    QList<QThread*> Workers;
    QList<qintptr> Waiting;
    int PeakWorkers = 0;
    std::atomic<bool> Stopping{false};
    std::atomic<qint64> ReservedBytes{0};
};
