#pragma once

#include <QString>

// Paths of the message store. Folder paths always end with '/'. Directory names are matched without
// regard to letter case, so "Inbox" in the tree and "inbox" on disk are the same folder.
namespace StorePaths {

QString CallsDir(const QString& datDir);        // datDir/calls/
QString InboxDir(const QString& datDir);        // datDir/calls/inbox/, as found on disk
QString DeletedItemsDir(const QString& datDir); // datDir/calls/deleted items/, as found on disk
QString PhonebookDir(const QString& datDir);    // datDir/phonebook/

// The directory `path` as it is spelt on disk: each component that does not exist as written is
// replaced by an existing directory whose name differs only in letter case. Components that match
// nothing keep their spelling. The result ends with '/'.
QString ResolveDir(const QString& path);

// Creates `path` with any missing parents. A trailing separator is dropped and doubled
// separators are collapsed first; an existing directory (in any letter case) is no error.
bool CreateDir(const QString& path);

// True when both name the same existing directory, or spell the same path without regard to case.
bool SameDirectory(const QString& a, const QString& b);

// Deletes every file lying directly in Deleted Items (the exit's "Remove" setting); sub-folders
// and failures are left alone. Returns the number of files deleted.
int EmptyDeletedItems(const QString& datDir);

// `dir` with exactly one trailing '/'.
QString WithSlash(const QString& dir);

} // namespace StorePaths
