#include "server/records/PhoneNumber.h"

#include "server/records/CountedString.h"

Phone_Number_Type::Phone_Number_Type(const QString& areaCode, const QString& number)
    : AreaCode(areaCode.left(3)), LocalNumber(number.left(7)) {}

Phone_Number_Type Phone_Number_Type::fitted() const {
    Phone_Number_Type p;
    p.AreaCode = AreaCode.left(3);
    p.Prefix = Prefix.left(3);
    p.LocalNumber = LocalNumber.left(7);
    p.FullNumber = FullNumber.left(16);
    return p;
}

void Phone_Number_Type::encode(QByteArray& out) const {
    CountedString::put(out, AreaCode, 3);
    CountedString::put(out, Prefix, 3);
    CountedString::put(out, LocalNumber, 7);
    CountedString::put(out, FullNumber, 16);
}

Phone_Number_Type Phone_Number_Type::decode(const QByteArray& data, qsizetype offset) {
    Phone_Number_Type p;
    p.AreaCode = CountedString::get(data, offset + 0, 3);
    p.Prefix = CountedString::get(data, offset + 4, 3);
    p.LocalNumber = CountedString::get(data, offset + 8, 7);
    p.FullNumber = CountedString::get(data, offset + 16, 16);
    return p;
}

QString GetDisplayNumber(const Phone_Number_Type& phone) {
    if (!phone.FullNumber.isEmpty())
        return phone.FullNumber.left(16);
    return ((phone.Prefix + phone.AreaCode).left(6) + phone.LocalNumber).left(13);
}
