#include "messages/reception/StreamFraming.h"

#include <cstdlib>

// The head parser sees whatever a peer sends. Beyond not crashing, its verdict must never change
// its mind as more bytes arrive: a complete or malformed head stays so whatever follows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto head = StreamFraming::parseHead(bytes);
    using Status = StreamFraming::Head::Status;
    if (head.status == Status::Complete) {
        if (head.headSize > bytes.size() || head.headSize > StreamFraming::MaxHeadSize ||
            head.dataLength < 0 || head.dataLength > 9999999999LL ||
            head.headSize != StreamFraming::TextLengthDigits + head.senderText.size() +
                                 StreamFraming::DataLengthDigits)
            std::abort();
    }
    if (head.status == Status::NeedMore && bytes.size() >= StreamFraming::MaxHeadSize)
        std::abort();
    for (qsizetype n = 0; n < bytes.size() && n < 64; ++n) {
        const auto prefix = StreamFraming::parseHead(bytes.first(n));
        if (prefix.status != Status::NeedMore && prefix.status != head.status)
            std::abort();
    }
    return 0;
}
