#include "messages/store/StorePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace StorePaths {

QString WithSlash(const QString& dir) {
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')))
        return dir;
    return dir + QLatin1Char('/');
}

QString CallsDir(const QString& datDir) {
    return WithSlash(datDir) + QStringLiteral("calls/");
}

QString InboxDir(const QString& datDir) {
    return ResolveDir(CallsDir(datDir) + QStringLiteral("inbox/"));
}

QString DeletedItemsDir(const QString& datDir) {
    return ResolveDir(CallsDir(datDir) + QStringLiteral("deleted items/"));
}

QString PhonebookDir(const QString& datDir) {
    return WithSlash(datDir) + QStringLiteral("phonebook/");
}

namespace {
QString join(const QString& base, const QString& name) {
    if (base.isEmpty())
        return name;
    if (base.endsWith(QLatin1Char('/')))
        return base + name;
    return base + QLatin1Char('/') + name;
}

// Collapses "//" runs, so "a//b/" and "a/b/" name the same folder.
QString collapseSeparators(QString path) {
    const bool absolute = path.startsWith(QLatin1Char('/'));
    while (path.contains(QStringLiteral("//")))
        path.replace(QStringLiteral("//"), QStringLiteral("/"));
    if (absolute && !path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    return path;
}
} // namespace

QString ResolveDir(const QString& path) {
    const QString clean = collapseSeparators(path);
    QString current = clean.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    bool searching = true;
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        QString next = join(current, part);
        if (searching && part != QLatin1String(".") && part != QLatin1String("..") &&
            !QFileInfo(next).isDir()) {
            const QDir parent(current.isEmpty() ? QStringLiteral(".") : current);
            const QStringList entries = parent.entryList(
                QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
            bool found = false;
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = join(current, entry);
                    found = true;
                    break;
                }
            }
            // Below a component that does not exist nothing can exist either.
            searching = found;
        }
        current = next;
    }
    return WithSlash(current.isEmpty() ? QStringLiteral("./") : current);
}

bool CreateDir(const QString& path) {
    QString dir = collapseSeparators(path);
    if (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    const QString resolved = ResolveDir(dir);
    if (QFileInfo(resolved).isDir())
        return true;
    return QDir().mkpath(resolved) && QFileInfo(resolved).isDir();
}

bool SameDirectory(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    const QString pa = QDir::cleanPath(QDir().absoluteFilePath(a));
    const QString pb = QDir::cleanPath(QDir().absoluteFilePath(b));
    return pa.compare(pb, Qt::CaseInsensitive) == 0;
}

int EmptyDeletedItems(const QString& datDir) {
    const QDir dir(DeletedItemsDir(datDir));
    if (!dir.exists())
        return 0;
    int deleted = 0;
    const QStringList files =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& file : files)
        deleted += QFile::remove(dir.filePath(file)) ? 1 : 0;
    return deleted;
}

} // namespace StorePaths
