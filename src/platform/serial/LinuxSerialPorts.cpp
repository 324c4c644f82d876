#include "platform/serial/LinuxSerialPorts.h"

#include "platform/serial/PosixSerialWriter.h"

LinuxSerialPorts::LinuxSerialPorts(ComPortMap map, int writeTimeoutMs)
    : Map(std::move(map)), WriteTimeoutMs(writeTimeoutMs) {}

bool LinuxSerialPorts::exists(int n) const {
    return Map.exists(n);
}

std::unique_ptr<SerialWriter> LinuxSerialPorts::openForWriting(int n, QString* error) {
    if (!Map.exists(n)) {
        if (error)
            *error = QStringLiteral("COM%1 does not exist").arg(n);
        return nullptr;
    }
    return PosixSerialWriter::open(Map.devicePath(n), WriteTimeoutMs, error);
}
