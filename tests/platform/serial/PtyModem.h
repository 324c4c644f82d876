#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal standing in for a modem: the test holds the master end and reads what the
// program wrote to the slave end, which is reached through a COM link like a real port. The test
// keeps a slave descriptor open as well, so the terminal never hangs up under the program.
class PtyModem {
public:
    PtyModem();
    ~PtyModem();
    PtyModem(const PtyModem&) = delete;
    PtyModem& operator=(const PtyModem&) = delete;

    bool isOpen() const { return Master >= 0; }
    QString slavePath() const { return SlavePath; }
    // Makes `link` a symbolic link to the slave end.
    bool linkAs(const QString& link) const;
    // Everything the program wrote so far (waits up to waitMs for the first byte).
    QByteArray readWritten(int waitMs = 200);
    // Fills the terminal's buffers, so that a further write cannot go through.
    bool fillUp();

private:
    int Master = -1;
    int Slave = -1;
    QString SlavePath;
};
