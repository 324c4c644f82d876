// The listening port (real class, real sockets) against the development server executable, and
// the development server's own ports against the client's records: golden layouts on both sides.
#include "messages/listen/ListenerFixture.h"
#include "server/records/ClientRecords.h"
#include "server/transport/RecordReader.h"
#include "server/transport/RecordReceive.h"
#include "support/DevServerProcess.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

quint16 freePort() {
    return DevServerProcess::freePort();
}

// The devserver executable built beside this test.
class DevServer : public DevServerProcess {
public:
    explicit DevServer(const QStringList& args)
        : DevServerProcess(QStringLiteral(NIRVO_DEVSERVER_PATH), args) {}
};

class DevServerTest : public ListenerFixture {};

} // namespace

TEST_F(DevServerTest, EveryDispatchRowOfTheListeningPort) {
    DevServer dev({QStringLiteral("--listen-port"), QString::number(Listener.serverPort()),
                   QStringLiteral("--presence-port"), QStringLiteral("0"),
                   QStringLiteral("--register-port"), QStringLiteral("0"),
                   QStringLiteral("--stdin")});
    ASSERT_TRUE(dev.started());
    Hooks.OnCall = [](const Incoming_Call_Type&, QTcpSocket* connection) {
        Call_Answer_Type answer;
        answer.Answer = Call_Answer_Type::Declines;
        SendRecord(answer, *connection);
    };

    dev.command(QStringLiteral("notice 42 03 1234567"));
    dev.command(QStringLiteral("notice 43 04 7654321"));
    ASSERT_TRUE(waitFor([&] { return Hooks.PendingNotices.size() == 2; }, 10000));
    EXPECT_FALSE(Hooks.CanDisconnect);
    const auto first = Hooks.PendingNotices.takeOldest();
    EXPECT_EQ(first->MsgNumber, 42);
    EXPECT_EQ(GetDisplayNumber(first->Caller), QStringLiteral("031234567"));
    EXPECT_GT(first->CallTime, 40000.0) << "a date after the year 2009";
    EXPECT_EQ(Hooks.PendingNotices.takeOldest()->MsgNumber, 43);
    EXPECT_TRUE(dev.waitLine(QStringLiteral("sent notice 43")));

    dev.command(QStringLiteral("serverup"));
    ASSERT_TRUE(waitFor([&] { return Hooks.ServerUps == 1; }, 10000));

    dev.command(QStringLiteral("text The server restarts at 10:00"));
    ASSERT_TRUE(waitFor([&] { return Hooks.Texts.size() == 1; }, 10000));
    EXPECT_EQ(Hooks.Texts[0], QStringLiteral("The server restarts at 10:00"));

    dev.command(QStringLiteral("version 1.31 http://127.0.0.1/dl/ 0"));
    ASSERT_TRUE(waitFor([&] { return Hooks.Versions.size() == 1; }, 10000));
    EXPECT_EQ(Hooks.Versions[0].Version, QStringLiteral("1.31"));
    EXPECT_EQ(Hooks.Versions[0].DownloadBase, QStringLiteral("http://127.0.0.1/dl/"));
    EXPECT_EQ(Hooks.Versions[0].Optional, 0);

    dev.command(QStringLiteral("call 02 5556677"));
    ASSERT_TRUE(dev.waitLine(QStringLiteral("call-answer")));
    EXPECT_TRUE(dev.hasLine(QStringLiteral("call-answer 1 size=20 check=3034")));
    ASSERT_EQ(Hooks.Calls.size(), 1);
    EXPECT_EQ(GetDisplayNumber(Hooks.Calls[0].Caller), QStringLiteral("025556677"));

    dev.command(QStringLiteral("callend"));
    ASSERT_TRUE(waitFor([&] { return Hooks.CallEnds == 1; }, 10000));

    dev.command(QStringLiteral("raw 9 16"));
    ASSERT_TRUE(dev.waitLine(QStringLiteral("sent raw 9")));
    EXPECT_EQ(Log.count(QStringLiteral("Unknown message received at port ")), 1);
    EXPECT_TRUE(Log.texts().last().endsWith(QStringLiteral(" ID = 9 Size = 16")));

    EXPECT_EQ(Hooks.ServerUps, 1);
    EXPECT_EQ(Hooks.Texts.size(), 1);
    EXPECT_TRUE(waitFor([&] { return Listener.server().connectionCount() == 0; }, 10000));
}

// The client's presence records reach the development server field by field, and its answers
// read back through the client's own records and transport.
TEST_F(DevServerTest, PresenceAndRegistrationAgainstTheClientsRecords) {
    const quint16 presence = freePort();
    const quint16 registration = freePort();
    QTemporaryDir dir;
    QFile onUp(dir.filePath(QStringLiteral("on-up.txt")));
    ASSERT_TRUE(onUp.open(QIODevice::WriteOnly));
    onUp.write("serverup\n");
    onUp.close();
    DevServer dev({QStringLiteral("--listen-port"), QString::number(Listener.serverPort()),
                   QStringLiteral("--presence-port"), QString::number(presence),
                   QStringLiteral("--register-port"), QString::number(registration),
                   QStringLiteral("--user-id"), QStringLiteral("4321"), QStringLiteral("--on-up"),
                   onUp.fileName()});
    ASSERT_TRUE(dev.started());
    ASSERT_TRUE(dev.waitLine(QStringLiteral("listening register")));

    QTcpSocket socket;
    QList<QByteArray> answers;
    RecordReader reader(&socket,
                        {ID_Client_Up_Response, ID_Client_Alive_Response, ID_Register_Response});
    reader.setHandler(
        [&](const Msg_Header_Type&, const QByteArray& record) { answers.append(record); });

    Client_Up_Type up;
    up.LastId = 5;
    up.UserId = 77;
    up.Phone = Phone_Number_Type(QStringLiteral("03"), QStringLiteral("1234567"));
    up.ServerPhone = Phone_Number_Type(QStringLiteral("03"), QStringLiteral("7654321"));
    ASSERT_TRUE(ConnectAndSend(up, socket, QHostAddress::LocalHost, presence, 10000, Time));
    ASSERT_TRUE(waitFor([&] { return answers.size() == 1; }, 10000));
    const Client_Up_Response_Type response = Client_Up_Response_Type::decode(answers[0]);
    EXPECT_EQ(response.Head.ID, ID_Client_Up_Response);
    EXPECT_EQ(response.Status, 0);
    EXPECT_TRUE(
        dev.hasLine(QStringLiteral("client-up user=77 lastid=5 phone=03-1234567 "
                                   "version=1.29 serverphone=03-7654321 check=9009 size=100")));
    // Accepted: the on-up script tells the client the server is up.
    EXPECT_TRUE(waitFor([&] { return Hooks.ServerUps == 1; }, 10000));

    Client_Alive_Type alive;
    alive.UserId = 77;
    alive.Phone = up.Phone;
    ASSERT_TRUE(ConnectAndSend(alive, socket, QHostAddress::LocalHost, presence, 10000, Time));
    ASSERT_TRUE(waitFor([&] { return answers.size() == 2; }, 10000));
    EXPECT_EQ(ReceiveHeader(answers[1]).ID, ID_Client_Alive_Response);
    EXPECT_TRUE(dev.hasLine(QStringLiteral("client-alive user=77 phone=03-1234567 check=5840")));

    Client_Down_Type down;
    down.UserId = 77;
    down.Phone = up.Phone;
    ASSERT_TRUE(ConnectAndSend(down, socket, QHostAddress::LocalHost, presence, 5000, Time));
    EXPECT_TRUE(dev.waitLine(QStringLiteral("client-down user=77 phone=03-1234567 check=5694")));
    socket.abort();

    QTcpSocket regSocket;
    QByteArray regAnswer;
    RecordReader regReader(&regSocket, {ID_Register_Response});
    regReader.setHandler(
        [&](const Msg_Header_Type&, const QByteArray& record) { regAnswer = record; });
    Register_Type reg;
    reg.NickName = QStringLiteral("dana");
    reg.EMail = QStringLiteral("dana@example.com");
    reg.Password = QStringLiteral("secret");
    reg.Phone = up.Phone;
    ASSERT_TRUE(ConnectAndSend(reg, regSocket, QHostAddress::LocalHost, registration, 30000, Time));
    ASSERT_TRUE(waitFor([&] { return !regAnswer.isEmpty(); }, 10000));
    const Register_Response_Type regResponse = Register_Response_Type::decode(regAnswer);
    EXPECT_EQ(regResponse.UserId, 4321);
    EXPECT_EQ(regResponse.Status, 0);
    EXPECT_TRUE(dev.hasLine(QStringLiteral("register nick=dana email=dana@example.com "
                                           "password=secret phone=03-1234567 update=0 user=0 "
                                           "version=1.29 check=4283")));
}

// A notice followed by its sound: the stream-message framing reaches a voice port, which replies.
TEST_F(DevServerTest, NoticeWithItsVoiceStream) {
    QTcpServer voice;
    ASSERT_TRUE(voice.listen(QHostAddress::LocalHost, 0));
    QByteArray received;
    QObject::connect(&voice, &QTcpServer::newConnection, &voice, [&] {
        QTcpSocket* s = voice.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [&, s] {
            received += s->readAll();
            // 4 + 5 ("Nirvo") + 10 + 3000 bytes: the whole message, then the reply.
            if (received.size() == 4 + 5 + 10 + 3000)
                s->write(QByteArray("OK") + QByteArray(14, ' '));
        });
    });
    QTemporaryDir dir;
    const QString sound = dir.filePath(QStringLiteral("m.vox"));
    QFile f(sound);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(3000, '\x5a'));
    f.close();

    DevServer dev({QStringLiteral("--listen-port"), QString::number(Listener.serverPort()),
                   QStringLiteral("--voice-port"), QString::number(voice.serverPort()),
                   QStringLiteral("--presence-port"), QStringLiteral("0"),
                   QStringLiteral("--register-port"), QStringLiteral("0"),
                   QStringLiteral("--stdin")});
    ASSERT_TRUE(dev.started());
    dev.command(QStringLiteral("notice 9 03 1234567 ") + sound);
    ASSERT_TRUE(dev.waitLine(QStringLiteral("sent voice")));
    EXPECT_TRUE(dev.hasLine(QStringLiteral("sent voice bytes=3000 reply=\"OK              \"")));
    EXPECT_EQ(received.left(19), QByteArray("0005Nirvo0000003000"));
    EXPECT_EQ(received.mid(19), QByteArray(3000, '\x5a'));
    EXPECT_EQ(Hooks.PendingNotices.size(), 1);
}

// Banner record to its port, banner picture as a stream message, and answers set by commands.
TEST_F(DevServerTest, BannerPictureAndScriptedStatuses) {
    QTcpServer banner;
    ASSERT_TRUE(banner.listen(QHostAddress::LocalHost, 0));
    QByteArray bannerRecord;
    std::unique_ptr<RecordReader> bannerReader;
    QObject::connect(&banner, &QTcpServer::newConnection, &banner, [&] {
        QTcpSocket* s = banner.nextPendingConnection();
        bannerReader = std::make_unique<RecordReader>(s, QList<quint8>{ID_Commercial});
        bannerReader->setHandler(
            [&](const Msg_Header_Type&, const QByteArray& record) { bannerRecord = record; });
        bannerReader->pump();
    });
    QTcpServer picture;
    ASSERT_TRUE(picture.listen(QHostAddress::LocalHost, 0));
    QByteArray pictureBytes;
    QObject::connect(&picture, &QTcpServer::newConnection, &picture, [&] {
        QTcpSocket* s = picture.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [&, s] {
            pictureBytes += s->readAll();
            if (pictureBytes.size() == 4 + 5 + 10 + 0)
                s->write(QByteArray("OK") + QByteArray(14, ' '));
        });
    });
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("commerc.jpg"));
    QFile f(empty);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const quint16 presence = freePort();

    DevServer dev({QStringLiteral("--listen-port"), QString::number(Listener.serverPort()),
                   QStringLiteral("--banner-port"), QString::number(banner.serverPort()),
                   QStringLiteral("--picture-port"), QString::number(picture.serverPort()),
                   QStringLiteral("--presence-port"), QString::number(presence),
                   QStringLiteral("--register-port"), QStringLiteral("0"),
                   QStringLiteral("--stdin")});
    ASSERT_TRUE(dev.started());
    dev.command(QStringLiteral("banner http://ads.example/x"));
    ASSERT_TRUE(waitFor([&] { return !bannerRecord.isEmpty(); }, 10000));
    EXPECT_EQ(Commercial_Type::decode(bannerRecord).Link, QStringLiteral("http://ads.example/x"));
    EXPECT_EQ(bannerRecord.size(), 276);

    dev.command(QStringLiteral("picture ") + empty);
    ASSERT_TRUE(dev.waitLine(QStringLiteral("sent picture")));
    EXPECT_EQ(pictureBytes, QByteArray("0005Nirvo0000000000")) << "a picture of zero bytes";

    dev.command(QStringLiteral("up-status 2"));
    QTcpSocket socket;
    QByteArray answer;
    RecordReader reader(&socket, {ID_Client_Up_Response});
    reader.setHandler([&](const Msg_Header_Type&, const QByteArray& record) { answer = record; });
    ASSERT_TRUE(dev.waitLine(QStringLiteral("set up-status 2")));
    Client_Up_Type up;
    ASSERT_TRUE(ConnectAndSend(up, socket, QHostAddress::LocalHost, presence, 10000, Time));
    ASSERT_TRUE(waitFor([&] { return !answer.isEmpty(); }, 10000));
    EXPECT_EQ(Client_Up_Response_Type::decode(answer).Status, 2);
    QTest::qWait(100);
    EXPECT_EQ(Hooks.ServerUps, 0) << "scripted runs push nothing on their own";
}
