#include "platform/dialup/LinuxDialupDirectory.h"

#include "platform/registry/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr qint64 MaxAdapterFileSize = 64 * 1024;
}

LinuxDialupDirectory::LinuxDialupDirectory(QString configDir, ComPortMap ports)
    : ConfigDir(std::move(configDir)), Ports(std::move(ports)) {}

QString LinuxDialupDirectory::defaultConfigDir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/nirvo");
}

QString LinuxDialupDirectory::peersDir() const {
    const QString adapter = ConfigDir + QStringLiteral("/adapter.ini");
    if (const auto ini = IniFile::read(adapter, MaxAdapterFileSize)) {
        const QString peers =
            ini->value(QStringLiteral("dialup"), QStringLiteral("peers")).value_or(QString());
        if (!peers.isEmpty())
            return QDir(ConfigDir).absoluteFilePath(peers);
    }
    return QStringLiteral("/etc/ppp/peers");
}

bool LinuxDialupDirectory::available() const {
    return QFileInfo(peersDir()).isDir();
}

QStringList LinuxDialupDirectory::entryNames() const {
    if (!available())
        return {};
    // Editor backups and hidden files are not entries.
    QStringList names;
    const QStringList files = QDir(peersDir()).entryList(QDir::Files, QDir::Name);
    for (const QString& name : files)
        if (!name.endsWith(QLatin1Char('~')))
            names.append(name);
    return names;
}

QStringList LinuxDialupDirectory::deviceNames() const {
    if (!available())
        return {};
    QStringList names;
    for (int n = 1; n <= MaxPort; ++n)
        if (Ports.exists(n))
            names.append(QStringLiteral("COM%1").arg(n));
    return names;
}
