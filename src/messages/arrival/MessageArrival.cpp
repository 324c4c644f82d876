#include "messages/arrival/MessageArrival.h"

#include "core/ActivityLog.h"
#include "core/AppMessage.h"
#include "messages/arrival/ArrivalHost.h"
#include "messages/listen/PendingNoticeQueue.h"
#include "messages/store/CallData.h"
#include "messages/vox/TVoxConv.h"
#include "platform/registry/Registry.h"
#include "platform/sound/RingChoice.h"
#include "platform/sound/SoundPlayer.h"
#include "settings/LiveSettings.h"

#include <QFile>
#include <QTimer>

ArrivalHost::~ArrivalHost() = default;

namespace {
const QString ApplicationKey = QStringLiteral("Software\\Nirvo\\Application");
constexpr int VoiceRate = 6000;
} // namespace

struct MessageArrival::Current {
    Message_Notice_Type notice;
    QString inbox;
    QString voxPath;
};

MessageArrival::MessageArrival(Collaborators collaborators, QObject* parent)
    : QObject(parent), C(std::move(collaborators)) {
    connect(&C.sound, &SoundPlayer::finished, this, [this] {
        if (!WaitingForRing)
            return;
        WaitingForRing = false;
        afterRing();
    });
}

MessageArrival::~MessageArrival() = default;

void MessageArrival::NMStrmServ1MSG(const ReceivedStream& message) {
    Queue.push_back(message);
    startNext();
}

void MessageArrival::startNext() {
    if (Busy || Queue.empty())
        return;
    Busy = true;
    const ReceivedStream message = Queue.front();

    C.host.SetCanDisconnect(true);
    C.host.ShowNewMessageIcon();

    std::optional<Message_Notice_Type> notice = C.notices.takeOldest();
    if (!notice) {
        // Nothing names this sound's files: keep nothing of it.
        QFile::remove(message.dataPath);
        WriteLog(QStringLiteral("Voice message from %1 arrived without a notice; dropped.")
                     .arg(message.peerAddress.toString()));
        finish(false);
        return;
    }

    Now = std::make_unique<Current>();
    Now->notice = *notice;
    Now->inbox = C.host.InboxDir();
    Now->voxPath = Now->inbox + MessageFileName(notice->MsgNumber) + QStringLiteral(".vox");

    // The received data already lies in a file beside the Inbox: moving it is writing it whole.
    QFile::remove(Now->voxPath);
    if (!QFile::rename(message.dataPath, Now->voxPath)) {
        const bool copied = QFile::copy(message.dataPath, Now->voxPath);
        QFile::remove(message.dataPath);
        if (!copied) {
            WriteLog(QStringLiteral("Cannot write ") + Now->voxPath);
            finish(false);
            return;
        }
    }

    const LiveSettings& settings = C.settings();
    if (settings.Ring) {
        WaitingForRing = true;
        C.sound.play(RingFilePath(C.ringsDir, C.ringList(), settings.RingType, C.randomBelow));
        return; // afterRing runs when the ring has ended
    }
    afterRing();
}

void MessageArrival::afterRing() {
    if (!Now)
        return;
    const Message_Notice_Type notice = Now->notice;
    const QString inbox = Now->inbox;
    const QString voxPath = Now->voxPath;

    C.host.SelectFolderByName(QStringLiteral("Inbox"));

    Call_Info_Type info;
    info.MsgNumber = notice.MsgNumber;
    info.Caller = notice.Caller;
    info.CallTime = notice.CallTime;
    QString error;
    if (!WriteInfoFile(inbox, info, UnreadExtension, &error)) {
        WriteLog(QStringLiteral("Cannot write the info file of message %1: %2")
                     .arg(notice.MsgNumber)
                     .arg(error));
        finish(false);
        return;
    }
    C.host.AddMessageItem(info, UnreadExtension, inbox);

    if (C.registry.openKey(ApplicationKey, false)) {
        C.registry.writeInteger(ApplicationKey, QStringLiteral("Last_ID"),
                                static_cast<quint32>(notice.MsgNumber));
    } else {
        C.messenger.ShowAppMessage(QStringLiteral("Registry doesn't exist"),
                                   QStringLiteral("Error: last call registry does not exist!"),
                                   mkError, mbOK);
    }

    const QString wavPath = inbox + MessageFileName(notice.MsgNumber) + QStringLiteral(".wav");
    if (!C.converter.Convert(voxPath, wavPath, VoiceRate, VoiceRate, &error)) {
        // The sound stays as VOX beside its info file; playing it will report the missing wave.
        WriteLog(QStringLiteral("Cannot convert ") + voxPath + QStringLiteral(": ") + error);
        finish(true);
        return;
    }
    QFile::remove(voxPath);

    const int notify = C.settings().Notify;
    // The next message may be filed while an announcement waits for the user.
    finish(true);
    if (notify == 0) {
        C.host.AnnounceMessage(notice.Caller,
                               Call_Data_Type(notice.MsgNumber, UnreadExtension, inbox,
                                              notice.CallTime, notice.Caller));
    } else if (notify == 1) {
        C.host.PopUpMainWindow();
    }
}

void MessageArrival::finish(bool stored) {
    const qint32 number = Now ? Now->notice.MsgNumber : 0;
    Now.reset();
    Queue.pop_front();
    Busy = false;
    Q_EMIT messageFiled(number, stored);
    if (!Queue.empty())
        QTimer::singleShot(0, this, &MessageArrival::startNext);
}
