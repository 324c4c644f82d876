#pragma once

#include <QString>
#include <QtGlobal>

// Bounds that keep a hostile or broken sender from exhausting memory, disk, threads or time.
// Durations are nominal milliseconds of the server's TimeSource.
struct StreamServerOptions {
    // Longest data accepted; a longer announced length is refused as soon as the head arrives.
    qint64 maxDataBytes = qint64(64) * 1024 * 1024;
    // Free space the receiver always leaves on the disk, on top of what running streams reserve.
    qint64 diskReserveBytes = qint64(64) * 1024 * 1024;
    // Connections served at once; further ones wait (a few) or are closed.
    int maxWorkers = 16;
    // Accepted connections kept waiting for a free worker; beyond this they are closed at once.
    // Once the workers are all busy the server stops accepting, so only what already sat in the
    // system's queue (backlog 5, at most 6 on Linux) is taken in; the margin keeps ordinary
    // senders from ever being refused.
    int maxWaiting = 16;
    // A sender that sends nothing for this long is dropped.
    qint64 idleTimeoutMs = 60 * 1000;
    // No connection is held longer than this, however slowly it trickles.
    qint64 connectionTimeoutMs = qint64(3) * 60 * 60 * 1000;
    // Names of the files the server writes in its folder: prefix + random + ".part" while the
    // data arrives, ".msg" once it is whole. Leftovers of both are removed when it starts.
    QString filePrefix = QStringLiteral("stream-");
};
