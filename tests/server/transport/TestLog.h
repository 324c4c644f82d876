#pragma once

#include "core/ActivityLog.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// Installs an activity log in a temporary folder for one test and reads back its lines (the text
// after " - ").
class TestLog {
public:
    TestLog() {
        Log.open(Dir.filePath(QStringLiteral("log.txt")));
        InstallActivityLog(&Log);
    }
    ~TestLog() { InstallActivityLog(nullptr); }
    TestLog(const TestLog&) = delete;
    TestLog& operator=(const TestLog&) = delete;

    QStringList texts() const {
        QFile file(Dir.filePath(QStringLiteral("log.txt")));
        QStringList out;
        if (!file.open(QIODevice::ReadOnly))
            return out;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const int at = line.indexOf(" - ");
            if (at >= 0)
                out.append(QString::fromLocal8Bit(line.mid(at + 3)).trimmed());
        }
        return out;
    }
    int count(const QString& prefix) const {
        int n = 0;
        for (const QString& text : texts())
            n += text.startsWith(prefix) ? 1 : 0;
        return n;
    }

private:
    QTemporaryDir Dir;
    ActivityLog Log;
};
