#include "platform/registry/MemoryRegistry.h"

#include <QStringList>

QString MemoryRegistry::fold(const QString& key) {
    // "Software\\Nirvo\\" and "software\nirvo" name the same key.
    QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('\\')).toLower();
}

bool MemoryRegistry::keyExists(const QString& key) const {
    return Keys.contains(fold(key));
}

bool MemoryRegistry::openKey(const QString& key, bool create) {
    const QString folded = fold(key);
    if (folded.isEmpty())
        return false;
    if (Keys.contains(folded))
        return true;
    if (!create)
        return false;
    // Parents exist whenever a child does, as in the registry.
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    QString path;
    for (const QString& part : parts) {
        path = path.isEmpty() ? part : path + QLatin1Char('\\') + part;
        const QString f = fold(path);
        if (!Keys.contains(f))
            Keys.insert(f, Key{path, {}});
    }
    return changed();
}

bool MemoryRegistry::deleteKey(const QString& key) {
    const QString folded = fold(key);
    if (!Keys.contains(folded))
        return false;
    const QString prefix = folded + QLatin1Char('\\');
    for (auto it = Keys.begin(); it != Keys.end();) {
        if (it.key() == folded || it.key().startsWith(prefix))
            it = Keys.erase(it);
        else
            ++it;
    }
    return changed();
}

std::optional<QString> MemoryRegistry::readString(const QString& key, const QString& name) const {
    const auto k = Keys.constFind(fold(key));
    if (k == Keys.cend())
        return std::nullopt;
    const auto v = k->values.constFind(name.toLower());
    if (v == k->values.cend() || !std::holds_alternative<QString>(v->second))
        return std::nullopt;
    return std::get<QString>(v->second);
}

std::optional<quint32> MemoryRegistry::readInteger(const QString& key, const QString& name) const {
    const auto k = Keys.constFind(fold(key));
    if (k == Keys.cend())
        return std::nullopt;
    const auto v = k->values.constFind(name.toLower());
    if (v == k->values.cend() || !std::holds_alternative<quint32>(v->second))
        return std::nullopt;
    return std::get<quint32>(v->second);
}

bool MemoryRegistry::write(const QString& key, const QString& name, Value value) {
    auto k = Keys.find(fold(key));
    if (k == Keys.end())
        return false;
    auto& slot = k->values[name.toLower()];
    if (slot.first.isEmpty())
        slot.first = name; // keep the case of the first writer
    slot.second = std::move(value);
    return changed();
}

bool MemoryRegistry::writeString(const QString& key, const QString& name, const QString& value) {
    return write(key, name, value);
}

bool MemoryRegistry::writeInteger(const QString& key, const QString& name, quint32 value) {
    return write(key, name, value);
}
