#pragma once

#include <QString>

class AppMessenger;
class SerialPorts;
class TimeSource;

enum TDialMode { mDirect, mTapi };
// Port index: the port dialled is "COM" + (ComPort + 1). Values past dpCOM4 name higher ports.
enum TComPort : int { dpCOM1 = 0, dpCOM2 = 1, dpCOM3 = 2, dpCOM4 = 3 };
// Kept for callers that set it; the dialer's texts do not change with it.
enum TDialLanguage { dlEnglish, dlDutch, dlGerman, dlFrench, dlItalian, dlSpanish };

// Dials a number by writing a modem dial command to a serial port ("direct"), or through the
// system's assisted telephony ("tapi"), which this platform does not have.
class TDialer {
public:
    TDialer(SerialPorts& ports, AppMessenger& messenger, TimeSource& time);

    QString NumberToDial;
    QString DialCommand;
    TDialMode Mode = mDirect;
    TComPort ComPort = dpCOM1;
    bool Confirm = false;
    TDialLanguage Language = dlEnglish;

    // Direct: writes DialCommand + NumberToDial + CR LF to the port; on success waits waitMs
    // (events keep running), sets "OK" and writes "ATH" CR LF; when the port cannot be opened
    // sets "COMOPENERROR"; when the write fails says "Unable to dial number" and sets
    // "DIALERROR". `result` is left alone in every other case (a declined confirmation).
    void Dial(int waitMs, QString& result);

    static int portNumber(TComPort port) { return int(port) + 1; }
    static TComPort comPort(int number) { return static_cast<TComPort>(number - 1); }

private:
    void dialDirect(int waitMs, QString& result);
    void pause(int waitMs);

    SerialPorts& Ports;
    AppMessenger& Messenger;
    TimeSource& Time;
};
