#include "line/dialer/ComPortProbe.h"

#include "line/dialer/TDialer.h"

ComPortProbe::ComPortProbe(SerialPorts& ports, AppMessenger& messenger, TimeSource& time)
    : Ports(ports), Messenger(messenger), Time(time) {}

std::optional<int> ComPortProbe::findModemPort() {
    TDialer dialer(Ports, Messenger, Time);
    dialer.NumberToDial = QStringLiteral("1");
    dialer.DialCommand = QStringLiteral("ATDT");
    dialer.Mode = mDirect;
    dialer.Confirm = false;
    for (int n = FirstPort; n <= LastPort; ++n) {
        dialer.ComPort = TDialer::comPort(n);
        QString result;
        dialer.Dial(0, result);
        if (result == QLatin1String("OK"))
            return n;
    }
    return std::nullopt;
}
