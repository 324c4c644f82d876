#pragma once

#include <optional>

// Finds the serial port a modem answers on.
class PortProber {
public:
    virtual ~PortProber();
    // The port number n of "COM" + n, or nothing when no port answered.
    virtual std::optional<int> findModemPort() = 0;
};
