#pragma once

#include <QByteArray>
#include <QString>

// The 33-byte phone-number record embedded in wire records, info files and phonebook keys.
struct Phone_Number_Type {
    static constexpr int Size = 33;

    QString AreaCode;    // counted string[3]  at 0
    QString Prefix;      // counted string[3]  at 4
    QString LocalNumber; // counted string[7]  at 8
    QString FullNumber;  // counted string[16] at 16

    Phone_Number_Type() = default;
    // From an area code and a number: first 3 and first 7 characters, Prefix and FullNumber empty.
    Phone_Number_Type(const QString& areaCode, const QString& number);

    // Each field cut to its capacity, as a copy into a stored record does.
    Phone_Number_Type fitted() const;

    void encode(QByteArray& out) const;
    static Phone_Number_Type decode(const QByteArray& data, qsizetype offset);

    bool operator==(const Phone_Number_Type&) const = default;
};

// The number as shown, dialled and used as the phonebook key: FullNumber when set, otherwise
// (Prefix + AreaCode cut to 6) + LocalNumber, cut to 13.
QString GetDisplayNumber(const Phone_Number_Type& phone);
