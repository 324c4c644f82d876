#pragma once

#include "platform/serial/SerialPorts.h"

#include <memory>

// A serial device opened with plain POSIX calls: write-only, no controlling terminal,
// non-blocking, locked against every other user of the device (flock, and TIOCEXCL for ttys).
// Writes wait for room up to a time limit instead of blocking on a stalled port.
class PosixSerialWriter : public SerialWriter {
public:
    ~PosixSerialWriter() override;
    PosixSerialWriter(const PosixSerialWriter&) = delete;
    PosixSerialWriter& operator=(const PosixSerialWriter&) = delete;

    static std::unique_ptr<PosixSerialWriter> open(const QString& path, int writeTimeoutMs,
                                                   QString* error = nullptr);

    bool write(const QByteArray& data) override;
    QString lastError() const { return Error; }

private:
    PosixSerialWriter(int fd, int writeTimeoutMs);

    int Fd;
    int TimeoutMs;
    QString Error;
};
