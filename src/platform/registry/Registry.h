#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The machine-wide settings store the program keeps its keys in ("Software\Nirvo\Properties", ...).
// Key paths use backslashes; key and value names match without regard to case and keep the case
// they were created with. A value is a string (REG_SZ) or a 32-bit integer (REG_DWORD); reading a
// value stored with the other type gives nothing, as a missing value does.
class Registry {
public:
    virtual ~Registry();

    virtual bool keyExists(const QString& key) const = 0;
    // Opens the key, creating it (and its parents) when `create` is set; false when it is absent
    // and not created, or when the store cannot be written.
    virtual bool openKey(const QString& key, bool create) = 0;
    virtual bool deleteKey(const QString& key) = 0;

    virtual std::optional<QString> readString(const QString& key, const QString& name) const = 0;
    virtual std::optional<quint32> readInteger(const QString& key, const QString& name) const = 0;
    // Writing into a missing key fails; the caller opens it with create first where it may.
    virtual bool writeString(const QString& key, const QString& name, const QString& value) = 0;
    virtual bool writeInteger(const QString& key, const QString& name, quint32 value) = 0;

    // Why the store cannot be used at all (say its file could not be read), empty when it can.
    // Reads then find nothing and every change fails.
    virtual QString storeError() const;
};
