#include "server/records/CountedString.h"

namespace CountedString {

void put(QByteArray& out, const QString& text, int capacity) {
    const QByteArray bytes = text.left(capacity).toLatin1();
    out.append(static_cast<char>(bytes.size()));
    out.append(bytes);
    out.append(QByteArray(capacity - bytes.size(), '\0'));
}

QString get(const QByteArray& data, qsizetype offset, int capacity) {
    if (offset < 0 || offset >= data.size())
        return {};
    qsizetype length = static_cast<unsigned char>(data[offset]);
    if (length > capacity)
        length = capacity;
    const qsizetype available = data.size() - offset - 1;
    if (length > available)
        length = available;
    return QString::fromLatin1(data.constData() + offset + 1, length);
}

} // namespace CountedString
