#include "server/records/ServerRecords.h"

#include "server/records/WireBytes.h"

namespace {

// Encodes the head, lets `body` write the fields, and pads to the record's size.
template <class R, class Body> QByteArray build(const R& r, Body body) {
    QByteArray out;
    r.Head.encode(out);
    WireWriter w(out);
    body(w);
    w.finish(R::Size);
    return out;
}

template <class R, class Fields> R parse(const QByteArray& data, Fields fields) {
    R r;
    const QByteArray bytes = OverlayRecord(r.encode(), data);
    r.Head = Msg_Base_Type::decode(bytes);
    fields(r, WireReader(bytes));
    return r;
}

void none(WireWriter&) {}

} // namespace

QByteArray Message_Notice_Type::encode() const {
    return build(*this, [this](WireWriter& w) {
        w.i32(MsgNumber);
        w.phone(Caller);
        w.zeros(3);
        w.f64(CallTime);
    });
}

Message_Notice_Type Message_Notice_Type::decode(const QByteArray& data) {
    return parse<Message_Notice_Type>(data, [](Message_Notice_Type& r, const WireReader& in) {
        r.MsgNumber = in.i32(16);
        r.Caller = in.phone(20);
        r.CallTime = in.f64(56);
    });
}

QByteArray Register_Response_Type::encode() const {
    return build(*this, [this](WireWriter& w) {
        w.i32(UserId);
        w.u8(Status);
    });
}

Register_Response_Type Register_Response_Type::decode(const QByteArray& data) {
    return parse<Register_Response_Type>(data, [](Register_Response_Type& r, const WireReader& in) {
        r.UserId = in.i32(16);
        r.Status = in.u8(20);
    });
}

QByteArray Client_Up_Response_Type::encode() const {
    return build(*this, [this](WireWriter& w) {
        w.u8(Status);
        w.phone(ServerPhone);
    });
}

Client_Up_Response_Type Client_Up_Response_Type::decode(const QByteArray& data) {
    return parse<Client_Up_Response_Type>(data,
                                          [](Client_Up_Response_Type& r, const WireReader& in) {
                                              r.Status = in.u8(16);
                                              r.ServerPhone = in.phone(17);
                                          });
}

QByteArray Server_Up_Type::encode() const {
    return build(*this, none);
}

Server_Up_Type Server_Up_Type::decode(const QByteArray& data) {
    return parse<Server_Up_Type>(data, [](Server_Up_Type&, const WireReader&) {});
}

QByteArray Client_Alive_Response_Type::encode() const {
    return build(*this, none);
}

Client_Alive_Response_Type Client_Alive_Response_Type::decode(const QByteArray& data) {
    return parse<Client_Alive_Response_Type>(data,
                                             [](Client_Alive_Response_Type&, const WireReader&) {});
}

QByteArray Version_Type::encode() const {
    return build(*this, [this](WireWriter& w) {
        w.text(Version, 6);
        w.text(DownloadBase, 40);
        w.u8(Optional);
    });
}

Version_Type Version_Type::decode(const QByteArray& data) {
    return parse<Version_Type>(data, [](Version_Type& r, const WireReader& in) {
        r.Version = in.text(16, 6);
        r.DownloadBase = in.text(23, 40);
        r.Optional = in.u8(64);
    });
}

QByteArray Incoming_Call_Type::encode() const {
    return build(*this, [this](WireWriter& w) { w.phone(Caller); });
}

Incoming_Call_Type Incoming_Call_Type::decode(const QByteArray& data) {
    return parse<Incoming_Call_Type>(
        data, [](Incoming_Call_Type& r, const WireReader& in) { r.Caller = in.phone(16); });
}

QByteArray Incoming_Call_End_Type::encode() const {
    return build(*this, none);
}

Incoming_Call_End_Type Incoming_Call_End_Type::decode(const QByteArray& data) {
    return parse<Incoming_Call_End_Type>(data, [](Incoming_Call_End_Type&, const WireReader&) {});
}

QByteArray Commercial_Type::encode() const {
    return build(*this, [this](WireWriter& w) {
        w.zeros(4);
        w.text(Link, 255);
    });
}

Commercial_Type Commercial_Type::decode(const QByteArray& data) {
    return parse<Commercial_Type>(
        data, [](Commercial_Type& r, const WireReader& in) { r.Link = in.text(20, 255); });
}

QByteArray Text_Message_Type::encode() const {
    return build(*this, [this](WireWriter& w) { w.text(Text, 255); });
}

Text_Message_Type Text_Message_Type::decode(const QByteArray& data) {
    return parse<Text_Message_Type>(
        data, [](Text_Message_Type& r, const WireReader& in) { r.Text = in.text(16, 255); });
}
