#include "shell/forms/ShellFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace ShellFiles {

bool CreateDataFolders(const QString& programDir, QString* failed) {
    const QString base = QDir::cleanPath(programDir);
    for (const char* rel : {"dat/calls/inbox", "dat/calls/deleted items", "dat/phonebook"}) {
        const QString path = QDir::cleanPath(base + QLatin1Char('/') + QLatin1String(rel));
        if (!QDir().mkpath(path)) {
            if (failed)
                *failed = path;
            return false;
        }
    }
    return true;
}

void DeleteFilesIn(const QString& dir) {
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext())
        QFile::remove(it.next());
}

QString ReminderHint(const QString& followMeHangup) {
    return QStringLiteral("Nirvo performs follow me dial when you press connect.\r\n"
                          "The phone line may remain in follow me status.\r\n"
                          "Check if you have a dialing tone in your phone when you are done using "
                          "Nirvo.\r\n"
                          "If you don't have a regular dialing tone, dial ") +
           followMeHangup + QLatin1Char('.');
}

QUrl HelpUrl(const QString& helpDir, int context) {
    QString page;
    switch (context) {
    case 110:
        page = QStringLiteral("folders.html");
        break;
    case 111:
        page = QStringLiteral("messages.html");
        break;
    case 140:
        page = QStringLiteral("connect.html");
        break;
    case 150:
        page = QStringLiteral("mainwindow.html");
        break;
    default: // context 1 and anything unknown: the contents page
        page = QStringLiteral("index.html");
        break;
    }
    return QUrl::fromLocalFile(QDir(helpDir).absoluteFilePath(page));
}

} // namespace ShellFiles
