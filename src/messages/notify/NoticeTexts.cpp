#include "messages/notify/NoticeTexts.h"

#include "platform/sound/RingChoice.h"
#include "settings/LiveSettings.h"

QString CallerName(const NameLookup& lookup, const Phone_Number_Type& caller) {
    const QString name = lookup ? lookup(GetDisplayNumber(caller)) : QString();
    return name.isEmpty() ? QStringLiteral("unknown") : name;
}

QString NewMessageText(const QString& displayNumber, const QString& name) {
    return QStringLiteral("You have a new telephone message from ") + displayNumber +
           QStringLiteral(" (") + name + QStringLiteral("). ") +
           QStringLiteral("Would you like to hear it now?");
}

QString IncomingCallText(const QString& displayNumber, const QString& name) {
    return QStringLiteral("You have a phone call from ") + displayNumber + QStringLiteral(" (") +
           name + QStringLiteral("). ") + QStringLiteral("Would you like to answer?");
}

std::optional<QString> ChooseRing(const LiveSettings& settings, const QString& ringsDir,
                                  const QStringList& ringList,
                                  const std::function<int(int)>& randomBelow) {
    if (!settings.Ring)
        return std::nullopt;
    return RingFilePath(ringsDir, ringList, settings.RingType, randomBelow);
}
