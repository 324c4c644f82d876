#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

// The framing of a stream message as it arrives on one connection: a 4-digit length, that many
// bytes of sender's text, a 10-digit data length, then the data. The receiver answers with a
// fixed 16-byte "OK" once the data has been read. Pure functions over bytes, so the head can be
// checked the moment it is complete, before any data is accepted.
namespace StreamFraming {

inline constexpr int TextLengthDigits = 4;
inline constexpr int DataLengthDigits = 10;
inline constexpr int ReplySize = 16;
// The longest head there can be: the text length field, 9999 bytes of text, the data length field.
inline constexpr qint64 MaxHeadSize = TextLengthDigits + 9999 + DataLengthDigits;

// "OK" followed by 14 blanks.
QByteArray okReply();

// A decimal length field: optional leading blanks, then at least one digit, digits to the end.
// Anything else (signs, trailing blanks, other characters) is not a length.
std::optional<qint64> parseLengthField(QByteArrayView field);

struct Head {
    enum class Status {
        NeedMore,  // every byte so far fits the framing; the head is not complete yet
        Complete,  // the head is whole; data starts at headSize
        Malformed, // a length field is not a decimal number; the stream can never be valid
    };
    Status status = Status::NeedMore;
    qint64 headSize = 0;
    QByteArray senderText;
    qint64 dataLength = 0;
};

// Looks at the bytes received so far (they may already hold data after the head). Checks each
// length field as soon as its bytes are there.
Head parseHead(QByteArrayView received);

} // namespace StreamFraming
