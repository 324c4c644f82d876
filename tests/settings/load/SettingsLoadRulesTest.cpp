#include "SettingsLoaderFixture.h"

#include <functional>

namespace {
QString boolText(bool b) {
    return b ? QStringLiteral("on") : QStringLiteral("off");
}

// The live form of one stored value, as text.
QString liveOf(const LiveSettings& live, const QString& name) {
    const std::map<QString, std::function<QString()>> fields = {
        {QStringLiteral("SMTP"), [&] { return live.SMTP; }},
        {QStringLiteral("Ring"), [&] { return boolText(live.Ring); }},
        {QStringLiteral("RingType"), [&] { return live.RingType; }},
        {QStringLiteral("Notify"), [&] { return QString::number(live.Notify); }},
        {QStringLiteral("Ontop"), [&] { return boolText(live.Ontop); }},
        {QStringLiteral("Remove"), [&] { return boolText(live.Remove); }},
        {QStringLiteral("Follow_Me_Dialup"), [&] { return live.Follow_Me_Dialup; }},
        {QStringLiteral("Follow_Me_Hangup"), [&] { return live.Follow_Me_Hangup; }},
        {QStringLiteral("External_Line_Dialup"), [&] { return live.External_Line_Dialup; }},
        {QStringLiteral("Server_Area_Code"), [&] { return live.ServerAreaCode; }},
        {QStringLiteral("Server_Number"), [&] { return live.ServerNumber; }},
    };
    return fields.at(name)();
}
} // namespace

TEST_F(SettingsLoaderTest, EachValueWithItsMissingRule) {
    struct Case {
        const char* name;
        Stored before;
        Stored after;
        const char* live;
    };
    const QString none = QString();
    const Case cases[] = {
        {"SMTP", std::monostate(), QStringLiteral("127.0.0.1"), "127.0.0.1"},
        {"SMTP", quint32(5), QStringLiteral("127.0.0.1"), "127.0.0.1"},
        {"SMTP", QStringLiteral("mail.example.net"), QStringLiteral("mail.example.net"),
         "mail.example.net"},
        {"SMTP", none, none, ""},
        {"Ring", std::monostate(), QStringLiteral("RING"), "on"},
        {"Ring", QStringLiteral("NO"), QStringLiteral("NO"), "off"},
        {"Ring", QStringLiteral("ring"), QStringLiteral("RING"), "on"},
        {"Ring", QStringLiteral("no"), QStringLiteral("RING"), "on"},
        {"Ring", quint32(0), QStringLiteral("RING"), "on"},
        {"RingType", std::monostate(), QStringLiteral("Random"), "Random"},
        {"RingType", none, QStringLiteral("Random"), "Random"},
        {"RingType", quint32(1), QStringLiteral("Random"), "Random"},
        {"RingType", QStringLiteral("no such file.wav"), QStringLiteral("no such file.wav"),
         "no such file.wav"},
        {"Notify", std::monostate(), quint32(0), "0"},
        {"Notify", QStringLiteral("1"), quint32(0), "0"},
        {"Notify", quint32(1), quint32(1), "1"},
        {"Notify", quint32(7), quint32(7), "7"},
        {"Ontop", std::monostate(), std::monostate(), "off"},
        {"Ontop", QStringLiteral("STAYONTOP"), QStringLiteral("STAYONTOP"), "on"},
        {"Ontop", QStringLiteral("stayontop"), QStringLiteral("stayontop"), "off"},
        {"Ontop", QStringLiteral("NORMAL"), QStringLiteral("NORMAL"), "off"},
        {"Remove", std::monostate(), QStringLiteral("NO"), "off"},
        {"Remove", QStringLiteral("REMOVE"), QStringLiteral("REMOVE"), "on"},
        {"Remove", QStringLiteral("Remove"), QStringLiteral("NO"), "off"},
        {"Remove", quint32(1), QStringLiteral("NO"), "off"},
        {"Follow_Me_Dialup", std::monostate(), QStringLiteral("72"), "72"},
        {"Follow_Me_Dialup", quint32(72), QStringLiteral("72"), "72"},
        {"Follow_Me_Dialup", QStringLiteral(" 61 "), QStringLiteral(" 61 "), "61"},
        {"Follow_Me_Hangup", std::monostate(), QStringLiteral("73"), "73"},
        {"Follow_Me_Hangup", none, none, ""},
        {"External_Line_Dialup", std::monostate(), QStringLiteral(" "), ""},
        {"External_Line_Dialup", QStringLiteral(" "), QStringLiteral(" "), ""},
        {"External_Line_Dialup", QStringLiteral("9"), QStringLiteral("9"), "9"},
        {"External_Line_Dialup", quint32(9), QStringLiteral(" "), ""},
        {"Server_Area_Code", std::monostate(), QStringLiteral(" "), ""},
        {"Server_Area_Code", QStringLiteral(" 03 "), QStringLiteral(" 03 "), "03"},
        {"Server_Number", std::monostate(), QStringLiteral("5550100"), "5550100"},
        {"Server_Number", QStringLiteral("1234567 "), QStringLiteral("1234567 "), "1234567"},
        {"Server_Number", quint32(1), QStringLiteral("5550100"), "5550100"},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        SCOPED_TRACE(std::string(c.name) + " stored as " + describe(c.before));
        Reg.clear();
        Reg.openKey(SettingsKeys::Properties, true);
        put(name, c.before);
        Messenger.shown.clear();
        ASSERT_EQ(load(), SettingsLoader::Loaded);
        EXPECT_TRUE(Messenger.shown.isEmpty());
        EXPECT_EQ(stored(name), c.after) << "stored " << describe(stored(name));
        EXPECT_EQ(liveOf(Live, name), QString::fromLatin1(c.live));
    }
}

TEST_F(SettingsLoaderTest, AreaCodeFromTheFileMakesTheCallLongDistance) {
    Folder.writeFile(QStringLiteral("dat/Nirvo.ini"),
                     "[Follow Me]\nDialup=72\nHangup=73\n[Server Number]\nAreacode=03\n"
                     "Number=5550100\n[Server IP]\nIP1=127\nIP2=0\nIP3=0\nIP4=1\n");
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_EQ(stored(QStringLiteral("Server_Area_Code")), Stored(QStringLiteral("03")));
    EXPECT_EQ(stored(QStringLiteral("Server_Original_AreaCode")), Stored());
    EXPECT_EQ(Live.ServerAreaCode, QStringLiteral("03"));
    EXPECT_TRUE(Loader->longDistance());

    put(QStringLiteral("Server_Area_Code"), QStringLiteral(" "));
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_FALSE(Loader->longDistance());
}

TEST_F(SettingsLoaderTest, ServerAddressIsDecidedOnItsFirstPartAlone) {
    struct Case {
        const char* what;
        std::array<Stored, 4> before;
        const char* address;
        std::array<Stored, 4> after;
    };
    const Stored gone;
    const Case cases[] = {
        {"all missing: the file gives all four",
         {gone, gone, gone, gone},
         "127.0.0.1",
         {QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")}},
        {"second part missing: nothing from the file",
         {QStringLiteral("10"), gone, QStringLiteral("0"), QStringLiteral("1")},
         "10..0.1",
         {QStringLiteral("10"), gone, QStringLiteral("0"), QStringLiteral("1")}},
        {"blanks around the parts",
         {QStringLiteral(" 10"), QStringLiteral("1 "), QStringLiteral(" 2 "), QStringLiteral("3")},
         "10.1.2.3",
         {QStringLiteral(" 10"), QStringLiteral("1 "), QStringLiteral(" 2 "), QStringLiteral("3")}},
        {"blank first part: the file replaces all four",
         {QStringLiteral("  "), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")},
         "127.0.0.1",
         {QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")}},
        {"first part stored as an integer counts as missing",
         {quint32(10), QStringLiteral("9"), QStringLiteral("9"), QStringLiteral("9")},
         "127.0.0.1",
         {QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reg.clear();
        Reg.openKey(SettingsKeys::Properties, true);
        for (int i = 0; i < 4; ++i)
            put(QStringLiteral("Server_IP%1").arg(i + 1), c.before[i]);
        ASSERT_EQ(load(), SettingsLoader::Loaded);
        EXPECT_EQ(Live.ServerAddress, QString::fromLatin1(c.address));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(stored(QStringLiteral("Server_IP%1").arg(i + 1)), c.after[i])
                << "part " << i + 1 << " is "
                << describe(stored(QStringLiteral("Server_IP%1").arg(i + 1)));
    }
}

TEST_F(SettingsLoaderTest, ConnectionAndDeviceFollowTheDialupLists) {
    struct Case {
        const char* what;
        bool available;
        Stored before;
        int index;
        const char* live;
        Stored after;
    };
    const Case cases[] = {
        {"nothing stored: the first entry", true, std::monostate(), 0, "Alpha",
         QStringLiteral("Alpha")},
        {"empty text stored: the first entry", true, QString(), 0, "Alpha",
         QStringLiteral("Alpha")},
        {"stored entry found", true, QStringLiteral("Beta"), 1, "Beta", QStringLiteral("Beta")},
        {"letter case counts", true, QStringLiteral("beta"), -1, "", QStringLiteral("beta")},
        {"entry gone", true, QStringLiteral("Gone"), -1, "", QStringLiteral("Gone")},
        {"no dial-up: nothing to select", false, std::monostate(), -1, "", std::monostate()},
        {"no dial-up, stored name kept", false, QStringLiteral("Beta"), -1, "",
         QStringLiteral("Beta")},
    };
    Dialup.entries = {QStringLiteral("Alpha"), QStringLiteral("Beta")};
    Dialup.devices = {QStringLiteral("Alpha"), QStringLiteral("Beta")};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reg.clear();
        Reg.openKey(SettingsKeys::Properties, true);
        put(QStringLiteral("Connection"), c.before);
        put(QStringLiteral("Device"), c.before);
        Dialup.isAvailable = c.available;
        ASSERT_EQ(load(), SettingsLoader::Loaded);
        EXPECT_EQ(Loader->connectionIndex(), c.index);
        EXPECT_EQ(Loader->deviceIndex(), c.index);
        EXPECT_EQ(Live.Connection, QString::fromLatin1(c.live));
        EXPECT_EQ(Live.Device, QString::fromLatin1(c.live));
        EXPECT_EQ(stored(QStringLiteral("Connection")), c.after);
        EXPECT_EQ(stored(QStringLiteral("Device")), c.after);
        EXPECT_EQ(Loader->connectionList().size(), c.available ? 2 : 0);
    }
}

TEST_F(SettingsLoaderTest, EmptyDialupListsStoreNoConnectionOrDevice) {
    Dialup.entries.clear();
    Dialup.devices = {QStringLiteral("COM2")};
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_EQ(stored(QStringLiteral("Connection")), Stored());
    EXPECT_EQ(Loader->connectionIndex(), -1);
    EXPECT_EQ(stored(QStringLiteral("Device")), Stored(QStringLiteral("COM2")));
}

TEST_F(SettingsLoaderTest, EachConfigurationFileFailureHasItsMessage) {
    struct Case {
        const char* section;
        const char* key;
        const char* caption;
        const char* text;
        bool ends;
    };
    const Case cases[] = {
        {"Follow Me", "Dialup", "Configuration Error",
         "Cannot find Follow Me Dialup in registry or configuration file.", true},
        {"Follow Me", "Hangup", "Configuration Error",
         "Cannot find Follow Me Hangup in registry or configuration file.", true},
        {"Server Number", "Areacode", "Configuration Error",
         "Cannot server area code in registry or configuration file.", true},
        {"Server Number", "Number", "Configuration Error",
         "Cannot server number in registry or configuration file.", false},
        {"Server IP", "IP1", "Configuration error",
         "Cannot find server IP in the registration or INI file.", true},
        {"Server IP", "IP4", "Configuration error",
         "Cannot find server IP in the registration or INI file.", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        Reg.clear();
        Reg.openKey(SettingsKeys::Properties, true);
        Messenger.shown.clear();
        Prober.calls = 0;
        FailingConfigFile config;
        config.failSection = QString::fromLatin1(c.section);
        config.failKey = QString::fromLatin1(c.key);

        EXPECT_EQ(load(&config), c.ends ? SettingsLoader::EndProgram : SettingsLoader::Loaded);
        ASSERT_EQ(Messenger.shown.size(), 1);
        EXPECT_EQ(Messenger.shown[0].caption, QString::fromLatin1(c.caption));
        EXPECT_EQ(Messenger.shown[0].text, QString::fromLatin1(c.text));
        EXPECT_EQ(Messenger.shown[0].kind, mkError);
        EXPECT_EQ(Messenger.shown[0].buttons, mbOK);
        // An ended load reads nothing after the failed value and goes no further.
        if (c.ends) {
            EXPECT_EQ(config.reads.last(), config.failSection + QLatin1Char('/') + config.failKey);
        }
        EXPECT_EQ(Prober.calls, c.ends ? 0 : 1);
        EXPECT_EQ(stored(QStringLiteral("Server_IP1")),
                  c.ends ? Stored() : Stored(QStringLiteral("127")));
    }
}

TEST_F(SettingsLoaderTest, UnreadableServerNumberLeavesItEmptyAndUnstored) {
    FailingConfigFile config;
    config.failSection = QStringLiteral("Server Number");
    config.failKey = QStringLiteral("Number");
    ASSERT_EQ(load(&config), SettingsLoader::Loaded);
    EXPECT_EQ(stored(QStringLiteral("Server_Number")), Stored());
    EXPECT_EQ(Live.ServerNumber, QString());
    EXPECT_EQ(Live.ServerAddress, QStringLiteral("127.0.0.1"));
}

TEST_F(SettingsLoaderTest, StoredValuesNeedNoFileReads) {
    storeEverything();
    FailingConfigFile config;
    ASSERT_EQ(load(&config), SettingsLoader::Loaded);
    EXPECT_TRUE(config.reads.isEmpty());
}

TEST_F(SettingsLoaderTest, AbsentFileKeysAreStoredAsEmptyText) {
    Folder.writeFile(QStringLiteral("dat/Nirvo.ini"), "[Server IP]\nIP1=127\n");
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_TRUE(Messenger.shown.isEmpty());
    EXPECT_EQ(stored(QStringLiteral("Follow_Me_Dialup")), Stored(QString()));
    EXPECT_EQ(stored(QStringLiteral("Follow_Me_Hangup")), Stored(QString()));
    EXPECT_EQ(stored(QStringLiteral("Server_Area_Code")), Stored(QStringLiteral(" ")));
    EXPECT_EQ(stored(QStringLiteral("Server_Number")), Stored(QString()));
    EXPECT_EQ(stored(QStringLiteral("Server_IP2")), Stored(QString()));
    EXPECT_EQ(Live.ServerAddress, QStringLiteral("127..."));
}
