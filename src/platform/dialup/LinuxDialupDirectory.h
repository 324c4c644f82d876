#pragma once

#include "platform/dialup/DialupDirectory.h"
#include "platform/serial/ComPortMap.h"

// Dial-up on Linux: each file in the PPP peers folder (/etc/ppp/peers) is an entry; the devices
// are the COM ports that exist. The adapter settings file <config>/nirvo/adapter.ini may name
// another peers folder ("[dialup]" "peers=..."; a relative path is taken from the file's folder),
// for tests and demonstrations.
class LinuxDialupDirectory : public DialupDirectory {
public:
    static constexpr int MaxPort = 16;

    explicit LinuxDialupDirectory(QString configDir = defaultConfigDir(),
                                  ComPortMap ports = ComPortMap());

    // $XDG_CONFIG_HOME/nirvo (default ~/.config/nirvo).
    static QString defaultConfigDir();

    bool available() const override;
    QStringList entryNames() const override;
    QStringList deviceNames() const override;

    QString peersDir() const;

private:
    QString ConfigDir;
    ComPortMap Ports;
};
