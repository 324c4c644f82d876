#include "platform/serial/ComPortMap.h"

#include <QFileInfo>
#include <QStandardPaths>

ComPortMap::ComPortMap(QString dosDevicesDir, QString fallbackPrefix)
    : DosDevices(std::move(dosDevicesDir)), Fallback(std::move(fallbackPrefix)) {}

QString ComPortMap::defaultDosDevicesDir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/nirvo/dosdevices");
}

QString ComPortMap::devicePath(int n) const {
    if (n < 1)
        return {};
    const QString link = DosDevices + QStringLiteral("/com%1").arg(n);
    if (QFileInfo::exists(link))
        return link;
    return Fallback + QString::number(n - 1);
}

bool ComPortMap::exists(int n) const {
    const QString path = devicePath(n);
    return !path.isEmpty() && QFileInfo::exists(path);
}
