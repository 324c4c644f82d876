#pragma once

#include "platform/registry/MemoryRegistry.h"

#include <QByteArray>
#include <QString>

// The settings store kept in one text file in the registry export format:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Nirvo\Properties]
//   "Ring"="RING"
//   "Notify"=dword:00000000
//
// Every change rewrites the whole file atomically and durably before it is reported done; when
// the file cannot be written the change is undone in memory as well, so memory never claims what
// the disk does not hold. A file that cannot be read or parsed is never replaced: the store then
// stays empty and refuses every change, so the user's file survives for repair.
class HiveRegistry : public MemoryRegistry {
public:
    explicit HiveRegistry(QString path);

    // $XDG_CONFIG_HOME/nirvo/registry.reg (default ~/.config/nirvo/registry.reg).
    static QString defaultPath();

    // Reads the file. A missing file is an empty store. False, with a reason naming the file
    // (and the line for a syntax fault), when it cannot be read or parsed. Until a load has
    // succeeded, every change fails.
    bool load(QString* error = nullptr);

    QString path() const { return Path; }
    QString storeError() const override;
    // Why the last change could not be saved (empty after a saved one).
    QString lastWriteError() const { return WriteError; }

    // The file text for the current contents.
    QByteArray serialize() const;

    bool openKey(const QString& key, bool create) override;
    bool deleteKey(const QString& key) override;
    bool writeString(const QString& key, const QString& name, const QString& value) override;
    bool writeInteger(const QString& key, const QString& name, quint32 value) override;

    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

protected:
    bool changed() override;

private:
    template <typename Change> bool transact(Change change);
    bool parse(const QByteArray& data, QString* error);

    enum class State { NotLoaded, Ready, Broken };
    QString Path;
    State Status = State::NotLoaded;
    bool Parsing = false;
    QString LoadError;
    QString WriteError;
};
