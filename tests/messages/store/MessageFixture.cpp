#include "MessageFixture.h"

#include "messages/store/CallTime.h"

#include <QFile>
#include <QFileInfo>

Call_Info_Type PutMessage(const QString& folder, qint32 number, const QString& fullNumber,
                          const QDateTime& when, const QString& extension, bool withWav) {
    Call_Info_Type info;
    info.MsgNumber = number;
    info.Caller.FullNumber = fullNumber;
    info.CallTime = CallTime::fromDateTime(when);
    WriteInfoFile(folder, info, extension);
    if (withWav) {
        QFile wav(folder + MessageFileName(number) + QStringLiteral(".wav"));
        if (wav.open(QIODevice::WriteOnly))
            wav.write("RIFF");
    }
    return info;
}

bool Exists(const QString& path) {
    return QFileInfo::exists(path);
}
