#include "line/dialer/TDialer.h"
#include "core/TimeSource.h"
#include "platform/serial/FakeSerialPorts.h"
#include "support/FakeMessenger.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {
class TDialerTest : public ::testing::Test {
protected:
    TDialerTest() {
        Ports.present = {1, 2, 3};
        Dialer.NumberToDial = QStringLiteral("5550100");
        Dialer.DialCommand = QStringLiteral("ATDT");
    }
    FakeSerialPorts Ports;
    FakeMessenger Messenger;
    TimeSource Time{1000.0};
    TDialer Dialer{Ports, Messenger, Time};
};
} // namespace

TEST_F(TDialerTest, StartsAsADirectDialerOnCom1) {
    TDialer fresh(Ports, Messenger, Time);
    EXPECT_EQ(fresh.Mode, mDirect);
    EXPECT_EQ(fresh.ComPort, dpCOM1);
    EXPECT_FALSE(fresh.Confirm);
    EXPECT_EQ(fresh.Language, dlEnglish);
    EXPECT_TRUE(fresh.NumberToDial.isEmpty());
    EXPECT_TRUE(fresh.DialCommand.isEmpty());
}

TEST_F(TDialerTest, DirectDialWritesTheCommandHangsUpAndClosesThePort) {
    Dialer.ComPort = dpCOM3;
    QString result = QStringLiteral("unset");
    Dialer.Dial(0, result);
    EXPECT_EQ(result, QStringLiteral("OK"));
    EXPECT_EQ(Ports.opened, QList<int>{3});
    EXPECT_EQ(Ports.written.value(3), QByteArray("ATDT5550100\r\nATH\r\n"));
    EXPECT_EQ(Ports.openNow, 0);
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(TDialerTest, PortNumbersBeyondCom4AreReachable) {
    Ports.present.insert(12);
    Dialer.ComPort = TDialer::comPort(12);
    QString result;
    Dialer.Dial(0, result);
    EXPECT_EQ(result, QStringLiteral("OK"));
    EXPECT_EQ(Ports.opened, QList<int>{12});
}

TEST_F(TDialerTest, PortThatCannotBeOpenedGivesComOpenErrorWithoutABox) {
    for (int n : {4, 2}) { // absent, and present but refusing
        Ports.failOpen = {2};
        Dialer.ComPort = TDialer::comPort(n);
        QString result;
        Dialer.Dial(0, result);
        EXPECT_EQ(result, QStringLiteral("COMOPENERROR")) << n;
    }
    EXPECT_TRUE(Ports.opened.isEmpty());
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(TDialerTest, FailedWriteSaysUnableToDialAndClosesThePort) {
    Ports.failWrite = {1};
    QString result;
    Dialer.Dial(0, result);
    EXPECT_EQ(result, QStringLiteral("DIALERROR"));
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].text, QStringLiteral("Unable to dial number"));
    EXPECT_EQ(Messenger.shown[0].kind, mkError);
    EXPECT_EQ(Messenger.shown[0].buttons, mbOK);
    EXPECT_EQ(Ports.openNow, 0);
    EXPECT_TRUE(Ports.written.value(1).isEmpty()); // no hang-up after a failed dial
}

TEST_F(TDialerTest, DeclinedConfirmationLeavesResultAndPortAlone) {
    Dialer.Confirm = true;
    Messenger.answers = {mrCancel, mrOK};
    QString result = QStringLiteral("before");
    Dialer.Dial(0, result);
    EXPECT_EQ(result, QStringLiteral("before"));
    EXPECT_TRUE(Ports.opened.isEmpty());
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].text,
              QStringLiteral("About to dial the number 5550100. Are you sure?"));
    EXPECT_EQ(Messenger.shown[0].buttons, mbOKCancel);

    Dialer.Dial(0, result); // confirmed this time
    EXPECT_EQ(result, QStringLiteral("OK"));
    EXPECT_EQ(Ports.opened, QList<int>{1});
}

TEST_F(TDialerTest, WaitAfterTheDialKeepsEventsRunning) {
    bool ranDuringWait = false;
    QTimer::singleShot(0, [&] { ranDuringWait = Ports.openNow == 1; });
    QString result;
    Dialer.Dial(15000, result); // 15 ms at this speed
    EXPECT_TRUE(ranDuringWait);
    EXPECT_EQ(result, QStringLiteral("OK"));
}

TEST_F(TDialerTest, AssistedTelephonyIsNotAvailable) {
    Dialer.Mode = mTapi;
    QString result;
    Dialer.Dial(0, result);
    EXPECT_EQ(result, QStringLiteral("TapiNotAvailable"));
    EXPECT_TRUE(Ports.opened.isEmpty());
}
