#include "platform/dialup/LinuxDialupDirectory.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
class DialupDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(DosDevices);
        QDir().mkpath(Peers);
    }
    void touch(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    void useAdapterFile(const QByteArray& text) {
        QFile f(Config + QStringLiteral("/adapter.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    TempProgramFolder Folder{false};
    QString Config = Folder.configDir() + QStringLiteral("/nirvo");
    QString DosDevices = Config + QStringLiteral("/dosdevices");
    QString Peers = Config + QStringLiteral("/peers");
    LinuxDialupDirectory Dialup{
        Config, ComPortMap(DosDevices, Folder.configDir() + QStringLiteral("/ttyS"))};
};
} // namespace

TEST_F(DialupDirectoryTest, PeersFolderComesFromTheAdapterFile) {
    EXPECT_EQ(LinuxDialupDirectory::defaultConfigDir(), Config);
    EXPECT_EQ(Dialup.peersDir(), QStringLiteral("/etc/ppp/peers"));
    useAdapterFile("[Dialup]\nPeers=peers\n"); // relative to the configuration folder
    EXPECT_EQ(Dialup.peersDir(), Peers);
    useAdapterFile("[dialup]\npeers=/somewhere/else\n");
    EXPECT_EQ(Dialup.peersDir(), QStringLiteral("/somewhere/else"));
    useAdapterFile("[dialup]\npeers=\n");
    EXPECT_EQ(Dialup.peersDir(), QStringLiteral("/etc/ppp/peers"));
}

TEST_F(DialupDirectoryTest, EntriesArePeerFilesAndDevicesAreExistingComPorts) {
    useAdapterFile("[dialup]\npeers=peers\n");
    touch(Peers + QStringLiteral("/provider"));
    touch(Peers + QStringLiteral("/Home ISP"));
    touch(Peers + QStringLiteral("/provider~"));
    touch(Peers + QStringLiteral("/.hidden"));
    QDir().mkpath(Peers + QStringLiteral("/chatscripts"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), DosDevices + QStringLiteral("/com3")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), DosDevices + QStringLiteral("/com1")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/no/such"), DosDevices + QStringLiteral("/com2")));

    EXPECT_TRUE(Dialup.available());
    EXPECT_EQ(Dialup.entryNames(),
              (QStringList{QStringLiteral("Home ISP"), QStringLiteral("provider")}));
    EXPECT_EQ(Dialup.deviceNames(), (QStringList{QStringLiteral("COM1"), QStringLiteral("COM3")}));
}

TEST_F(DialupDirectoryTest, NoPeersFolderMeansNoDialupAndEmptyLists) {
    useAdapterFile("[dialup]\npeers=missing\n");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), DosDevices + QStringLiteral("/com3")));
    EXPECT_FALSE(Dialup.available());
    EXPECT_TRUE(Dialup.entryNames().isEmpty());
    EXPECT_TRUE(Dialup.deviceNames().isEmpty());
}
