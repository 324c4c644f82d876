#pragma once

#include "settings/LiveSettings.h"

#include <QString>
#include <QStringList>
#include <optional>

class AppMessenger;
class ConfigFile;
class DialupDirectory;
class PortProber;
class Registry;

// The start-up load of the live settings: each value comes from the settings store, and a value
// the store lacks gets its first value (from Nirvo.ini, or a built-in one), which is stored at
// once. It also gathers what the Properties dialog shows beside the values: the ring list, the
// dial-up entry and device lists with their selections, and the long-distance tick.
class SettingsLoader {
public:
    enum Outcome { Loaded, EndProgram };

    // The mail relay used when none is stored: the local machine, so no mail leaves it unasked.
    static inline const QString DefaultSMTP = QStringLiteral("127.0.0.1");

    SettingsLoader(Registry& registry, AppMessenger& messenger, ConfigFile& config,
                   DialupDirectory& dialup, PortProber& prober,
                   QString ringsDir = QStringLiteral("dat/rings"));

    // EndProgram when the program must end at once; the user has been told why.
    Outcome load();

    const LiveSettings& settings() const { return Live; }
    // The ring files, then "Random".
    const QStringList& ringList() const { return Rings; }
    const QStringList& connectionList() const { return Connections; }
    int connectionIndex() const { return ConnectionIndex; } // -1: none selected
    const QStringList& deviceList() const { return Devices; }
    int deviceIndex() const { return DeviceIndex; }
    // Whether the server is dialled with an area code ("Long Distance Call").
    bool longDistance() const { return LongDistance; }

private:
    bool openStore();
    bool requireConfigFile();
    void loadGeneral();
    void loadRings();
    void loadDialup();
    QString selectStored(const QString& name, const QStringList& list, int& index);
    bool loadServerPhone();
    bool loadServerAddress();
    void loadComport();

    std::optional<QString> fromFile(const QString& section, const QString& key,
                                    const QString& caption, const QString& failure);
    std::optional<QString> storedOrFromFile(const QString& name, const QString& section,
                                            const QString& key, const QString& failure);
    QString readText(const QString& name) const;
    void store(const QString& name, const QString& value);

    Registry& Reg;
    AppMessenger& Messenger;
    ConfigFile& Config;
    DialupDirectory& Dialup;
    PortProber& Prober;
    QString RingsDir;

    LiveSettings Live;
    QStringList Rings;
    QStringList Connections;
    QStringList Devices;
    int ConnectionIndex = -1;
    int DeviceIndex = -1;
    bool LongDistance = false;
};
