#pragma once

#include "messages/arrival/ArrivalHost.h"
#include "messages/listen/ListenerHooks.h"
#include "messages/listen/PendingNoticeQueue.h"
#include "messages/vox/TVoxConv.h"

#include <QObject>
#include <QString>
#include <memory>

class AppMessenger;
class IncomingCallHandler;
class MessageAnnouncer;
class TCallForm;
class Media;
class MessageArrival;
class MessageBrowser;
class MessagePlayback;
class PhoneListView;
class PhonebookStore;
class RecordListener;
class Registry;
class SoundPlayer;
class StreamMessageServer;
class TClientForm;
class TimeSource;

// Where the listening ports listen (tests use ephemeral ports).
struct ServicePorts {
    quint16 records = 2711;
    quint16 streams = 1912;
};

// The ring and message players; null means the ones of the sound module (tests pass fakes).
struct ServicePlayers {
    SoundPlayer* ring = nullptr;     // rings for arriving messages
    SoundPlayer* callRing = nullptr; // rings for live calls
    Media* media = nullptr;
};

// The long-lived parts of the main window that receive, file, list and play voice messages and
// keep the phonebook: the two listening ports, the folder tree and message list, the phonebook
// list, the ring and message players. It routes the main window's commands to them and answers
// the listening port's records.
class ClientServices : public QObject, public ListenerHooks, public ArrivalHost {
    Q_OBJECT
public:
    ClientServices(TClientForm& client, Registry& registry, AppMessenger& messenger,
                   const TimeSource& time, ServicePlayers players = {},
                   QString datDir = QStringLiteral("dat"));
    ~ClientServices() override;

    // The record port starts listening; false (and the user told) when it is taken.
    bool StartRecordPort(quint16 port);
    // The voice port starts listening once the data folders exist; a taken port is only logged.
    void StartVoicePort(quint16 port);
    quint16 recordPort() const;
    quint16 streamPort() const;

    // The start-up steps that load the folder tree (selecting the Inbox) and the phonebook.
    void LoadFolderTree();
    void LoadPhonebook();

    MessageBrowser& browser() { return *Browser; }
    PhonebookStore& phonebook() { return *Phonebook; }
    PhoneListView& phoneList() { return *PhoneList; }
    PendingNoticeQueue& pendingNotices() { return PendingNotices; }
    MessageArrival& arrival() { return *Arrival; }
    MessagePlayback& playback() { return *Playback; }
    TCallForm& callForm() { return *CallForm; }
    MessageAnnouncer& announcer() { return *Announcer; }
    IncomingCallHandler& calls() { return *Calls; }

    // ListenerHooks
    void onMessageNotice(const Message_Notice_Type& notice) override;
    void onServerUp() override;
    void onTextMessage(const QString& text) override;
    void onVersion(const Version_Type& version) override;
    void onIncomingCall(const Incoming_Call_Type& call, QTcpSocket* connection) override;
    void onIncomingCallEnd(const Incoming_Call_End_Type& end) override;

    // ArrivalHost
    void SetCanDisconnect(bool canDisconnect) override;
    void ShowNewMessageIcon() override;
    void SelectFolderByName(const QString& name) override;
    QString InboxDir() const override;
    void AddMessageItem(const Call_Info_Type& info, const QString& extension,
                        const QString& folder) override;
    void AnnounceMessage(const Phone_Number_Type& caller, const Call_Data_Type& message) override;
    void PopUpMainWindow() override;

    // Play / Stop commands.
    void TbPlayClick();
    void TbStopClick();
    void PlayMessage(const Call_Data_Type& record);
    void PbAddToPhonebookClick();

private:
    void routeCommands();
    void onCommand(const char* objectName, void (ClientServices::*handler)());
    template <typename F> void onCommand(const char* objectName, F handler);
    void TbDeleteClick();
    void showPhonebook(bool phonebook);
    QStringList ringList() const;

    TClientForm& Client;
    Registry& Reg;
    AppMessenger& Messenger;
    const TimeSource& Time;
    QString DatDir;
    PendingNoticeQueue PendingNotices;
    TVoxConv VoxConv;
    std::unique_ptr<PhonebookStore> Phonebook;
    std::unique_ptr<MessageBrowser> Browser;
    PhoneListView* PhoneList = nullptr; // owned by the main window once placed
    std::unique_ptr<SoundPlayer> OwnRing;
    std::unique_ptr<SoundPlayer> OwnCallRing;
    std::unique_ptr<Media> OwnMedia;
    SoundPlayer* Ring = nullptr;
    Media* Player = nullptr;
    std::unique_ptr<MessagePlayback> Playback;
    std::unique_ptr<MessageArrival> Arrival;
    TCallForm* CallForm = nullptr; // owned by the main window
    std::unique_ptr<MessageAnnouncer> Announcer;
    std::unique_ptr<IncomingCallHandler> Calls;
    std::unique_ptr<RecordListener> ServerSocket;
    std::unique_ptr<StreamMessageServer> NMStrmServ1;
};
