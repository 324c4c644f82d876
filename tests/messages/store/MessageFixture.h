#pragma once

#include "messages/store/CallData.h"

#include <QDateTime>
#include <QString>

// Puts one stored message (info file and a small sound file) into `folder` (ending with '/').
Call_Info_Type PutMessage(const QString& folder, qint32 number, const QString& fullNumber,
                          const QDateTime& when, const QString& extension = UnreadExtension,
                          bool withWav = true);
bool Exists(const QString& path);
