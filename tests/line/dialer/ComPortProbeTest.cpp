#include "line/dialer/ComPortProbe.h"
#include "PtyModem.h"
#include "core/TimeSource.h"
#include "platform/serial/FakeSerialPorts.h"
#include "platform/serial/LinuxSerialPorts.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
class ComPortProbeTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(DosDevices); }
    QString link(int n) const { return DosDevices + QStringLiteral("/com%1").arg(n); }

    TempProgramFolder Folder{false};
    QString DosDevices = Folder.configDir() + QStringLiteral("/nirvo/dosdevices");
    // Fallback devices in an empty temporary folder: the machine's own ports stay untouched.
    LinuxSerialPorts Ports{ComPortMap(DosDevices, Folder.configDir() + QStringLiteral("/ttyS")),
                           50};
    FakeMessenger Messenger;
    TimeSource Time{1000.0};
    ComPortProbe Probe{Ports, Messenger, Time};
};
} // namespace

TEST_F(ComPortProbeTest, FirstPortThatTakesTheDialCommandWins) {
    PtyModem com1, stalled, modem, later;
    ASSERT_TRUE(com1.linkAs(link(1)));                               // never tried
    ASSERT_TRUE(QFile::link(QStringLiteral("/no/device"), link(2))); // does not exist
    ASSERT_TRUE(stalled.linkAs(link(3)));                            // opens, but the write fails
    ASSERT_TRUE(stalled.fillUp());
    ASSERT_TRUE(modem.linkAs(link(4)));
    ASSERT_TRUE(later.linkAs(link(5)));

    EXPECT_EQ(Probe.findModemPort(), 4);
    EXPECT_EQ(modem.readWritten(), QByteArray("ATDT1\r\nATH\r\n"));
    EXPECT_TRUE(com1.readWritten(20).isEmpty());
    EXPECT_TRUE(later.readWritten(20).isEmpty());
    ASSERT_EQ(Messenger.shown.size(), 1); // the failed write on COM3
    EXPECT_EQ(Messenger.shown[0].text, QStringLiteral("Unable to dial number"));
    // Every port was closed again.
    EXPECT_TRUE(Ports.openForWriting(3));
    EXPECT_TRUE(Ports.openForWriting(4));
}

TEST_F(ComPortProbeTest, PortHeldByAnotherUserIsSkipped) {
    PtyModem busy, modem;
    ASSERT_TRUE(busy.linkAs(link(2)));
    ASSERT_TRUE(modem.linkAs(link(6)));
    auto holder = Ports.openForWriting(2);
    ASSERT_TRUE(holder);
    EXPECT_EQ(Probe.findModemPort(), 6);
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(ComPortProbeTest, NothingFoundWhenNoPortAnswers) {
    EXPECT_EQ(Probe.findModemPort(), std::nullopt);
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(ComPortProbeTest, TriesCom2ToCom16Only) {
    FakeSerialPorts fake;
    for (int n = 1; n <= 20; ++n)
        fake.present.insert(n);
    fake.failWrite = fake.present;
    ComPortProbe probe(fake, Messenger, Time);
    EXPECT_EQ(probe.findModemPort(), std::nullopt);
    QList<int> expected;
    for (int n = ComPortProbe::FirstPort; n <= ComPortProbe::LastPort; ++n)
        expected.append(n);
    EXPECT_EQ(fake.opened, expected);
    EXPECT_EQ(Messenger.shown.size(), expected.size());
    EXPECT_EQ(ComPortProbe::FirstPort, 2);
    EXPECT_EQ(ComPortProbe::LastPort, 16);
}
