#pragma once

#include "server/records/ServerRecords.h"

#include <QString>

class QTcpSocket;

// What the main window does with the records that arrive on the listening port. Each hook runs
// on the main thread from the port's read event and may run a nested event loop (a modal box);
// records on other connections keep being dispatched meanwhile.
class ListenerHooks {
public:
    virtual ~ListenerHooks();

    // A voice message is on its way: block disconnecting and queue the notice (oldest first).
    virtual void onMessageNotice(const Message_Notice_Type& notice) = 0;
    // The server is up again (tray shows the online icon).
    virtual void onServerUp() = 0;
    // Free text from the server, shown in a modal box captioned "Message". The connection is
    // already closed when this runs.
    virtual void onTextMessage(const QString& text) = 0;
    // A newer version exists. The connection is already closed when this runs.
    virtual void onVersion(const Version_Type& version) = 0;
    // A live call: ask the user and answer with a Call_Answer_Type sent (SendRecord) on
    // `connection`, which stays open and valid until this hook returns.
    virtual void onIncomingCall(const Incoming_Call_Type& call, QTcpSocket* connection) = 0;
    // The server withdraws the open call question.
    virtual void onIncomingCallEnd(const Incoming_Call_End_Type& end) = 0;
};
