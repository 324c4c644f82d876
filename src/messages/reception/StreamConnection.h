#pragma once

#include "messages/reception/ReceivedStream.h"
#include "messages/reception/StreamServerOptions.h"

#include <QHostAddress>
#include <QString>
#include <atomic>
#include <functional>

class TimeSource;

// What one connection's worker shares with the server that started it. Everything referred to
// outlives the worker: the server waits for its workers before it goes.
struct StreamConnectionContext {
    QString folder;
    StreamServerOptions options;
    const TimeSource* time = nullptr;
    const std::atomic<bool>* stopping = nullptr;
    // Bytes promised to streams still being written, so parallel streams cannot together
    // overcommit the free space that each of them checked on its own.
    std::atomic<qint64>* reservedBytes = nullptr;
};

struct StreamConnectionEvents {
    // The data is whole on disk and the reply has been sent (or at least tried).
    std::function<void(const ReceivedStream&)> received;
    // The stream was refused or lost; no file is left behind.
    std::function<void(const QHostAddress& peer, const QString& reason)> dropped;
};

// Serves one accepted connection from head to close, blocking; runs on the connection's own
// worker thread. Returns when the sender has closed, or the connection was dropped.
void ServeStreamConnection(qintptr descriptor, const StreamConnectionContext& context,
                           const StreamConnectionEvents& events);
