#include "settings/SettingsLoader.h"

#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "line/dialer/PortProber.h"
#include "platform/dialup/DialupDirectory.h"
#include "platform/registry/Registry.h"
#include "settings/ConfigFile.h"
#include "settings/SettingsKeys.h"

#include <QDir>

namespace {
const QString ConfigError = QStringLiteral("Configuration Error");
} // namespace

SettingsLoader::SettingsLoader(Registry& registry, AppMessenger& messenger, ConfigFile& config,
                               DialupDirectory& dialup, PortProber& prober, QString ringsDir)
    : Reg(registry), Messenger(messenger), Config(config), Dialup(dialup), Prober(prober),
      RingsDir(std::move(ringsDir)) {}

SettingsLoader::Outcome SettingsLoader::load() {
    Live = LiveSettings();
    Rings.clear();
    Connections.clear();
    Devices.clear();
    ConnectionIndex = DeviceIndex = -1;
    LongDistance = false;

    if (!openStore() || !requireConfigFile())
        return EndProgram;
    loadGeneral();
    loadDialup();
    if (!loadServerPhone() || !loadServerAddress())
        return EndProgram;
    loadComport();
    return Loaded;
}

// Running on with a store that cannot be read or written would quietly lose every setting and
// the registration, so the user hears why and the program stops.
bool SettingsLoader::openStore() {
    QString why = Reg.storeError();
    if (why.isEmpty() && !Reg.openKey(SettingsKeys::Properties, true))
        why = QStringLiteral("The settings cannot be stored.");
    if (why.isEmpty())
        return true;
    WriteLog(why);
    Messenger.ShowAppMessage(ConfigError, why + QStringLiteral("\r\nContact technical support."),
                             mkError, mbOK);
    return false;
}

bool SettingsLoader::requireConfigFile() {
    if (Config.exists())
        return true;
    Messenger.ShowAppMessage(
        QStringLiteral("Configuration File wasn't found!"),
        QStringLiteral("Configuration File wasn't found.\r\nContact technical support."), mkError,
        mbOK);
    return false;
}

QString SettingsLoader::readText(const QString& name) const {
    return Reg.readString(SettingsKeys::Properties, name).value_or(QString());
}

void SettingsLoader::store(const QString& name, const QString& value) {
    if (!Reg.writeString(SettingsKeys::Properties, name, value))
        WriteLog(QStringLiteral("Cannot store the setting ") + name + QLatin1Char('.'));
}

void SettingsLoader::loadGeneral() {
    const auto smtp = Reg.readString(SettingsKeys::Properties, QStringLiteral("SMTP"));
    Live.SMTP = smtp.value_or(DefaultSMTP);
    if (!smtp)
        store(QStringLiteral("SMTP"), DefaultSMTP);

    const QString ring = readText(QStringLiteral("Ring"));
    Live.Ring = ring != QLatin1String("NO");
    if (ring != QLatin1String("RING") && ring != QLatin1String("NO"))
        store(QStringLiteral("Ring"), QStringLiteral("RING"));

    loadRings();

    Live.RingType = readText(QStringLiteral("RingType"));
    if (Live.RingType.isEmpty()) {
        Live.RingType = QStringLiteral("Random");
        store(QStringLiteral("RingType"), Live.RingType);
    }

    const auto notify = Reg.readInteger(SettingsKeys::Properties, QStringLiteral("Notify"));
    Live.Notify = notify ? int(*notify) : 0;
    if (!notify && !Reg.writeInteger(SettingsKeys::Properties, QStringLiteral("Notify"), 0))
        WriteLog(QStringLiteral("Cannot store the setting Notify."));

    // A missing or unknown word means "not on top"; it is left as it is.
    Live.Ontop = readText(QStringLiteral("Ontop")) == QLatin1String("STAYONTOP");

    const QString remove = readText(QStringLiteral("Remove"));
    Live.Remove = remove == QLatin1String("REMOVE");
    if (remove != QLatin1String("REMOVE") && remove != QLatin1String("NO"))
        store(QStringLiteral("Remove"), QStringLiteral("NO"));
}

void SettingsLoader::loadRings() {
    // Listed by name: the folder's own order differs between file systems.
    Rings = QDir(RingsDir).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    Rings.append(QStringLiteral("Random"));
}

void SettingsLoader::loadDialup() {
    if (Dialup.available()) {
        Connections = Dialup.entryNames();
        Devices = Dialup.deviceNames();
    }
    Live.Connection = selectStored(QStringLiteral("Connection"), Connections, ConnectionIndex);
    Live.Device = selectStored(QStringLiteral("Device"), Devices, DeviceIndex);
}

QString SettingsLoader::selectStored(const QString& name, const QStringList& list, int& index) {
    const QString stored = readText(name);
    if (stored.isEmpty()) {
        if (list.isEmpty())
            return {};
        index = 0;
        store(name, list.first());
        return list.first();
    }
    index = int(list.indexOf(stored)); // letter case counts
    return index < 0 ? QString() : stored;
}

std::optional<QString> SettingsLoader::fromFile(const QString& section, const QString& key,
                                                const QString& caption, const QString& failure) {
    const auto value = Config.readString(section, key);
    if (!value) {
        WriteLog(QStringLiteral("Cannot read ") + section + QLatin1Char('/') + key +
                 QStringLiteral(" from the configuration file."));
        Messenger.ShowAppMessage(caption, failure, mkError, mbOK);
    }
    return value;
}

std::optional<QString> SettingsLoader::storedOrFromFile(const QString& name, const QString& section,
                                                        const QString& key,
                                                        const QString& failure) {
    if (const auto stored = Reg.readString(SettingsKeys::Properties, name))
        return stored;
    auto value = fromFile(section, key, ConfigError, failure);
    if (value)
        store(name, *value);
    return value;
}

bool SettingsLoader::loadServerPhone() {
    const QString followMe = QStringLiteral("Follow Me");
    const QString serverNumber = QStringLiteral("Server Number");

    // Codes from the file are stored trimmed, as they are used.
    auto trimmedFromFile = [&](const QString& name, const QString& key, const QString& failure,
                               QString& live) {
        if (const auto stored = Reg.readString(SettingsKeys::Properties, name)) {
            live = stored->trimmed();
            return true;
        }
        const auto value = fromFile(followMe, key, ConfigError, failure);
        if (!value)
            return false;
        live = value->trimmed();
        store(name, live);
        return true;
    };
    if (!trimmedFromFile(
            QStringLiteral("Follow_Me_Dialup"), QStringLiteral("Dialup"),
            QStringLiteral("Cannot find Follow Me Dialup in registry or configuration file."),
            Live.Follow_Me_Dialup) ||
        !trimmedFromFile(
            QStringLiteral("Follow_Me_Hangup"), QStringLiteral("Hangup"),
            QStringLiteral("Cannot find Follow Me Hangup in registry or configuration file."),
            Live.Follow_Me_Hangup))
        return false;

    const auto extLine =
        Reg.readString(SettingsKeys::Properties, QStringLiteral("External_Line_Dialup"));
    if (!extLine)
        store(QStringLiteral("External_Line_Dialup"), QStringLiteral(" "));
    Live.External_Line_Dialup = extLine.value_or(QString()).trimmed();

    auto area = Reg.readString(SettingsKeys::Properties, QStringLiteral("Server_Area_Code"));
    if (!area) {
        area =
            fromFile(serverNumber, QStringLiteral("Areacode"), ConfigError,
                     QStringLiteral("Cannot server area code in registry or configuration file."));
        if (!area)
            return false;
        if (area->isEmpty())
            area = QStringLiteral(" ");
        store(QStringLiteral("Server_Area_Code"), *area);
    }

    // A number that cannot be read lets the load go on: it can be typed into the dialog later.
    const auto number =
        storedOrFromFile(QStringLiteral("Server_Number"), serverNumber, QStringLiteral("Number"),
                         QStringLiteral("Cannot server number in registry or configuration file."));

    Live.ServerAreaCode = area->trimmed();
    Live.ServerNumber = number.value_or(QString()).trimmed();
    LongDistance = !Live.ServerAreaCode.isEmpty();
    return true;
}

bool SettingsLoader::loadServerAddress() {
    QStringList parts;
    for (int i = 1; i <= 4; ++i)
        parts.append(readText(QStringLiteral("Server_IP%1").arg(i)));
    if (parts.first().trimmed().isEmpty()) {
        for (int i = 1; i <= 4; ++i) {
            const auto part =
                fromFile(QStringLiteral("Server IP"), QStringLiteral("IP%1").arg(i),
                         QStringLiteral("Configuration error"),
                         QStringLiteral("Cannot find server IP in the registration or INI file."));
            if (!part)
                return false;
            parts[i - 1] = *part;
        }
        for (int i = 1; i <= 4; ++i)
            store(QStringLiteral("Server_IP%1").arg(i), parts[i - 1]);
    }
    for (QString& part : parts)
        part = part.trimmed();
    Live.ServerAddress = parts.join(QLatin1Char('.'));
    return true;
}

// When no port answers nothing is stored and the live value stays 0 (no port is COM0), so the
// next start probes again and finds a modem plugged in meanwhile; a port that is absent costs
// the probe only a file-system look-up.
void SettingsLoader::loadComport() {
    if (!Reg.openKey(SettingsKeys::Comport, true)) {
        WriteLog(QStringLiteral("Cannot open the Comport settings."));
        return;
    }
    if (const auto stored = Reg.readInteger(SettingsKeys::Comport, QStringLiteral("Comport"))) {
        Live.Comport = int(*stored);
        return;
    }
    const auto found = Prober.findModemPort();
    if (!found) {
        WriteLog(QStringLiteral("No modem answered on a serial port."));
        return;
    }
    Live.Comport = *found;
    if (!Reg.writeInteger(SettingsKeys::Comport, QStringLiteral("Comport"), quint32(*found)))
        WriteLog(QStringLiteral("Cannot store the setting Comport."));
}
