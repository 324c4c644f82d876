#pragma once

#include "line/dialer/PortProber.h"

class AppMessenger;
class SerialPorts;
class TimeSource;

// Tries COM2, COM3, ... COM16 in turn: the first port that takes the dial command "ATDT1"
// (written with the dialer, then hung up with "ATH") is the modem's. COM1 is left out because
// it is usually the mouse or a console. Sixteen is as far as anyone numbers real serial ports;
// ports that do not exist cost only a file-system look-up.
class ComPortProbe : public PortProber {
public:
    static constexpr int FirstPort = 2;
    static constexpr int LastPort = 16;

    ComPortProbe(SerialPorts& ports, AppMessenger& messenger, TimeSource& time);
    std::optional<int> findModemPort() override;

private:
    SerialPorts& Ports;
    AppMessenger& Messenger;
    TimeSource& Time;
};
