#pragma once

#include "platform/registry/Registry.h"

#include <QMap>
#include <variant>

// The settings store held in memory: the model behind the hive file, and a fake for tests.
// Names keep the case they were first written with and match without regard to case.
class MemoryRegistry : public Registry {
public:
    using Value = std::variant<QString, quint32>;
    struct Key {
        QString name;                                    // as first created (full path)
        QMap<QString, std::pair<QString, Value>> values; // lower-case name -> (name, value)
    };

    bool keyExists(const QString& key) const override;
    bool openKey(const QString& key, bool create) override;
    bool deleteKey(const QString& key) override;
    std::optional<QString> readString(const QString& key, const QString& name) const override;
    std::optional<quint32> readInteger(const QString& key, const QString& name) const override;
    bool writeString(const QString& key, const QString& name, const QString& value) override;
    bool writeInteger(const QString& key, const QString& name, quint32 value) override;

    // Every key, in lower-case path order.
    const QMap<QString, Key>& keys() const { return Keys; }
    void clear() { Keys.clear(); }

protected:
    // Called after every successful change; the hive file persists here.
    virtual bool changed() { return true; }

    static QString fold(const QString& key);
    QMap<QString, Key> Keys; // lower-case normalised path -> key

private:
    bool write(const QString& key, const QString& name, Value value);
};
