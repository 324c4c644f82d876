#include "line/dialer/TDialer.h"

#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "core/TimeSource.h"
#include "platform/serial/SerialPorts.h"

#include <QEventLoop>
#include <QTimer>

TDialer::TDialer(SerialPorts& ports, AppMessenger& messenger, TimeSource& time)
    : Ports(ports), Messenger(messenger), Time(time) {}

void TDialer::Dial(int waitMs, QString& result) {
    if (Mode == mTapi) {
        // Assisted telephony does not exist here; report it the way the service reports its
        // own absence. No caller dials this way.
        result = QStringLiteral("TapiNotAvailable");
        return;
    }
    dialDirect(waitMs, result);
}

void TDialer::dialDirect(int waitMs, QString& result) {
    if (Confirm && Messenger.ShowAppMessage(QStringLiteral("Confirm"),
                                            QStringLiteral("About to dial the number ") +
                                                NumberToDial + QStringLiteral(". Are you sure?"),
                                            mkQuestion, mbOKCancel) != mrOK)
        return;
    const int number = portNumber(ComPort);
    QString why;
    auto port = Ports.openForWriting(number, &why);
    if (!port) {
        result = QStringLiteral("COMOPENERROR");
        return;
    }
    if (port->write((DialCommand + NumberToDial + QStringLiteral("\r\n")).toLatin1())) {
        pause(waitMs);
        result = QStringLiteral("OK");
        port->write(QByteArrayLiteral("ATH\r\n"));
    } else {
        WriteLog(QStringLiteral("Cannot write the dial command to COM%1.").arg(number));
        Messenger.ShowAppMessage(QStringLiteral("Error"), QStringLiteral("Unable to dial number"),
                                 mkError, mbOK);
        result = QStringLiteral("DIALERROR");
    }
    port.reset(); // closes the port
}

void TDialer::pause(int waitMs) {
    if (waitMs <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(Time.realMs(waitMs), &loop, &QEventLoop::quit);
    loop.exec();
}
