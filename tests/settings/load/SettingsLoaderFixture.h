#pragma once

#include "line/dialer/PortProber.h"
#include "platform/dialup/FakeDialupDirectory.h"
#include "platform/registry/MemoryRegistry.h"
#include "settings/ConfigFile.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsLoader.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <optional>
#include <variant>

class FakeProber : public PortProber {
public:
    std::optional<int> answer;
    int calls = 0;
    std::optional<int> findModemPort() override {
        ++calls;
        return answer;
    }
};

// The shipped configuration file, except that reading one chosen key fails, as reading a file
// that vanished or became unreadable after the existence check does.
class FailingConfigFile : public ConfigFile {
public:
    QString failSection;
    QString failKey;
    mutable QStringList reads; // "Section/Key" in the order asked

    bool exists() const override { return File.exists(); }
    std::optional<QString> readString(const QString& section, const QString& key) const override {
        reads.append(section + QLatin1Char('/') + key);
        if (section == failSection && key == failKey)
            return std::nullopt;
        return File.readString(section, key);
    }

private:
    IniConfigFile File;
};

// What a stored value is: absent, text, or an integer.
using Stored = std::variant<std::monostate, QString, quint32>;

inline std::string describe(const Stored& v) {
    if (const auto* s = std::get_if<QString>(&v))
        return "\"" + s->toStdString() + "\"";
    if (const auto* n = std::get_if<quint32>(&v))
        return "dword " + std::to_string(*n);
    return "missing";
}

class SettingsLoaderTest : public ::testing::Test {
protected:
    SettingsLoaderTest() { Reg.openKey(SettingsKeys::Properties, true); }

    SettingsLoader::Outcome load(ConfigFile* config = nullptr, Registry* registry = nullptr) {
        Loader.emplace(registry ? *registry : Reg, Messenger, config ? *config : Ini, Dialup,
                       Prober);
        const auto outcome = Loader->load();
        Live = Loader->settings();
        return outcome;
    }

    void put(const QString& name, const Stored& value) {
        if (const auto* s = std::get_if<QString>(&value))
            Reg.writeString(SettingsKeys::Properties, name, *s);
        else if (const auto* n = std::get_if<quint32>(&value))
            Reg.writeInteger(SettingsKeys::Properties, name, *n);
    }
    Stored stored(const QString& name, const Registry* registry = nullptr) const {
        const Registry& r = registry ? *registry : Reg;
        if (const auto s = r.readString(SettingsKeys::Properties, name))
            return *s;
        if (const auto n = r.readInteger(SettingsKeys::Properties, name))
            return *n;
        return std::monostate();
    }
    // Every value already stored, so that the configuration file is not needed.
    void storeEverything() {
        const std::pair<const char*, const char*> values[] = {
            {"SMTP", "10.1.1.1"},       {"Ring", "NO"},
            {"RingType", "Chime.wav"},  {"Ontop", "STAYONTOP"},
            {"Remove", "REMOVE"},       {"Connection", "ISP"},
            {"Device", "COM2"},         {"Follow_Me_Dialup", "21"},
            {"Follow_Me_Hangup", "22"}, {"External_Line_Dialup", "9"},
            {"Server_Area_Code", "04"}, {"Server_Number", "7654321"},
            {"Server_IP1", "10"},       {"Server_IP2", "20"},
            {"Server_IP3", "30"},       {"Server_IP4", "40"}};
        for (const auto& [name, value] : values)
            put(QString::fromLatin1(name), QString::fromLatin1(value));
        put(QStringLiteral("Notify"), quint32(1));
        Reg.openKey(SettingsKeys::Comport, true);
        Reg.writeInteger(SettingsKeys::Comport, QStringLiteral("Comport"), 3);
    }

    TempProgramFolder Folder;
    MemoryRegistry Reg;
    FakeMessenger Messenger;
    FakeDialupDirectory Dialup;
    FakeProber Prober;
    IniConfigFile Ini;
    std::optional<SettingsLoader> Loader;
    LiveSettings Live;
};
