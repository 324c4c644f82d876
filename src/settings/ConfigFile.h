#pragma once

#include <QString>
#include <optional>

// The installation's configuration file dat/Nirvo.ini, which holds first values for the
// telephone and server settings. The program only reads it.
class ConfigFile {
public:
    virtual ~ConfigFile();
    virtual bool exists() const = 0;
    // The value of a key, empty text when the key is absent; nothing when the file cannot be
    // read (gone, unreadable, not a plain file, or larger than any real configuration file).
    virtual std::optional<QString> readString(const QString& section, const QString& key) const = 0;
};

// The file on disk, read afresh for every value, as the system's INI reader does.
class IniConfigFile : public ConfigFile {
public:
    static constexpr qint64 MaxSize = 64 * 1024;

    explicit IniConfigFile(QString path = QStringLiteral("dat/Nirvo.ini"));
    bool exists() const override;
    std::optional<QString> readString(const QString& section, const QString& key) const override;

private:
    QString Path;
};
