#include "SettingsLoaderFixture.h"
#include "platform/registry/HiveRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

TEST_F(SettingsLoaderTest, FirstStartTakesEverythingFromTheFileAndStoresIt) {
    HiveRegistry hive(Folder.hivePath());
    ASSERT_TRUE(hive.load());
    Dialup.entries = {QStringLiteral("Home ISP"), QStringLiteral("Work ISP")};
    Dialup.devices = {QStringLiteral("COM3"), QStringLiteral("COM4")};
    Prober.answer = 3;

    ASSERT_EQ(load(nullptr, &hive), SettingsLoader::Loaded);
    EXPECT_TRUE(Messenger.shown.isEmpty());

    // Read back from the file, as the next start will.
    HiveRegistry next(Folder.hivePath());
    ASSERT_TRUE(next.load());
    const std::pair<const char*, Stored> expected[] = {
        {"SMTP", QStringLiteral("127.0.0.1")},
        {"Ring", QStringLiteral("RING")},
        {"RingType", QStringLiteral("Random")},
        {"Notify", quint32(0)},
        {"Ontop", std::monostate()},
        {"Remove", QStringLiteral("NO")},
        {"Connection", QStringLiteral("Home ISP")},
        {"Device", QStringLiteral("COM3")},
        {"Follow_Me_Dialup", QStringLiteral("72")},
        {"Follow_Me_Hangup", QStringLiteral("73")},
        {"External_Line_Dialup", QStringLiteral(" ")},
        {"Server_Area_Code", QStringLiteral(" ")},
        {"Server_Original_AreaCode", std::monostate()},
        {"Server_Number", QStringLiteral("5550100")},
        {"Server_IP1", QStringLiteral("127")},
        {"Server_IP2", QStringLiteral("0")},
        {"Server_IP3", QStringLiteral("0")},
        {"Server_IP4", QStringLiteral("1")},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(stored(QString::fromLatin1(name), &next), value)
            << name << " is " << describe(stored(QString::fromLatin1(name), &next));
    EXPECT_EQ(next.readInteger(SettingsKeys::Comport, QStringLiteral("Comport")), 3u);

    EXPECT_EQ(Live.SMTP, QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(Live.Ring);
    EXPECT_EQ(Live.RingType, QStringLiteral("Random"));
    EXPECT_EQ(Live.Notify, 0);
    EXPECT_FALSE(Live.Ontop);
    EXPECT_FALSE(Live.Remove);
    EXPECT_EQ(Live.Connection, QStringLiteral("Home ISP"));
    EXPECT_EQ(Live.Device, QStringLiteral("COM3"));
    EXPECT_EQ(Live.Follow_Me_Dialup, QStringLiteral("72"));
    EXPECT_EQ(Live.Follow_Me_Hangup, QStringLiteral("73"));
    EXPECT_EQ(Live.External_Line_Dialup, QString());
    EXPECT_EQ(Live.ServerAreaCode, QString());
    EXPECT_EQ(Live.ServerNumber, QStringLiteral("5550100"));
    EXPECT_EQ(Live.ServerAddress, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(Live.Comport, 3);
    EXPECT_FALSE(Loader->longDistance());
    EXPECT_EQ(Loader->ringList(),
              (QStringList{QStringLiteral("Beeper.wav"), QStringLiteral("Chime.wav"),
                           QStringLiteral("Classic.wav"), QStringLiteral("Random")}));
    EXPECT_EQ(Loader->connectionIndex(), 0);
    EXPECT_EQ(Loader->deviceIndex(), 0);
}

TEST_F(SettingsLoaderTest, SecondStartUsesTheStoreNotTheFile) {
    storeEverything();
    Folder.writeFile(QStringLiteral("dat/Nirvo.ini"),
                     "[Follow Me]\nDialup=99\nHangup=98\n[Server Number]\nAreacode=07\n"
                     "Number=1111111\n[Server IP]\nIP1=1\nIP2=1\nIP3=1\nIP4=1\n");
    Dialup.entries = {QStringLiteral("ISP")};
    Dialup.devices = {QStringLiteral("COM1"), QStringLiteral("COM2")};
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_TRUE(Messenger.shown.isEmpty());
    EXPECT_EQ(Prober.calls, 0);
    EXPECT_EQ(Live.SMTP, QStringLiteral("10.1.1.1"));
    EXPECT_FALSE(Live.Ring);
    EXPECT_EQ(Live.RingType, QStringLiteral("Chime.wav"));
    EXPECT_EQ(Live.Notify, 1);
    EXPECT_TRUE(Live.Ontop);
    EXPECT_TRUE(Live.Remove);
    EXPECT_EQ(Live.Connection, QStringLiteral("ISP"));
    EXPECT_EQ(Live.Device, QStringLiteral("COM2"));
    EXPECT_EQ(Loader->deviceIndex(), 1);
    EXPECT_EQ(Live.Follow_Me_Dialup, QStringLiteral("21"));
    EXPECT_EQ(Live.Follow_Me_Hangup, QStringLiteral("22"));
    EXPECT_EQ(Live.External_Line_Dialup, QStringLiteral("9"));
    EXPECT_EQ(Live.ServerAreaCode, QStringLiteral("04"));
    EXPECT_EQ(Live.ServerNumber, QStringLiteral("7654321"));
    EXPECT_TRUE(Loader->longDistance());
    EXPECT_EQ(Live.ServerAddress, QStringLiteral("10.20.30.40"));
    EXPECT_EQ(Live.Comport, 3);
}

TEST_F(SettingsLoaderTest, MissingConfigurationFileEndsTheProgramEvenWithEverythingStored) {
    storeEverything();
    QFile::remove(Folder.dat(QStringLiteral("Nirvo.ini")));
    EXPECT_EQ(load(), SettingsLoader::EndProgram);
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Configuration File wasn't found!"));
    EXPECT_EQ(Messenger.shown[0].text,
              QStringLiteral("Configuration File wasn't found.\r\nContact technical support."));
    EXPECT_EQ(Messenger.shown[0].kind, mkError);
    EXPECT_EQ(Messenger.shown[0].buttons, mbOK);
    EXPECT_EQ(Prober.calls, 0);
}

TEST_F(SettingsLoaderTest, MissingDataFolderEndsTheProgram) {
    ASSERT_TRUE(QDir(Folder.dat()).removeRecursively());
    EXPECT_EQ(load(), SettingsLoader::EndProgram);
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Configuration File wasn't found!"));
    EXPECT_FALSE(QFileInfo::exists(Folder.dat())); // nothing was created in its place
}

TEST_F(SettingsLoaderTest, ReadOnlyDataFolderLoadsAndIsNotWritten) {
    const QStringList before =
        QDir(Folder.dat()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QFile::setPermissions(Folder.dat(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                            QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    const auto outcome = load();
    QFile::setPermissions(Folder.dat(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(outcome, SettingsLoader::Loaded);
    EXPECT_TRUE(Messenger.shown.isEmpty());
    EXPECT_EQ(QDir(Folder.dat()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_EQ(Live.ServerAddress, QStringLiteral("127.0.0.1"));
}

TEST_F(SettingsLoaderTest, CorruptStoreIsReportedAndEndsTheProgram) {
    const QByteArray garbage = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\S]\n"
                               "\"Ring\"=RING\n";
    {
        QDir().mkpath(QFileInfo(Folder.hivePath()).absolutePath());
        QFile f(Folder.hivePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    }
    HiveRegistry hive(Folder.hivePath());
    EXPECT_FALSE(hive.load());
    EXPECT_EQ(load(nullptr, &hive), SettingsLoader::EndProgram);
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Configuration Error"));
    EXPECT_TRUE(Messenger.shown[0].text.contains(Folder.hivePath()));
    EXPECT_TRUE(Messenger.shown[0].text.contains(QStringLiteral("line 4")));
    EXPECT_EQ(Messenger.shown[0].kind, mkError);
    QFile f(Folder.hivePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), garbage);
}

TEST_F(SettingsLoaderTest, StoreThatCannotTakeTheFirstKeyEndsTheProgram) {
    HiveRegistry hive(Folder.hivePath()); // never loaded: refuses every change
    EXPECT_EQ(load(nullptr, &hive), SettingsLoader::EndProgram);
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Configuration Error"));
    EXPECT_FALSE(QFile::exists(Folder.hivePath()));
}

TEST_F(SettingsLoaderTest, ConfigurationFileWithGarbageLinesStillGivesItsValues) {
    Folder.writeFile(QStringLiteral("dat/Nirvo.ini"), "garbage before any section\r\n"
                                                      "[follow me]\r\n"
                                                      "  DIALUP =  *72  \r\n"
                                                      "this is not a key\r\n"
                                                      "Hangup=*73\r\n"
                                                      "\x01\x02\x03\r\n"
                                                      "[Server Number]\r\n"
                                                      "Number= 5551234\r\n"
                                                      "[Server IP\r\n"
                                                      "IP1=9\r\n"
                                                      "[SERVER IP]\r\n"
                                                      "ip1=192\r\nip2=168\r\nip3=1\r\nip4=20\r\n");
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_TRUE(Messenger.shown.isEmpty());
    EXPECT_EQ(Live.Follow_Me_Dialup, QStringLiteral("*72"));
    EXPECT_EQ(Live.Follow_Me_Hangup, QStringLiteral("*73"));
    EXPECT_EQ(stored(QStringLiteral("Server_Area_Code")), Stored(QStringLiteral(" ")));
    EXPECT_EQ(Live.ServerNumber, QStringLiteral("5551234"));
    EXPECT_EQ(Live.ServerAddress, QStringLiteral("192.168.1.20"));
}

TEST_F(SettingsLoaderTest, UnreadableConfigurationFileFailsAtTheFirstValueItMustGive) {
    struct Case {
        const char* what;
        std::function<void()> spoil;
    };
    const QString ini = Folder.dat(QStringLiteral("Nirvo.ini"));
    const Case cases[] = {
        {"a folder in its place",
         [&] {
             QFile::remove(ini);
             QDir().mkpath(ini);
         }},
        {"larger than any real one",
         [&] {
             QDir(ini).removeRecursively();
             Folder.writeFile(QStringLiteral("dat/Nirvo.ini"),
                              "[Follow Me]\nDialup=72\n" +
                                  QByteArray(int(IniConfigFile::MaxSize), ';'));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.spoil();
        Messenger.shown.clear();
        EXPECT_EQ(load(), SettingsLoader::EndProgram);
        ASSERT_EQ(Messenger.shown.size(), 1);
        EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Configuration Error"));
        EXPECT_EQ(
            Messenger.shown[0].text,
            QStringLiteral("Cannot find Follow Me Dialup in registry or configuration file."));
    }
}

TEST_F(SettingsLoaderTest, RingListHoldsPlainFilesThenRandom) {
    QDir().mkpath(Folder.dat(QStringLiteral("rings/sub")));
    Folder.writeFile(QStringLiteral("dat/rings/a ring.WAV"), "x");
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_EQ(Loader->ringList(),
              (QStringList{QStringLiteral("a ring.WAV"), QStringLiteral("Beeper.wav"),
                           QStringLiteral("Chime.wav"), QStringLiteral("Classic.wav"),
                           QStringLiteral("Random")}));

    QDir(Folder.dat(QStringLiteral("rings"))).removeRecursively();
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_EQ(Loader->ringList(), QStringList{QStringLiteral("Random")});
}

TEST_F(SettingsLoaderTest, PortProbeRunsOnlyWhileNoPortIsStored) {
    Prober.answer = std::nullopt;
    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_EQ(Prober.calls, 1);
    EXPECT_EQ(Live.Comport, 0);
    EXPECT_TRUE(Reg.keyExists(SettingsKeys::Comport));
    EXPECT_FALSE(Reg.readInteger(SettingsKeys::Comport, QStringLiteral("Comport")).has_value());

    Reg.writeString(SettingsKeys::Comport, QStringLiteral("Comport"), QStringLiteral("2"));
    Prober.answer = 5;
    ASSERT_EQ(load(), SettingsLoader::Loaded); // a text value counts as missing
    EXPECT_EQ(Prober.calls, 2);
    EXPECT_EQ(Live.Comport, 5);
    EXPECT_EQ(Reg.readInteger(SettingsKeys::Comport, QStringLiteral("Comport")), 5u);

    ASSERT_EQ(load(), SettingsLoader::Loaded);
    EXPECT_EQ(Prober.calls, 2);
    EXPECT_EQ(Live.Comport, 5);
}
