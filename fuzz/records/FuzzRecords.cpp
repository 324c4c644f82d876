// Every record decoder over arbitrary bytes: nothing read outside the input, no crash, and each
// decoded record encodes back to exactly its size.
#include "server/records/ClientRecords.h"
#include "server/records/ServerRecords.h"

#include <cstdint>
#include <cstdlib>

namespace {

template <class R> void check(const QByteArray& data) {
    const R record = R::decode(data);
    if (record.encode().size() != R::Size)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray data(reinterpret_cast<const char*>(bytes), qsizetype(size));
    check<Message_Notice_Type>(data);
    check<Register_Response_Type>(data);
    check<Client_Up_Response_Type>(data);
    check<Server_Up_Type>(data);
    check<Client_Alive_Response_Type>(data);
    check<Version_Type>(data);
    check<Incoming_Call_Type>(data);
    check<Incoming_Call_End_Type>(data);
    check<Commercial_Type>(data);
    check<Text_Message_Type>(data);
    check<Client_Up_Type>(data);
    check<Client_Down_Type>(data);
    check<Client_Alive_Type>(data);
    check<Register_Type>(data);
    check<Call_Answer_Type>(data);
    (void)GetDisplayNumber(Phone_Number_Type::decode(data, 0));
    (void)Msg_Header_Type::decode(data);
    return 0;
}
