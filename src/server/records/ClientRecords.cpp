#include "server/records/ClientRecords.h"

#include "server/records/WireBytes.h"

QByteArray Client_Up_Type::encode() const {
    QByteArray out;
    WireWriter w(out);
    Head.encode(out);
    w.i32(LastId);
    w.i32(UserId);
    w.phone(Phone);
    w.text(Version, 6);
    w.phone(ServerPhone);
    w.finish(Size);
    return out;
}

Client_Up_Type Client_Up_Type::decode(const QByteArray& data) {
    Client_Up_Type r;
    const QByteArray bytes = OverlayRecord(r.encode(), data);
    const WireReader in(bytes);
    r.Head = Msg_Base_Type::decode(bytes);
    r.LastId = in.i32(16);
    r.UserId = in.i32(20);
    r.Phone = in.phone(24);
    r.Version = in.text(57, 6);
    r.ServerPhone = in.phone(64);
    return r;
}

namespace {

template <class R> QByteArray encodePresence(const R& r) {
    QByteArray out;
    WireWriter w(out);
    r.Head.encode(out);
    w.i32(r.UserId);
    w.phone(r.Phone);
    w.finish(R::Size);
    return out;
}

template <class R> R decodePresence(const QByteArray& data) {
    R r;
    const QByteArray bytes = OverlayRecord(r.encode(), data);
    const WireReader in(bytes);
    r.Head = Msg_Base_Type::decode(bytes);
    r.UserId = in.i32(16);
    r.Phone = in.phone(20);
    return r;
}

} // namespace

QByteArray Client_Down_Type::encode() const {
    return encodePresence(*this);
}

Client_Down_Type Client_Down_Type::decode(const QByteArray& data) {
    return decodePresence<Client_Down_Type>(data);
}

QByteArray Client_Alive_Type::encode() const {
    return encodePresence(*this);
}

Client_Alive_Type Client_Alive_Type::decode(const QByteArray& data) {
    return decodePresence<Client_Alive_Type>(data);
}

QByteArray Register_Type::encode() const {
    QByteArray out;
    WireWriter w(out);
    Head.encode(out);
    w.text(Address, 128);
    w.text(EMail, 64);
    w.text(NickName, 32);
    w.text(FirstName, 32);
    w.text(LastName, 32);
    w.text(Password, 16);
    w.phone(Phone);
    w.phone(SecondPhone);
    w.text(ZipCode, 5);
    w.text(Age, 3);
    w.text(Country, 32);
    w.text(State, 3);
    w.u8(Update);
    w.i32(UserId);
    w.text(Version, 6);
    w.finish(Size);
    return out;
}

Register_Type Register_Type::decode(const QByteArray& data) {
    Register_Type r;
    const QByteArray bytes = OverlayRecord(r.encode(), data);
    const WireReader in(bytes);
    r.Head = Msg_Base_Type::decode(bytes);
    r.Address = in.text(16, 128);
    r.EMail = in.text(145, 64);
    r.NickName = in.text(210, 32);
    r.FirstName = in.text(243, 32);
    r.LastName = in.text(276, 32);
    r.Password = in.text(309, 16);
    r.Phone = in.phone(326);
    r.SecondPhone = in.phone(359);
    r.ZipCode = in.text(392, 5);
    r.Age = in.text(398, 3);
    r.Country = in.text(402, 32);
    r.State = in.text(435, 3);
    r.Update = in.u8(439);
    r.UserId = in.i32(440);
    r.Version = in.text(444, 6);
    return r;
}

QByteArray Call_Answer_Type::encode() const {
    QByteArray out;
    WireWriter w(out);
    Head.encode(out);
    w.u8(Answer);
    w.finish(Size);
    return out;
}

Call_Answer_Type Call_Answer_Type::decode(const QByteArray& data) {
    Call_Answer_Type r;
    const QByteArray bytes = OverlayRecord(r.encode(), data);
    r.Head = Msg_Base_Type::decode(bytes);
    r.Answer = WireReader(bytes).u8(16);
    return r;
}
