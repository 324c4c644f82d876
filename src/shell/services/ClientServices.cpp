#include "shell/services/ClientServices.h"

#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "line/forms/TConnForm.h"
#include "messages/arrival/MessageArrival.h"
#include "messages/forms/MessageBrowser.h"
#include "messages/forms/TFolderTreeView.h"
#include "messages/forms/TMessageListView.h"
#include "messages/listen/RecordListener.h"
#include "messages/notify/IncomingCallHandler.h"
#include "messages/notify/MessageAnnouncer.h"
#include "messages/notify/NoticeTexts.h"
#include "messages/notify/forms/AppCallQuestion.h"
#include "messages/notify/forms/TCallForm.h"
#include "messages/playback/MessagePlayback.h"
#include "messages/reception/StreamMessageServer.h"
#include "messages/store/CallData.h"
#include "messages/store/MessageList.h"
#include "messages/store/StorePaths.h"
#include "phonebook/forms/PhoneListView.h"
#include "phonebook/forms/TPhoneBookForm.h"
#include "phonebook/store/PhonebookStore.h"
#include "platform/audio/AudioModule.h"
#include "platform/sound/RingChoice.h"
#include "settings/forms/TPropForm.h"
#include "shell/forms/TClientForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>

ClientServices::ClientServices(TClientForm& client, Registry& registry, AppMessenger& messenger,
                               const TimeSource& time, ServicePlayers players, QString datDir)
    : QObject(&client), Client(client), Reg(registry), Messenger(messenger), Time(time),
      DatDir(std::move(datDir)) {
    Phonebook = std::make_unique<PhonebookStore>(DatDir + QStringLiteral("/phonebook"), Messenger);
    Browser = std::make_unique<MessageBrowser>(DatDir, Messenger, Client,
                                               Phonebook->lookupFunction(), &Client);
    Client.setTreeView(Browser->treeView());
    Client.setListView(Browser->listView());
    PhoneList = new PhoneListView(*Phonebook, Messenger, Client);
    Client.setPhoneListView(PhoneList);

    // Nothing of the audio system starts with the program: the players load the sound module,
    // and make their devices, on the first sound.
    if (players.ring) {
        Ring = players.ring;
    } else {
        OwnRing = std::make_unique<ModuleSoundPlayer>();
        Ring = OwnRing.get();
    }
    SoundPlayer* callRing = players.callRing;
    if (!callRing) {
        OwnCallRing = std::make_unique<ModuleSoundPlayer>();
        callRing = OwnCallRing.get();
    }
    if (players.media) {
        Player = players.media;
    } else {
        OwnMedia = std::make_unique<ModuleMedia>();
        Player = OwnMedia.get();
    }
    Playback = std::make_unique<MessagePlayback>(*Player, Client, Messenger);

    Arrival = std::make_unique<MessageArrival>(MessageArrival::Collaborators{
        *this, PendingNotices, Reg, Messenger, *Ring, VoxConv,
        [this]() -> const LiveSettings& { return Client.propForm()->settings(); },
        [this] { return ringList(); }, DatDir + QStringLiteral("/rings"), SystemRandomBelow});

    CallForm = new TCallForm(&Client);
    Announcer = std::make_unique<MessageAnnouncer>(
        *CallForm, Phonebook->lookupFunction(),
        [this](const Call_Data_Type& message) { PlayMessage(message); },
        [this] { Browser->LoadMessageList(); });
    Calls = std::make_unique<IncomingCallHandler>(
        Phonebook->lookupFunction(), *callRing,
        [this] {
            return ChooseRing(Client.propForm()->settings(), DatDir + QStringLiteral("/rings"),
                              ringList(), SystemRandomBelow);
        },
        AppCallQuestions(&Client));

    connect(Browser.get(), &MessageBrowser::phonebookSelected, this,
            &ClientServices::showPhonebook);
    connect(Browser.get(), &MessageBrowser::playRequested, this, &ClientServices::PlayMessage);
    connect(Browser.get(), &MessageBrowser::messageMarkedRead, this,
            [this] { Client.SetTrayImage(TClientForm::TrayOnline); });
    routeCommands();
}

ClientServices::~ClientServices() = default;

template <typename F> void ClientServices::onCommand(const char* objectName, F handler) {
    const QString name = QString::fromLatin1(objectName);
    for (QObject* copy : Client.findChildren<QObject*>(name)) {
        if (auto* action = qobject_cast<QAction*>(copy))
            connect(action, &QAction::triggered, this, handler);
        else if (auto* button = qobject_cast<QAbstractButton*>(copy))
            connect(button, &QAbstractButton::clicked, this, handler);
    }
}

void ClientServices::onCommand(const char* objectName, void (ClientServices::*handler)()) {
    onCommand(objectName, [this, handler] { (this->*handler)(); });
}

void ClientServices::routeCommands() {
    MessageBrowser* b = Browser.get();
    PhoneListView* p = PhoneList;
    onCommand("MenuFolder", [b] { b->MenuFolderClick(); });
    onCommand("NewFolderPb", [b] { b->MenuFolderClick(); });
    onCommand("MenuRename", [b] { b->RenameFolderPbClick(); });
    onCommand("RenameFolderPb", [b] { b->RenameFolderPbClick(); });
    onCommand("DeleteFolderPb", [b] { b->DeleteFolderPbClick(); });
    onCommand("MenuMoveFolder", [b] { b->MenuMoveFolderClick(); });
    onCommand("MovePb", [b] { b->MenuMoveFolderClick(); });
    onCommand("MbSelectAll", [b] { b->MbSelectAllClick(); });
    onCommand("MbDelete", &ClientServices::TbDeleteClick);
    onCommand("TbDelete", &ClientServices::TbDeleteClick);
    onCommand("MsgDeletePb", [b] { b->DeleteSelectedMessages(); });
    onCommand("Date1", [b] { b->Date1Click(); });
    onCommand("PhoneNumber1", [b] { b->PhoneNumber1Click(); });
    onCommand("Name1", [b] { b->Name1Click(); });
    onCommand("FirstName1", [p] { p->FirstName1Click(); });
    onCommand("LastName1", [p] { p->LastName1Click(); });
    onCommand("HomeNumber1", [p] { p->HomeNumber1Click(); });
    onCommand("EMail1", [p] { p->EMail1Click(); });
    onCommand("PhonebookEntryMb", [p] { p->PhoneNewPbClick(); });
    onCommand("PhoneNewPb", [p] { p->PhoneNewPbClick(); });
    onCommand("PhoneUpdatePb", [p] { p->PhoneUpdatePbClick(); });
    onCommand("UpdateTb", [p] { p->PhoneUpdatePbClick(); });
    onCommand("PhoneDeletePb", [p] { p->PhoneDeletePbClick(); });
    onCommand("TbPlay", &ClientServices::TbPlayClick);
    onCommand("PlayPb", &ClientServices::TbPlayClick);
    onCommand("TbStop", &ClientServices::TbStopClick);
    onCommand("StopPb", &ClientServices::TbStopClick);
    onCommand("PbAddToPhonebook", &ClientServices::PbAddToPhonebookClick);
}

bool ClientServices::StartRecordPort(quint16 port) {
    ServerSocket = std::make_unique<RecordListener>(*this, Time);
    if (!ServerSocket->listen(port)) {
        const QString error = ServerSocket->errorString();
        WriteLog(QStringLiteral("Cannot listen on port %1: %2").arg(port).arg(error));
        Messenger.ShowAppMessage(
            QStringLiteral("Socket Error"),
            QStringLiteral("Cannot listen on port %1.\r\n%2").arg(port).arg(error), mkError, mbOK);
        return false;
    }
    return true;
}

void ClientServices::StartVoicePort(quint16 port) {
    // Streams are written beside the Inbox so that filing one is a rename.
    const QString calls = DatDir + QStringLiteral("/calls");
    QDir().mkpath(calls);
    NMStrmServ1 = std::make_unique<StreamMessageServer>(calls, Time);
    connect(NMStrmServ1.get(), &StreamMessageServer::messageReceived, Arrival.get(),
            &MessageArrival::NMStrmServ1MSG);
    connect(NMStrmServ1.get(), &StreamMessageServer::streamDropped, this,
            [](const QHostAddress& peer, const QString& reason) {
                WriteLog(
                    QStringLiteral("Voice message from %1 lost: %2").arg(peer.toString(), reason));
            });
    if (!NMStrmServ1->listen(QHostAddress::Any, port))
        WriteLog(QStringLiteral("Cannot listen on port %1: %2")
                     .arg(port)
                     .arg(NMStrmServ1->errorString()));
}

quint16 ClientServices::recordPort() const {
    return ServerSocket ? ServerSocket->serverPort() : 0;
}

quint16 ClientServices::streamPort() const {
    return NMStrmServ1 && NMStrmServ1->isListening() ? NMStrmServ1->serverPort() : 0;
}

void ClientServices::LoadFolderTree() {
    Browser->Start();
}

void ClientServices::LoadPhonebook() {
    PhoneList->LoadPhonebookList();
}

QStringList ClientServices::ringList() const {
    QStringList rings;
    if (auto* box = Client.propForm()->findChild<QComboBox*>(QStringLiteral("RingTypeBox")))
        for (int i = 0; i < box->count(); ++i)
            rings << box->itemText(i);
    if (rings.isEmpty())
        rings << QStringLiteral("Random");
    return rings;
}

void ClientServices::showPhonebook(bool phonebook) {
    if (phonebook) {
        Client.showPhoneList();
        PhoneList->LoadPhonebookList();
    } else {
        Client.showMessageList();
    }
}

void ClientServices::TbDeleteClick() {
    if (!Browser->TbDeleteClick())
        PhoneList->DeleteIfFocused();
}

// --- the listening port's records ---

void ClientServices::onMessageNotice(const Message_Notice_Type& notice) {
    SetCanDisconnect(false);
    PendingNotices.append(notice);
}

void ClientServices::onServerUp() {
    Client.connForm()->MarkServerUp(true);
    Client.SetTrayImage(TClientForm::TrayOnline);
}

void ClientServices::onTextMessage(const QString& text) {
    Messenger.ShowAppMessage(QStringLiteral("Message"), text, mkNotice, mbOK);
}

void ClientServices::onVersion(const Version_Type& version) {
    WriteLog(QStringLiteral("New version notice received: ") + version.Version);
}

void ClientServices::onIncomingCall(const Incoming_Call_Type& call, QTcpSocket* connection) {
    Calls->HandleIncomingCall(call, connection);
}

void ClientServices::onIncomingCallEnd(const Incoming_Call_End_Type& end) {
    Calls->HandleIncomingCallEnd(end);
}

// --- filing a voice message ---

void ClientServices::SetCanDisconnect(bool canDisconnect) {
    Client.connForm()->SetCanDisconnect(canDisconnect);
}

void ClientServices::ShowNewMessageIcon() {
    Client.SetTrayImage(TClientForm::TrayNewMessage);
}

void ClientServices::SelectFolderByName(const QString& name) {
    Browser->SelectFolderByName(name);
}

QString ClientServices::InboxDir() const {
    return Browser->InboxDir();
}

void ClientServices::AddMessageItem(const Call_Info_Type& info, const QString& extension,
                                    const QString& folder) {
    Browser->AddMessageItem(info, extension, folder);
}

void ClientServices::AnnounceMessage(const Phone_Number_Type& caller,
                                     const Call_Data_Type& message) {
    Announcer->AnnounceMessage(caller, message);
}

void ClientServices::PopUpMainWindow() {
    Client.show();
    Client.setWindowState(Client.windowState() & ~Qt::WindowMinimized);
    Client.raise();
    Client.activateWindow();
}

// --- playback ---

void ClientServices::PlayMessage(const Call_Data_Type& record) {
    TMessageListView* list = Browser->listView();
    const QList<int> rows = list->selectedRows();
    const int remembered = rows.isEmpty() ? -1 : rows.first();
    Call_Data_Type copy = record;
    const bool played =
        Playback->PlayMessage(copy.GetWavPath(), [this, copy] { Browser->MarkRead(copy); });
    if (played && remembered >= 0 && remembered < list->model()->rowCount())
        list->setCurrentIndex(list->model()->index(remembered, 0));
    list->viewport()->update();
}

void ClientServices::TbPlayClick() {
    const QList<int> rows = Browser->listView()->selectedRows();
    if (rows.isEmpty())
        return;
    PlayMessage(Browser->messages().record(rows.first()));
}

void ClientServices::TbStopClick() {
    Playback->StopPlaying();
}

void ClientServices::PbAddToPhonebookClick() {
    const QList<int> rows = Browser->listView()->selectedRows();
    if (rows.isEmpty())
        return;
    const Phone_Number_Type caller = Browser->messages().record(rows.first()).Caller;
    if (AddCallerToPhonebook(*Phonebook, Messenger, caller, &Client))
        Browser->LoadMessageList();
}
