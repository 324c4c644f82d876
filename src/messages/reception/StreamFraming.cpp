#include "messages/reception/StreamFraming.h"

namespace StreamFraming {

QByteArray okReply() {
    QByteArray reply("OK");
    reply.append(ReplySize - reply.size(), ' ');
    return reply;
}

std::optional<qint64> parseLengthField(QByteArrayView field) {
    qsizetype i = 0;
    while (i < field.size() && field[i] == ' ')
        ++i;
    if (i == field.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        // Ten digits stay far below the qint64 range, so no overflow check is needed here.
        value = value * 10 + (c - '0');
    }
    return value;
}

Head parseHead(QByteArrayView received) {
    Head head;
    if (received.size() < TextLengthDigits)
        return head;
    const auto textLength = parseLengthField(received.first(TextLengthDigits));
    if (!textLength) {
        head.status = Head::Status::Malformed;
        return head;
    }
    const qint64 dataFieldAt = TextLengthDigits + *textLength;
    if (received.size() < dataFieldAt + DataLengthDigits)
        return head;
    const auto dataLength = parseLengthField(received.sliced(dataFieldAt, DataLengthDigits));
    if (!dataLength) {
        head.status = Head::Status::Malformed;
        return head;
    }
    head.status = Head::Status::Complete;
    head.headSize = dataFieldAt + DataLengthDigits;
    head.senderText = received.sliced(TextLengthDigits, *textLength).toByteArray();
    head.dataLength = *dataLength;
    return head;
}

} // namespace StreamFraming
