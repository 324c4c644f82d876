#pragma once

#include "server/records/PhoneNumber.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct LiveSettings;

// The phonebook's name for a display number; an empty result means the number has no entry.
using NameLookup = std::function<QString(const QString& displayNumber)>;

// The caller's name as the user is told it: the phonebook's, or "unknown".
QString CallerName(const NameLookup& lookup, const Phone_Number_Type& caller);

// "You have a new telephone message from <number> (<name>). Would you like to hear it now?"
QString NewMessageText(const QString& displayNumber, const QString& name);
// "You have a phone call from <number> (<name>). Would you like to answer?"
QString IncomingCallText(const QString& displayNumber, const QString& name);

inline const QString IncomingCallCaption = QStringLiteral("You have a phone call");

// The ring a new message or a call plays under these settings, or nothing when ringing is off.
// `ringList` is the properties dialog's list (ring files, then "Random").
std::optional<QString> ChooseRing(const LiveSettings& settings, const QString& ringsDir,
                                  const QStringList& ringList,
                                  const std::function<int(int)>& randomBelow);
