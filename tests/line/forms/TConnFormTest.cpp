#include "line/forms/TConnForm.h"
#include "core/ActivityLog.h"
#include "platform/registry/MemoryRegistry.h"
#include "shell/msgbox/TImageButton.h"
#include "support/FakeMessenger.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString AppKey = QStringLiteral("Software\\Nirvo\\Application");

class ConnForm : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(log.open(dir.filePath(QStringLiteral("log.txt"))));
        InstallActivityLog(&log);
    }
    void TearDown() override { InstallActivityLog(nullptr); }
    QByteArray logText() const {
        QFile f(dir.filePath(QStringLiteral("log.txt")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    ActivityLog log;
    MemoryRegistry registry;
    FakeMessenger messenger;
};

TEST_F(ConnForm, FollowMeOnComesFromTheRegistryOtherFlagsStartClear) {
    struct Case {
        const char* what;
        std::function<void(MemoryRegistry&)> store;
        bool followMeOn;
    } cases[] = {
        {"Set",
         [](MemoryRegistry& r) {
             r.openKey(AppKey, true);
             r.writeString(AppKey, QStringLiteral("Follow_Me"), QStringLiteral("Set"));
         },
         true},
        {"UnSet",
         [](MemoryRegistry& r) {
             r.openKey(AppKey, true);
             r.writeString(AppKey, QStringLiteral("Follow_Me"), QStringLiteral("UnSet"));
         },
         false},
        {"lower case",
         [](MemoryRegistry& r) {
             r.openKey(AppKey, true);
             r.writeString(AppKey, QStringLiteral("follow_me"), QStringLiteral("set"));
         },
         false},
        {"integer",
         [](MemoryRegistry& r) {
             r.openKey(AppKey, true);
             r.writeInteger(AppKey, QStringLiteral("Follow_Me"), 1);
         },
         false},
        {"value missing", [](MemoryRegistry& r) { r.openKey(AppKey, true); }, false},
        {"key missing", [](MemoryRegistry&) {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryRegistry reg;
        c.store(reg);
        TConnForm form(reg, messenger);
        EXPECT_EQ(form.FollowMeOn, c.followMeOn);
        EXPECT_FALSE(form.ServerUp);
        EXPECT_TRUE(form.CanDisconnect);
        EXPECT_FALSE(form.ManualMode);
        EXPECT_FALSE(reg.keyExists(QStringLiteral("Software\\Nirvo\\Application")) &&
                     std::string(c.what) == "key missing")
            << "reading must not create the key";
    }
}

TEST_F(ConnForm, ControlsAreThere) {
    TConnForm form(registry, messenger);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Nirvo Internet Dialer"));
    EXPECT_EQ(form.property("helpContext").toInt(), 140);
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Connect to the Internet Using:"));
    EXPECT_EQ(form.ConnBox->toolTip(), QStringLiteral("Available ISP Connections"));
    EXPECT_EQ(form.StatusBar1->toolTip(), QStringLiteral("Connection Status"));
    for (const char* name :
         {"ConnBox", "OKBtn", "CancelBtn", "ManualBtn", "BitBtn1", "HelpBtn", "StatusBar1"})
        EXPECT_NE(form.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a fixed-size dialog";

    QSignalSpy props(&form, &TConnForm::propertiesWanted);
    QSignalSpy help(&form, &TConnForm::helpWanted);
    form.BitBtn1->click();
    form.HelpBtn->click();
    EXPECT_EQ(props.count(), 1);
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help[0][0].toInt(), 140);
}

TEST_F(ConnForm, ClosingHidesAndAsksForTheMainWindow) {
    TConnForm form(registry, messenger);
    QSignalSpy wanted(&form, &TConnForm::mainWindowWanted);
    form.show();
    EXPECT_TRUE(form.close() || !form.isVisible());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(wanted.count(), 1);
    EXPECT_TRUE(logText().contains(" - Connform closed.\r\n"));

    form.show();
    form.CancelBtn->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(wanted.count(), 2);
}

TEST_F(ConnForm, ConfirmDisconnectAsksAndPassesTheAnswerOn) {
    TConnForm form(registry, messenger);
    messenger.answers = {mrCancel, mrOK};
    EXPECT_FALSE(
        form.ConfirmDisconnect(QStringLiteral("Disconnect Nirvo and Internet connection?")));
    EXPECT_FALSE(logText().contains("Automatic Disconnection"));
    EXPECT_TRUE(form.ConfirmDisconnect(QStringLiteral("Are you sure you want to exit Nirvo?")));
    EXPECT_TRUE(logText().contains(" - Automatic Disconnection\r\n"));
    ASSERT_EQ(messenger.shown.size(), 2);
    EXPECT_EQ(messenger.shown[0].caption, QStringLiteral("Disconnect Confirmation"));
    EXPECT_EQ(messenger.shown[0].text, QStringLiteral("Disconnect Nirvo and Internet connection?"));
    EXPECT_EQ(messenger.shown[0].kind, mkQuestion);
    EXPECT_EQ(messenger.shown[0].buttons, mbOKCancel);
    EXPECT_EQ(messenger.shown[1].text, QStringLiteral("Are you sure you want to exit Nirvo?"));
}

TEST_F(ConnForm, NoDisconnectWhileAMessageArrives) {
    TConnForm form(registry, messenger);
    form.SetCanDisconnect(false);
    messenger.answers = {mrOK, mrOK};
    EXPECT_FALSE(form.ConfirmDisconnect(QStringLiteral("Are you sure you want to exit Nirvo?")));
    ASSERT_EQ(messenger.shown.size(), 2);
    EXPECT_EQ(messenger.shown[1].caption, QStringLiteral("Can not exit"));
    EXPECT_EQ(messenger.shown[1].text,
              QStringLiteral("Nirvo is receiving a message, and can not disconnect.\r\nPlease try "
                             "again in a few seconds."));
    EXPECT_EQ(messenger.shown[1].kind, mkNotice);
    EXPECT_EQ(messenger.shown[1].buttons, mbOK);

    messenger.shown.clear();
    EXPECT_FALSE(form.DisconnectAll());
    EXPECT_EQ(messenger.shown.size(), 1);

    form.SetCanDisconnect(true);
    messenger.shown.clear();
    EXPECT_TRUE(form.DisconnectAll());
    EXPECT_TRUE(messenger.shown.isEmpty());
}

TEST_F(ConnForm, MarkServerUpSetsTheFlagAndTellsTheTray) {
    TConnForm form(registry, messenger);
    QSignalSpy changed(&form, &TConnForm::serverUpChanged);
    form.MarkServerUp(true);
    EXPECT_TRUE(form.ServerUp);
    form.MarkServerUp(false);
    EXPECT_FALSE(form.ServerUp);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_TRUE(changed[0][0].toBool());
    EXPECT_FALSE(changed[1][0].toBool());
}

} // namespace
