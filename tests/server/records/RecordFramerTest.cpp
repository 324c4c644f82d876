#include "server/records/RecordFramer.h"
#include "server/records/ClientRecords.h"
#include "server/records/ServerRecords.h"

#include <gtest/gtest.h>

namespace {

const QList<quint8> ListenIds = {1, 4, 6, 7, 8, 140};

QByteArray header(quint8 id, qint32 size) {
    QByteArray out;
    Msg_Header_Type{id, MakeCheck(id, size), size}.encode(out);
    return out;
}

// Feeds `input` in pieces of `piece` bytes and collects every event but NeedMore.
QList<RecordFramer::Event> feed(RecordFramer& framer, const QByteArray& input, int piece) {
    QList<RecordFramer::Event> events;
    for (qsizetype at = 0; at < input.size(); at += piece) {
        QByteArray chunk = input.mid(at, piece);
        for (;;) {
            RecordFramer::Event e = framer.next(chunk);
            if (e.kind == RecordFramer::Event::NeedMore)
                break;
            events.append(e);
            if (e.kind == RecordFramer::Event::Abort)
                return events;
        }
    }
    return events;
}

} // namespace

// However the bytes are split, each record comes out once, whole.
TEST(RecordFramer, RecordsInAnyPieces) {
    Message_Notice_Type notice;
    notice.MsgNumber = 42;
    Text_Message_Type text;
    text.Text = QStringLiteral("hi");
    const QByteArray stream = notice.encode() + text.encode() + Server_Up_Type().encode();
    for (int piece : {1, 2, 7, 8, 9, 67, 68, 69, 500}) {
        SCOPED_TRACE(piece);
        RecordFramer framer(ListenIds);
        const auto events = feed(framer, stream, piece);
        ASSERT_EQ(events.size(), 3);
        EXPECT_EQ(events[0].kind, RecordFramer::Event::Record);
        EXPECT_EQ(events[0].record, notice.encode());
        EXPECT_EQ(events[1].record, text.encode());
        EXPECT_EQ(events[2].header.ID, 4);
        EXPECT_TRUE(framer.betweenRecords());
    }
}

// Headers the port cannot take are reported once; their rest is dropped and the stream goes on
// with the next record, unless the rest is beyond what may be dropped.
TEST(RecordFramer, HostileSizes) {
    struct Row {
        const char* what;
        quint8 id;
        qint32 size;
        qsizetype restSent; // bytes of the bad record's rest actually sent
        bool followingRecordSeen;
        bool aborts;
    };
    const Row rows[] = {
        {"unknown id, header only", 9, 16, 8, true, false},
        {"unknown id, size below header", 9, 3, 0, true, false},
        {"known id, size below head", 1, 8, 0, true, false},
        {"known id, size below head with body", 1, 12, 4, true, false},
        {"known id, larger than its type", 1, 200, 192, true, false},
        {"incoming call beyond 56", 7, 57, 49, true, false},
        {"negative size", 9, -1, 100000, false, true},
        {"huge size", 140, 0x7fffffff, 100000, false, true},
        {"just droppable", 9, 100008, 100000, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        RecordFramer framer(ListenIds);
        const QByteArray stream =
            header(row.id, row.size) + QByteArray(row.restSent, '\x01') + Server_Up_Type().encode();
        const auto events = feed(framer, stream, 4096);
        ASSERT_GE(events.size(), 1);
        EXPECT_EQ(events[0].kind, RecordFramer::Event::Unrecognised);
        EXPECT_EQ(events[0].header.ID, row.id);
        EXPECT_EQ(events[0].header.Size, row.size);
        const bool sawServerUp = events.size() > 1 &&
                                 events[1].kind == RecordFramer::Event::Record &&
                                 events[1].header.ID == 4;
        EXPECT_EQ(sawServerUp, row.followingRecordSeen);
        EXPECT_EQ(events.last().kind == RecordFramer::Event::Abort, row.aborts);
    }
}

TEST(RecordFramer, RecordSizesWithinTheTypeAreTaken) {
    RecordFramer framer(ListenIds);
    Incoming_Call_Type call;
    call.Head = Msg_Base_Type::make(7, 49);
    const auto events = feed(framer, call.encode().left(49) + Incoming_Call_End_Type().encode(), 5);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].record.size(), 49);
    EXPECT_EQ(events[1].header.ID, 8);
}

TEST(RecordFramer, StopsAfterTooManyUnrecognised) {
    RecordFramer framer(ListenIds);
    QByteArray stream;
    for (int i = 0; i < 100; ++i)
        stream += header(9, 8);
    const auto events = feed(framer, stream, 4096);
    ASSERT_EQ(events.size(), RecordFramer::MaxUnrecognised + 1);
    EXPECT_EQ(events.last().kind, RecordFramer::Event::Abort);
    QByteArray more = Server_Up_Type().encode();
    EXPECT_EQ(framer.next(more).kind, RecordFramer::Event::Abort);
    EXPECT_TRUE(more.isEmpty());
}

TEST(RecordFramer, ReportsWhereACutStreamStopped) {
    RecordFramer framer(ListenIds);
    QByteArray some = Message_Notice_Type().encode().left(5);
    EXPECT_EQ(framer.next(some).kind, RecordFramer::Event::NeedMore);
    EXPECT_EQ(framer.partialHeaderBytes(), 5);
    QByteArray rest = Message_Notice_Type().encode().mid(5, 20);
    framer.next(rest);
    EXPECT_TRUE(framer.inBody());
    EXPECT_EQ(framer.currentHeader().ID, 1);
    EXPECT_FALSE(framer.betweenRecords());
}
