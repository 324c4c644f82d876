#pragma once

#include "core/TimeSource.h"
#include "line/dialer/ComPortProbe.h"
#include "platform/dialup/LinuxDialupDirectory.h"
#include "platform/serial/LinuxSerialPorts.h"
#include "settings/ConfigFile.h"
#include "settings/LiveSettings.h"

#include <QDialog>

class AppMessenger;
class DialupDirectory;
class PortProber;
class QCheckBox;
class QComboBox;
class QListWidget;
class Registry;

// The Properties dialog. Created hidden at start-up; it loads and holds the live settings for the
// whole run, and its pages edit them.
class TPropForm : public QDialog {
    Q_OBJECT
public:
    TPropForm(Registry& registry, AppMessenger& messenger, QWidget* parent = nullptr);
    ~TPropForm() override;

    // What the load reads besides the store; by default the real configuration file, dial-up
    // directory and serial ports. Set before LoadSettings().
    void setConfigFile(ConfigFile& config) { Config = &config; }
    void setDialupDirectory(DialupDirectory& dialup) { Dialup = &dialup; }
    void setPortProber(PortProber& prober) { Prober = &prober; }
    void setRingsDir(const QString& dir) { RingsDir = dir; }

    // Runs the configuration load. False when the program must end at once (the user has
    // already been told why).
    bool LoadSettings();
    const LiveSettings& settings() const { return Settings; }

    // The dial-up entries offered and the one chosen (-1 for none), for the connection window.
    QStringList connectionEntries() const;
    int connectionIndex() const;

private:
    Registry& Reg;
    AppMessenger& Messenger;
    LiveSettings Settings;

    IniConfigFile DefaultConfig;
    LinuxDialupDirectory DefaultDialup;
    LinuxSerialPorts DefaultPorts;
    TimeSource DefaultTime;
    ComPortProbe DefaultProber;
    ConfigFile* Config;
    DialupDirectory* Dialup;
    PortProber* Prober;
    QString RingsDir = QStringLiteral("dat/rings");

    QComboBox* RingTypeBox;
    QListWidget* ConnectionList;
    QListWidget* DevicesList;
    QCheckBox* LongCallCheck;
};
