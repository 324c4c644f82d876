#pragma once

#include "server/records/PhoneNumber.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <optional>

// The 45-byte info file (".cxn" unread, ".cxo" read) that describes one stored message:
// MsgNumber int32 at 0, Caller (33 bytes) at 4, CallTime double at 37, little-endian.
struct Call_Info_Type {
    static constexpr int Size = 45;

    qint32 MsgNumber = 0;
    Phone_Number_Type Caller;
    double CallTime = 0; // days since 30 December 1899, the fraction being the time of day

    QByteArray encode() const;
    // A field a short file does not hold whole stays zero (the caller's strings keep the characters
    // that are there); extra bytes are ignored.
    static Call_Info_Type decode(const QByteArray& data);
};

inline const QString UnreadExtension = QStringLiteral(".cxn");
inline const QString ReadExtension = QStringLiteral(".cxo");

// The file name stem of a message: its number with at least 8 digits, "00000042".
QString MessageFileName(qint32 msgNumber);

// One listed message: which folder holds its files, whether it was played, who called and when.
class Call_Data_Type {
public:
    Call_Data_Type() = default;
    Call_Data_Type(qint32 msgNumber, QString extension, QString folder, double callTime,
                   Phone_Number_Type caller);

    QString Folder;    // directory path with trailing '/'
    QString Extension; // ".cxn" or ".cxo"
    Phone_Number_Type Caller;
    qint32 MsgNumber = 0;
    double CallTime = 0;

    QString GetInfoPath() const { return Folder + GetInfoName(); }
    QString GetBasePath() const { return Folder + MessageFileName(MsgNumber); }
    QString GetInfoName() const { return MessageFileName(MsgNumber) + Extension; }
    QString GetWavName() const { return MessageFileName(MsgNumber) + QStringLiteral(".wav"); }
    QString GetWavPath() const { return Folder + GetWavName(); }
    void SetExtension(const QString& extension) { Extension = extension; }

    bool IsUnread() const { return Extension.compare(UnreadExtension, Qt::CaseInsensitive) == 0; }
};
Q_DECLARE_METATYPE(Call_Data_Type)

// Writes folder + stem + extension whole (atomically). `folder` ends with '/'.
bool WriteInfoFile(const QString& folder, const Call_Info_Type& info, const QString& extension,
                   QString* error = nullptr);
// Reads an info file; nullopt when it cannot be opened. A short file gives what it holds.
std::optional<Call_Info_Type> ReadInfoFile(const QString& path);

// Turns an unread message into a read one: renames its ".cxn" to ".cxo" (logging
// "Error Renaming <path>" when that fails) and sets the extension either way. True when the
// message was unread.
bool MarkRead(Call_Data_Type& record);
