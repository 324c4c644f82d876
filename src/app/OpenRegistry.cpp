#include "OpenRegistry.h"

#include "platform/registry/HiveRegistry.h"

#include <QDir>
#include <QFileInfo>

std::unique_ptr<Registry> openRegistry(QString* error) {
    const QString path = HiveRegistry::defaultPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto hive = std::make_unique<HiveRegistry>(path);
    if (!hive->load(error))
        return nullptr;
    return hive;
}
