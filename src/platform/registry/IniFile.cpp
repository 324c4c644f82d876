#include "platform/registry/IniFile.h"

#include "core/FileIO.h"

#include <QFileInfo>
#include <QStringList>

IniFile IniFile::parse(const QByteArray& text) {
    IniFile ini;
    QByteArray bytes = text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QHash<QString, QString>* section = nullptr;
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close < 0) {
                section = nullptr; // a broken section line: its keys belong nowhere
                continue;
            }
            section = &ini.Sections[line.mid(1, close - 1).trimmed().toLower()];
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!section || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (key.isEmpty() || section->contains(key))
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        section->insert(key, value);
    }
    return ini;
}

std::optional<IniFile> IniFile::read(const QString& path, qint64 maxBytes) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    const auto data = FileIO::readBounded(path, maxBytes);
    if (!data)
        return std::nullopt;
    return parse(*data);
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const auto s = Sections.constFind(section.trimmed().toLower());
    if (s == Sections.cend())
        return std::nullopt;
    const auto k = s->constFind(key.trimmed().toLower());
    if (k == s->cend())
        return std::nullopt;
    return *k;
}
