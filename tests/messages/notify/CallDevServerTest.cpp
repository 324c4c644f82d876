// Live calls from the development server through the real listening port, the call handling and
// the program's message box, answered the way a user does.
#include "messages/listen/RecordListener.h"
#include "messages/notify/IncomingCallHandler.h"
#include "messages/notify/forms/AppCallQuestion.h"
#include "platform/sound/FakeSoundPlayer.h"
#include "platform/sound/RingChoice.h"
#include "settings/LiveSettings.h"
#include "shell/msgbox/TMsgForm.h"
#include "support/DevServerProcess.h"
#include "support/MsgBoxAnswerer.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The devserver pushing to the listening port only.
class CallDevServer : public DevServerProcess {
public:
    explicit CallDevServer(quint16 listenPort)
        : DevServerProcess(QStringLiteral(NIRVO_DEVSERVER_PATH),
                           {QStringLiteral("--listen-port"), QString::number(listenPort),
                            QStringLiteral("--presence-port"), QStringLiteral("0"),
                            QStringLiteral("--register-port"), QStringLiteral("0"),
                            QStringLiteral("--stdin")}) {}
};

// The main window's part: forward the two call hooks to the handler.
struct CallHooks : ListenerHooks {
    explicit CallHooks(IncomingCallHandler& handler) : Handler(handler) {}
    void onMessageNotice(const Message_Notice_Type&) override {}
    void onServerUp() override {}
    void onTextMessage(const QString&) override {}
    void onVersion(const Version_Type&) override {}
    void onIncomingCall(const Incoming_Call_Type& call, QTcpSocket* connection) override {
        Handler.HandleIncomingCall(call, connection);
    }
    void onIncomingCallEnd(const Incoming_Call_End_Type& end) override {
        Handler.HandleIncomingCallEnd(end);
    }
    IncomingCallHandler& Handler;
};

bool callBoxVisible() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<TMsgForm*>(w) &&
            w->windowTitle() == QStringLiteral("You have a phone call"))
            return true;
    return false;
}

class CallDevServerTest : public ::testing::Test {
protected:
    CallDevServerTest() {
        Settings.Ring = true;
        Settings.RingType = QStringLiteral("Chime.wav");
    }
    void SetUp() override { ASSERT_TRUE(Listener.listen(0, QHostAddress::LocalHost)); }

    LiveSettings Settings;
    FakeSoundPlayer Player;
    IncomingCallHandler Handler{
        [](const QString& number) {
            return number == QStringLiteral("031234567") ? QStringLiteral("Dana Levi") : QString();
        },
        Player,
        [this] {
            return ChooseRing(Settings, QStringLiteral("dat/rings"),
                              {QStringLiteral("Chime.wav"), QStringLiteral("Random")},
                              SystemRandomBelow);
        },
        AppCallQuestions()};
    CallHooks Hooks{Handler};
    TimeSource Time;
    RecordListener Listener{Hooks, Time};
};

} // namespace

TEST_F(CallDevServerTest, BothAnswersReachTheServerAsTheTwentyByteRecord) {
    CallDevServer dev(Listener.serverPort());
    ASSERT_TRUE(dev.started());
    MsgBoxAnswerer user;
    user.expect(QStringLiteral("You have a phone call"), MsgBoxAnswerer::OK);
    user.expect(QStringLiteral("You have a phone call"), MsgBoxAnswerer::Cancel);

    dev.command(QStringLiteral("call 03 1234567"));
    dev.command(QStringLiteral("call 09 8887777"));
    ASSERT_TRUE(dev.waitLines(QStringLiteral("call-answer"), 2));
    EXPECT_EQ(dev.linesStartingWith(QStringLiteral("call-answer")),
              (QStringList{QStringLiteral("call-answer 0 size=20 check=3034"),
                           QStringLiteral("call-answer 1 size=20 check=3034")}));
    ASSERT_EQ(user.seen().size(), 2);
    EXPECT_EQ(user.seen()[0].text, QStringLiteral("You have a phone call from 031234567 (Dana "
                                                  "Levi). Would you like to answer?"));
    EXPECT_EQ(user.seen()[1].text, QStringLiteral("You have a phone call from 098887777 "
                                                  "(unknown). Would you like to answer?"));
    EXPECT_EQ(Player.played, (QStringList{QStringLiteral("dat/rings/Chime.wav"),
                                          QStringLiteral("dat/rings/Chime.wav")}));
    EXPECT_EQ(Handler.openCalls(), 0);
    EXPECT_FALSE(callBoxVisible());
}

TEST_F(CallDevServerTest, TheServersWithdrawalTakesTheBoxAwayAndNoAnswerGoesBack) {
    Settings.Ring = false;
    CallDevServer caller(Listener.serverPort());
    CallDevServer withdrawer(Listener.serverPort());
    ASSERT_TRUE(caller.started());
    ASSERT_TRUE(withdrawer.started());
    // The user never answers; once the box is up the server withdraws it, twice.
    bool withdrawn = false;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!withdrawn && callBoxVisible()) {
            withdrawn = true;
            withdrawer.command(QStringLiteral("callend"));
            withdrawer.command(QStringLiteral("callend"));
        }
    });
    watch.start();

    caller.command(QStringLiteral("call 03 1234567"));
    ASSERT_TRUE(withdrawer.waitLines(QStringLiteral("sent callend"), 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Handler.openCalls() == 0; }, 5000));
    EXPECT_TRUE(withdrawn);
    EXPECT_FALSE(callBoxVisible());
    EXPECT_TRUE(Player.played.isEmpty());
    QTest::qWait(100);
    EXPECT_TRUE(caller.linesStartingWith(QStringLiteral("call-answer")).isEmpty());
}
