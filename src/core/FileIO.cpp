#include "core/FileIO.h"

#include <QFile>
#include <QSaveFile>

namespace FileIO {

std::optional<QByteArray> readBounded(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.read(maxBytes + 1);
    if (data.size() > maxBytes)
        return std::nullopt;
    return data;
}

bool writeAtomic(const QString& path, const QByteArray& data, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool isSafeFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
            c.unicode() == 0x7f)
            return false;
    }
    return true;
}

} // namespace FileIO
