#include "messages/store/CallData.h"

#include "core/ActivityLog.h"
#include "core/FileIO.h"

#include <QFile>
#include <QtEndian>
#include <bit>
#include <cstring>

QByteArray Call_Info_Type::encode() const {
    QByteArray out;
    out.reserve(Size);
    char number[4];
    qToLittleEndian<qint32>(MsgNumber, number);
    out.append(number, 4);
    Caller.encode(out);
    char time[8];
    qToLittleEndian<quint64>(std::bit_cast<quint64>(CallTime), time);
    out.append(time, 8);
    return out;
}

Call_Info_Type Call_Info_Type::decode(const QByteArray& data) {
    // A field the data does not hold whole keeps its zero value.
    const QByteArray bytes = data.left(Size);
    Call_Info_Type info;
    if (bytes.size() >= 4)
        info.MsgNumber = qFromLittleEndian<qint32>(bytes.constData());
    info.Caller = Phone_Number_Type::decode(bytes, 4);
    if (bytes.size() >= Size)
        info.CallTime = std::bit_cast<double>(qFromLittleEndian<quint64>(bytes.constData() + 37));
    return info;
}

QString MessageFileName(qint32 msgNumber) {
    return QString::asprintf("%.8d", msgNumber);
}

Call_Data_Type::Call_Data_Type(qint32 msgNumber, QString extension, QString folder, double callTime,
                               Phone_Number_Type caller)
    : Folder(std::move(folder)), Extension(std::move(extension)), Caller(std::move(caller)),
      MsgNumber(msgNumber), CallTime(callTime) {}

bool WriteInfoFile(const QString& folder, const Call_Info_Type& info, const QString& extension,
                   QString* error) {
    return FileIO::writeAtomic(folder + MessageFileName(info.MsgNumber) + extension, info.encode(),
                               error);
}

std::optional<Call_Info_Type> ReadInfoFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return Call_Info_Type::decode(file.read(Call_Info_Type::Size));
}

bool MarkRead(Call_Data_Type& record) {
    if (!record.IsUnread())
        return false;
    const QString from = record.GetInfoPath();
    if (!QFile::rename(from, record.GetBasePath() + ReadExtension))
        WriteLog(QStringLiteral("Error Renaming ") + from);
    record.SetExtension(ReadExtension);
    return true;
}
