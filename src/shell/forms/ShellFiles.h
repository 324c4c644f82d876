#pragma once

#include <QString>
#include <QUrl>

// File-system chores of start-up and exit, and where the help pages are.
namespace ShellFiles {

// Makes sure dat/calls/inbox, dat/calls/deleted items and dat/phonebook exist below
// `programDir`, parents included. A trailing separator and doubled separators are dropped first.
// False with the first folder that could not be made.
bool CreateDataFolders(const QString& programDir, QString* failed = nullptr);

// Deletes every plain file directly inside `dir`; sub-folders stay, failures are ignored.
void DeleteFilesIn(const QString& dir);

// The reminder hint: its fixed text, the code that cancels forwarding, then one ".".
QString ReminderHint(const QString& followMeHangup);

// The help page for a help context, inside the help folder `helpDir`.
QUrl HelpUrl(const QString& helpDir, int context);

} // namespace ShellFiles
