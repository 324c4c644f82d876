#pragma once

#include "platform/serial/ComPortMap.h"
#include "platform/serial/SerialPorts.h"

// The machine's serial ports, found through the COM port map and opened with POSIX calls.
class LinuxSerialPorts : public SerialPorts {
public:
    explicit LinuxSerialPorts(ComPortMap map = ComPortMap(), int writeTimeoutMs = 2000);

    bool exists(int n) const override;
    std::unique_ptr<SerialWriter> openForWriting(int n, QString* error = nullptr) override;

    const ComPortMap& map() const { return Map; }

private:
    ComPortMap Map;
    int WriteTimeoutMs;
};
