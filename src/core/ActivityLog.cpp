#include "core/ActivityLog.h"

#include <QDateTime>
#include <QLocale>
#include <atomic>

bool ActivityLog::open(const QString& path, QString* error) {
    QMutexLocker lock(&LogLock);
    if (LogFile.isOpen())
        LogFile.close();
    LogFile.setFileName(path);
    if (!LogFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = LogFile.errorString();
        return false;
    }
    return true;
}

bool ActivityLog::isOpen() const {
    QMutexLocker lock(&LogLock);
    return LogFile.isOpen();
}

QString ActivityLog::path() const {
    QMutexLocker lock(&LogLock);
    return LogFile.fileName();
}

QString ActivityLog::formatLine(const QDateTime& when, const QString& text) {
    const QLocale locale;
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), QLocale::LongFormat) + QStringLiteral(" - ") + text +
           QStringLiteral("\r\n");
}

void ActivityLog::write(const QString& text) {
    // Build the line outside the lock; only the write and flush need to be serialised.
    const QByteArray line = formatLine(QDateTime::currentDateTime(), text).toLocal8Bit();
    QMutexLocker lock(&LogLock);
    if (!LogFile.isOpen())
        return;
    LogFile.write(line);
    LogFile.flush();
}

namespace {
std::atomic<ActivityLog*> installedLog{nullptr};
}

void InstallActivityLog(ActivityLog* log) {
    installedLog.store(log);
}

void WriteLog(const QString& text) {
    if (ActivityLog* log = installedLog.load())
        log->write(text);
}
