#include "settings/forms/TPropForm.h"
#include "line/dialer/PortProber.h"
#include "platform/dialup/FakeDialupDirectory.h"
#include "platform/registry/MemoryRegistry.h"
#include "settings/SettingsKeys.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {
class NoModem : public PortProber {
public:
    int calls = 0;
    std::optional<int> findModemPort() override {
        ++calls;
        return std::nullopt;
    }
};

class TPropFormTest : public ::testing::Test {
protected:
    TPropFormTest() {
        Dialup.entries = {QStringLiteral("Home ISP"), QStringLiteral("Work ISP")};
        Dialup.devices = {QStringLiteral("COM2"), QStringLiteral("COM3")};
        Form.setDialupDirectory(Dialup);
        Form.setPortProber(Prober);
    }
    template <typename T> T* control(const char* name) {
        return Form.findChild<T*>(QString::fromLatin1(name));
    }

    TempProgramFolder Folder;
    MemoryRegistry Reg;
    FakeMessenger Messenger;
    FakeDialupDirectory Dialup;
    NoModem Prober;
    TPropForm Form{Reg, Messenger};
};
} // namespace

TEST_F(TPropFormTest, LoadFillsTheControlsAndKeepsTheDialogHidden) {
    Reg.openKey(SettingsKeys::Properties, true);
    Reg.writeString(SettingsKeys::Properties, QStringLiteral("Connection"),
                    QStringLiteral("Work ISP"));
    Reg.writeString(SettingsKeys::Properties, QStringLiteral("Server_Area_Code"),
                    QStringLiteral("03"));
    Reg.writeString(SettingsKeys::Properties, QStringLiteral("RingType"),
                    QStringLiteral("Chime.wav"));

    ASSERT_TRUE(Form.LoadSettings());
    EXPECT_TRUE(Messenger.shown.isEmpty());
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Form.windowTitle(), QStringLiteral("Properties"));

    auto* rings = control<QComboBox>("RingTypeBox");
    ASSERT_TRUE(rings);
    ASSERT_EQ(rings->count(), 4);
    EXPECT_EQ(rings->itemText(0), QStringLiteral("Beeper.wav"));
    EXPECT_EQ(rings->itemText(3), QStringLiteral("Random"));
    EXPECT_EQ(rings->currentText(), QStringLiteral("Chime.wav"));

    auto* connections = control<QListWidget>("ConnectionList");
    ASSERT_TRUE(connections);
    EXPECT_EQ(connections->count(), 2);
    EXPECT_EQ(connections->currentRow(), 1);
    EXPECT_EQ(Form.connectionEntries(), Dialup.entries);
    EXPECT_EQ(Form.connectionIndex(), 1);

    auto* devices = control<QListWidget>("DevicesList");
    ASSERT_TRUE(devices);
    EXPECT_EQ(devices->count(), 2);
    EXPECT_EQ(devices->currentRow(), 0);

    auto* longCall = control<QCheckBox>("LongCallCheck");
    ASSERT_TRUE(longCall);
    EXPECT_EQ(longCall->text(), QStringLiteral("Long Distance Call"));
    EXPECT_TRUE(longCall->isChecked());

    EXPECT_EQ(Form.settings().Connection, QStringLiteral("Work ISP"));
    EXPECT_EQ(Form.settings().Device, QStringLiteral("COM2"));
    EXPECT_EQ(Form.settings().ServerAreaCode, QStringLiteral("03"));
    EXPECT_EQ(Form.settings().ServerAddress, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(Prober.calls, 1);
}

TEST_F(TPropFormTest, StoredConnectionThatIsGoneSelectsNothing) {
    Reg.openKey(SettingsKeys::Properties, true);
    Reg.writeString(SettingsKeys::Properties, QStringLiteral("Connection"),
                    QStringLiteral("Old ISP"));
    ASSERT_TRUE(Form.LoadSettings());
    EXPECT_EQ(Form.connectionIndex(), -1);
    EXPECT_TRUE(control<QListWidget>("ConnectionList")->selectedItems().isEmpty());
    EXPECT_TRUE(Form.settings().Connection.isEmpty());
    EXPECT_FALSE(control<QCheckBox>("LongCallCheck")->isChecked());
}

TEST_F(TPropFormTest, MissingConfigurationFileMeansEndTheProgram) {
    QFile::remove(Folder.dat(QStringLiteral("Nirvo.ini")));
    EXPECT_FALSE(Form.LoadSettings());
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Configuration File wasn't found!"));
}

// Built as the main window builds it: the real configuration file and dial-up directory. The
// port is already stored, so no real serial port of the machine is touched.
TEST(TPropFormDefaults, LoadsWithTheRealCollaborators) {
    TempProgramFolder folder;
    MemoryRegistry reg;
    reg.openKey(SettingsKeys::Comport, true);
    reg.writeInteger(SettingsKeys::Comport, QStringLiteral("Comport"), 4);
    FakeMessenger messenger;
    TPropForm form(reg, messenger);
    ASSERT_TRUE(form.LoadSettings());
    EXPECT_TRUE(messenger.shown.isEmpty());
    EXPECT_EQ(form.settings().Follow_Me_Dialup, QStringLiteral("72"));
    EXPECT_EQ(form.settings().Comport, 4);
}
