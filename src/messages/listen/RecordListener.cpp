#include "messages/listen/RecordListener.h"

#include "server/transport/RecordReader.h"
#include "server/transport/RecordReceive.h"

RecordListener::RecordListener(ListenerHooks& hooks, const TimeSource& time, QObject* parent)
    : QObject(parent), Hooks(hooks),
      Server({ID_Message_Notice, ID_Server_Up, ID_Version, ID_Incoming_Call, ID_Incoming_Call_End,
              ID_Text_Message},
             time, this) {
    Server.setHandler([this](RecordReader& connection, const Msg_Header_Type& header,
                             const QByteArray& record) { dispatch(connection, header, record); });
}

bool RecordListener::listen(quint16 port, const QHostAddress& address) {
    return Server.listen(address, port);
}

void RecordListener::dispatch(RecordReader& connection, const Msg_Header_Type& header,
                              const QByteArray& record) {
    switch (header.ID) {
    case ID_Message_Notice: {
        Message_Notice_Type notice;
        ReceiveRest(notice, header, record);
        Hooks.onMessageNotice(notice);
        connection.close();
        break;
    }
    case ID_Server_Up:
        Hooks.onServerUp();
        connection.close();
        break;
    case ID_Version: {
        Version_Type version;
        ReceiveRest(version, header, record);
        connection.close(); // before the user is asked
        Hooks.onVersion(version);
        break;
    }
    case ID_Incoming_Call: {
        Incoming_Call_Type call;
        ReceiveRest(call, header, record);
        Hooks.onIncomingCall(call, connection.socket()); // stays open for the answer
        break;
    }
    case ID_Incoming_Call_End: {
        Incoming_Call_End_Type end;
        ReceiveRest(end, header, record);
        Hooks.onIncomingCallEnd(end); // the connection is left to the server
        break;
    }
    case ID_Text_Message: {
        Text_Message_Type message;
        ReceiveRest(message, header, record);
        connection.close();
        Hooks.onTextMessage(message.Text);
        break;
    }
    default:
        // The port's framer takes only the IDs above; anything else never gets here.
        break;
    }
}
