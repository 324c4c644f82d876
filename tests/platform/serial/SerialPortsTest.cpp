#include "PtyModem.h"
#include "platform/serial/LinuxSerialPorts.h"
#include "platform/serial/PosixSerialWriter.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
// Serial ports of a throw-away configuration folder; the fallback devices live in a temporary
// folder too, so no test ever writes to the machine's real ports.
class SerialPortsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(DosDevices);
        QDir().mkpath(Dev);
    }
    TempProgramFolder Folder{false};
    QString DosDevices = Folder.configDir() + QStringLiteral("/nirvo/dosdevices");
    QString Dev = Folder.configDir() + QStringLiteral("/dev");
    ComPortMap Map{DosDevices, Dev + QStringLiteral("/ttyS")};
};
} // namespace

TEST_F(SerialPortsTest, ComNamesMapToLinksElseToTtyS) {
    EXPECT_EQ(ComPortMap::defaultDosDevicesDir(), DosDevices);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), DosDevices + QStringLiteral("/com2")));
    ASSERT_TRUE(
        QFile::link(QStringLiteral("/no/such/device"), DosDevices + QStringLiteral("/com3")));
    QFile(Dev + QStringLiteral("/ttyS3")).open(QIODevice::WriteOnly);

    EXPECT_EQ(Map.devicePath(2), DosDevices + QStringLiteral("/com2"));
    EXPECT_TRUE(Map.exists(2));
    // A dangling link does not count: the fallback device is used, and it is absent.
    EXPECT_EQ(Map.devicePath(3), Dev + QStringLiteral("/ttyS2"));
    EXPECT_FALSE(Map.exists(3));
    EXPECT_EQ(Map.devicePath(4), Dev + QStringLiteral("/ttyS3"));
    EXPECT_TRUE(Map.exists(4));
    EXPECT_EQ(Map.devicePath(10), Dev + QStringLiteral("/ttyS9"));
    EXPECT_FALSE(Map.exists(10));
    EXPECT_TRUE(Map.devicePath(0).isEmpty());
    EXPECT_FALSE(Map.exists(0));
    EXPECT_FALSE(Map.exists(-1));
}

TEST_F(SerialPortsTest, WritesReachTheModemThroughTheLink) {
    PtyModem modem;
    ASSERT_TRUE(modem.isOpen());
    ASSERT_TRUE(modem.linkAs(DosDevices + QStringLiteral("/com2")));
    LinuxSerialPorts ports(Map);
    ASSERT_TRUE(ports.exists(2));
    QString error;
    auto port = ports.openForWriting(2, &error);
    ASSERT_TRUE(port) << error.toStdString();
    EXPECT_TRUE(port->write("ATZ\r\n"));
    EXPECT_TRUE(port->write("ATDT1\r\n"));
    EXPECT_EQ(modem.readWritten(), QByteArray("ATZ\r\nATDT1\r\n")); // raw: no CR added
}

TEST_F(SerialPortsTest, PortIsHeldExclusivelyUntilReleased) {
    PtyModem modem;
    ASSERT_TRUE(modem.linkAs(DosDevices + QStringLiteral("/com2")));
    LinuxSerialPorts ports(Map);
    auto first = ports.openForWriting(2);
    ASSERT_TRUE(first);
    QString error;
    EXPECT_FALSE(ports.openForWriting(2, &error));
    EXPECT_FALSE(error.isEmpty());
    // The same device under its own name is the same port.
    EXPECT_FALSE(PosixSerialWriter::open(modem.slavePath(), 100));
    first.reset();
    EXPECT_TRUE(ports.openForWriting(2));
}

TEST_F(SerialPortsTest, MissingPortIsNotOpened) {
    LinuxSerialPorts ports(Map);
    QString error;
    EXPECT_FALSE(ports.openForWriting(5, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("COM5")));
}

TEST_F(SerialPortsTest, WriteToAStalledPortFailsInsteadOfBlocking) {
    PtyModem modem;
    ASSERT_TRUE(modem.linkAs(DosDevices + QStringLiteral("/com2")));
    ASSERT_TRUE(modem.fillUp());
    LinuxSerialPorts ports(Map, 50);
    auto port = ports.openForWriting(2);
    ASSERT_TRUE(port);
    EXPECT_FALSE(port->write("ATDT1\r\n"));
}

TEST_F(SerialPortsTest, DeviceThatRefusesDataFailsTheWrite) {
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), DosDevices + QStringLiteral("/com7")));
    LinuxSerialPorts ports(Map);
    auto port = ports.openForWriting(7);
    ASSERT_TRUE(port);
    EXPECT_FALSE(port->write("ATDT1\r\n"));
}
