#include "settings/ConfigFile.h"

#include "platform/registry/IniFile.h"

#include <QFileInfo>

ConfigFile::~ConfigFile() = default;

IniConfigFile::IniConfigFile(QString path) : Path(std::move(path)) {}

bool IniConfigFile::exists() const {
    return QFileInfo::exists(Path);
}

std::optional<QString> IniConfigFile::readString(const QString& section, const QString& key) const {
    const auto ini = IniFile::read(Path, MaxSize);
    if (!ini)
        return std::nullopt;
    return ini->value(section, key).value_or(QString());
}
