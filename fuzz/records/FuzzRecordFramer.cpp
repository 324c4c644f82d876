// The listening port's framing state machine, without sockets: the input is cut into pieces
// (sizes taken from the input itself) and fed as a connection would deliver it. Whatever comes
// out must respect the bounds: records within their type's size, never more buffered than one
// record, nothing returned after the framer gave up.
#include "server/records/RecordFramer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 1)
        return 0;
    RecordFramer framer({1, 4, 6, 7, 8, 140});
    const int piece = 1 + bytes[0] % 97;
    const QByteArray data(reinterpret_cast<const char*>(bytes + 1), qsizetype(size - 1));
    bool aborted = false;
    for (qsizetype at = 0; at < data.size(); at += piece) {
        QByteArray chunk = data.mid(at, piece);
        for (;;) {
            const RecordFramer::Event e = framer.next(chunk);
            if (e.kind == RecordFramer::Event::NeedMore)
                break;
            if (aborted && e.kind != RecordFramer::Event::Abort)
                std::abort();
            if (e.kind == RecordFramer::Event::Abort) {
                aborted = true;
                if (!chunk.isEmpty())
                    std::abort();
                break;
            }
            if (e.kind == RecordFramer::Event::Record &&
                (e.record.size() != e.header.Size || e.header.Size < 16 ||
                 e.header.Size > RecordCapacity(e.header.ID)))
                std::abort();
        }
        if (framer.partialHeaderBytes() > 8)
            std::abort();
    }
    return 0;
}
