#pragma once

#include "messages/listen/PendingNoticeQueue.h"
#include "messages/listen/RecordListener.h"
#include "server/records/ClientRecords.h"
#include "server/transport/RecordSend.h"
#include "server/transport/TestLog.h"

#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// Hooks that record what the main window was asked to do; each can be given extra behaviour.
struct RecordingHooks : ListenerHooks {
    PendingNoticeQueue PendingNotices;
    bool CanDisconnect = true;
    int ServerUps = 0;
    QStringList Texts;
    QList<Version_Type> Versions;
    QList<Incoming_Call_Type> Calls;
    int CallEnds = 0;
    std::function<void(const QString&)> OnText;
    std::function<void(const Incoming_Call_Type&, QTcpSocket*)> OnCall;

    void onMessageNotice(const Message_Notice_Type& notice) override {
        CanDisconnect = false;
        PendingNotices.append(notice);
    }
    void onServerUp() override { ++ServerUps; }
    void onTextMessage(const QString& text) override {
        Texts.append(text);
        if (OnText)
            OnText(text);
    }
    void onVersion(const Version_Type& version) override { Versions.append(version); }
    void onIncomingCall(const Incoming_Call_Type& call, QTcpSocket* connection) override {
        Calls.append(call);
        if (OnCall)
            OnCall(call, connection);
    }
    void onIncomingCallEnd(const Incoming_Call_End_Type&) override { ++CallEnds; }
};

// A listener on an ephemeral loopback port with recording hooks, and peers that play the server.
class ListenerFixture : public ::testing::Test {
protected:
    explicit ListenerFixture(double speed = 1.0) : Time(speed), Listener(Hooks, Time) {}

    void SetUp() override { ASSERT_TRUE(Listener.listen(0, QHostAddress::LocalHost)); }

    QTcpSocket* connectPeer() {
        Peers.push_back(std::make_unique<QTcpSocket>());
        QTcpSocket* peer = Peers.back().get();
        peer->connectToHost(QHostAddress::LocalHost, Listener.serverPort());
        EXPECT_TRUE(peer->waitForConnected(5000));
        return peer;
    }
    QTcpSocket* send(const QByteArray& bytes) {
        QTcpSocket* peer = connectPeer();
        peer->write(bytes);
        peer->flush();
        return peer;
    }
    static bool waitFor(const std::function<bool()>& done, int ms = 5000) {
        return QTest::qWaitFor(done, ms);
    }
    static QByteArray header(quint8 id, qint32 size) {
        QByteArray out;
        Msg_Header_Type{id, MakeCheck(id, size), size}.encode(out);
        return out;
    }

    TestLog Log;
    TimeSource Time;
    RecordingHooks Hooks;
    RecordListener Listener;
    std::vector<std::unique_ptr<QTcpSocket>> Peers;
};
