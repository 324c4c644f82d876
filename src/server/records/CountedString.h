#pragma once

#include <QByteArray>
#include <QString>

// A counted string[N] takes N+1 bytes: a length byte L (0..N), then N single-byte characters of
// which only the first L count. Characters are Latin-1; a longer text keeps its first N characters.
namespace CountedString {

// Appends the N+1 bytes for `text` to `out` (unused characters are zero).
void put(QByteArray& out, const QString& text, int capacity);

// Reads a counted string[capacity] at `offset`; a length byte above the capacity is cut to it,
// and bytes beyond the end of `data` read as absent. Never reads outside `data`.
QString get(const QByteArray& data, qsizetype offset, int capacity);

// The text as it would be stored: its first `capacity` characters.
inline QString fit(const QString& text, int capacity) {
    return text.left(capacity);
}

} // namespace CountedString
