#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The one set of file helpers the program writes and reads its own files with.
namespace FileIO {

// Reads at most maxBytes; nullopt when the file cannot be opened or is larger than maxBytes.
std::optional<QByteArray> readBounded(const QString& path, qint64 maxBytes);

// Writes the whole file under a temporary name, flushes it and renames it over `path`,
// so a crash leaves either the old file or the new one, never half of one.
bool writeAtomic(const QString& path, const QByteArray& data, QString* error = nullptr);

// True when `name` can be used as one file or folder name inside a folder of ours:
// not empty, not "." or "..", no path separator, no NUL or control character.
bool isSafeFileName(const QString& name);

} // namespace FileIO
