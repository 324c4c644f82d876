#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>

// Every file under `root` with its bytes, keyed by its path relative to `root`: comparing two
// snapshots shows any file the phonebook created, changed or removed, inside its folder or not.
inline QMap<QString, QByteArray> snapshotFiles(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        files.insert(QDir(root).relativeFilePath(path),
                     f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

// Puts at `path` a regular file that opens but cannot be read. Permissions cannot do that for
// root, who runs the tests; this process's own memory file fails with an I/O error at offset 0.
inline bool makeUnreadableFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return QFile::link(QStringLiteral("/proc/self/mem"), path);
}

// The bytes an entry file must hold, laid out by hand (not by the code under test).
inline QByteArray entryFileBytes(const QByteArray& first, const QByteArray& last,
                                 const QByteArray& second, const QByteArray& email) {
    QByteArray out(148, '\0');
    auto place = [&out](int offset, const QByteArray& text) {
        out[offset] = char(text.size());
        for (int i = 0; i < text.size(); ++i)
            out[offset + 1 + i] = text[i];
    };
    place(0, first);
    place(33, last);
    place(66, second);
    place(83, email);
    return out;
}
