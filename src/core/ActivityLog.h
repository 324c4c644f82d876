#pragma once

#include <QFile>
#include <QMutex>
#include <QString>

// The activity log dat/log.txt: one line per call, "<short date> <long time> - <text>" + CR LF,
// flushed before the call returns. Any thread may write; the lock keeps lines whole and in call
// order.
class ActivityLog {
public:
    ActivityLog() = default;
    ActivityLog(const ActivityLog&) = delete;
    ActivityLog& operator=(const ActivityLog&) = delete;

    // Empties (or creates) the file; false with a reason when it cannot be opened.
    bool open(const QString& path, QString* error = nullptr);
    bool isOpen() const;
    void write(const QString& text);
    QString path() const;

    // The line written for `text` at `when`, in the user's locale formats.
    static QString formatLine(const QDateTime& when, const QString& text);

private:
    mutable QMutex LogLock;
    QFile LogFile;
};

// The process-wide log the program writes through. Installing nullptr turns logging off.
void InstallActivityLog(ActivityLog* log);
void WriteLog(const QString& text);
