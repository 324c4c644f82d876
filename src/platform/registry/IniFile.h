#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// A parsed INI file: "[Section]" lines open sections, "key=value" lines follow. Section and key
// names match without regard to case; names and values are trimmed, and a value wrapped in one
// pair of double quotes loses them. The first occurrence of a key wins. Lines that are neither
// (garbage, ";" comments, keys before any section) are ignored, as the system's own reader does.
class IniFile {
public:
    static IniFile parse(const QByteArray& text);
    // nullopt when the file cannot be opened or is larger than maxBytes.
    static std::optional<IniFile> read(const QString& path, qint64 maxBytes);

    // nullopt when the key is absent.
    std::optional<QString> value(const QString& section, const QString& key) const;

private:
    QHash<QString, QHash<QString, QString>> Sections; // lower-case names
};
