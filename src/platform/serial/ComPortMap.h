#pragma once

#include <QString>

// Where the port named "COM" + n lives: the link $XDG_CONFIG_HOME/nirvo/dosdevices/com<n> when
// it exists (the layout the Windows compatibility layer uses, so one set of links serves both),
// otherwise /dev/ttyS<n-1>. A port exists when the path it maps to exists.
class ComPortMap {
public:
    explicit ComPortMap(QString dosDevicesDir = defaultDosDevicesDir(),
                        QString fallbackPrefix = QStringLiteral("/dev/ttyS"));

    static QString defaultDosDevicesDir();

    // Empty for n < 1.
    QString devicePath(int n) const;
    bool exists(int n) const;

    QString dosDevicesDir() const { return DosDevices; }

private:
    QString DosDevices;
    QString Fallback;
};
