#include "server/records/RecordFramer.h"

#include <algorithm>

RecordFramer::RecordFramer(QList<quint8> ids) : Ids(std::move(ids)) {}

bool RecordFramer::accepts(const Msg_Header_Type& header) const {
    if (!Ids.contains(header.ID))
        return false;
    return header.Size >= Msg_Base_Type::Bytes && header.Size <= RecordCapacity(header.ID);
}

bool RecordFramer::betweenRecords() const {
    return State == Phase::Header && Buffer.isEmpty();
}

RecordFramer::Event RecordFramer::next(QByteArray& input) {
    Event event;
    for (;;) {
        switch (State) {
        case Phase::Stopped:
            input.clear();
            event.kind = Event::Abort;
            return event;

        case Phase::Header: {
            const qsizetype take =
                std::min<qsizetype>(Msg_Header_Type::Bytes - Buffer.size(), input.size());
            Buffer.append(input.constData(), take);
            input.remove(0, take);
            if (Buffer.size() < Msg_Header_Type::Bytes)
                return event; // NeedMore
            Header = Msg_Header_Type::decode(Buffer);
            if (accepts(Header)) {
                State = Phase::Body;
                Buffer.reserve(Header.Size);
                break;
            }
            Buffer.clear();
            const quint32 announced = static_cast<quint32>(Header.Size);
            const quint32 rest = announced > Msg_Header_Type::Bytes ? announced - 8u : 0u;
            DropLeft = std::min(rest, MaxDrop);
            AbortAfterDrop = rest > MaxDrop || ++Unrecognised >= MaxUnrecognised;
            State = Phase::Drain;
            event.kind = Event::Unrecognised;
            event.header = Header;
            if (DropLeft == 0 && AbortAfterDrop)
                State = Phase::Stopped;
            else if (DropLeft == 0)
                State = Phase::Header;
            return event;
        }

        case Phase::Body: {
            const qsizetype take = std::min<qsizetype>(Header.Size - Buffer.size(), input.size());
            Buffer.append(input.constData(), take);
            input.remove(0, take);
            if (Buffer.size() < Header.Size)
                return event; // NeedMore
            event.kind = Event::Record;
            event.header = Header;
            event.record = std::move(Buffer);
            Buffer = QByteArray();
            State = Phase::Header;
            return event;
        }

        case Phase::Drain: {
            const qsizetype take = std::min<qsizetype>(DropLeft, input.size());
            input.remove(0, take);
            DropLeft -= static_cast<quint32>(take);
            if (DropLeft > 0)
                return event; // NeedMore
            if (AbortAfterDrop) {
                State = Phase::Stopped;
                break;
            }
            State = Phase::Header;
            break;
        }
        }
    }
}
