#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class AppMessenger;
class Phonebook_Entry_Type;

// The phonebook on disk: one file per entry in one folder, named after the entry's home number.
// A number is text from the network or the user, so it names a file only when it is a plain file
// name that cannot leave the folder; any other number has no entry and cannot be saved.
//
// The store also answers the one question the rest of the program asks of the phonebook: the name
// for a caller's number. Answers are remembered, so each entry file is read at most once until
// the entry is saved, erased or the list is reloaded.
class PhonebookStore {
public:
    // `folder` is the phonebook folder (dat/phonebook relative to the program's folder).
    PhonebookStore(QString folder, AppMessenger& messenger);

    const QString& folder() const { return Folder; }

    // True when `number` can name an entry file: 1 to 16 characters, single-byte, no path
    // separator, no "..", no control character.
    static bool isStorableNumber(const QString& number);
    // The entry file of `number`, or an empty string when the number cannot name one.
    QString entryPath(const QString& number) const;
    // Whether an entry file exists for exactly this number.
    bool hasEntry(const QString& number) const;

    // Reads the entry file of entry.HomeNumber into the other four fields. On failure the user is
    // told ("Can not open phonebook") and the fields not read stay empty.
    bool Load(Phonebook_Entry_Type& entry);
    // Writes the entry file whole (every field cut to its capacity, the home number too),
    // replacing any earlier one. On failure the user is told ("Phonebook error") and no file is
    // changed.
    bool Save(const Phonebook_Entry_Type& entry);
    // Deletes the entry file; failures are not reported.
    bool Erase(const QString& number);

    // The home numbers of every entry file, in the order the file system gives them; each is the
    // file name without ".phn", cut to 16 characters.
    QStringList listNumbers() const;

    // The full name of the entry whose home number is exactly `displayNumber`, or an empty string
    // when there is none. A found name is never empty: it holds at least the separating space.
    QString LookupName(const QString& displayNumber);
    // LookupName bound to this store, for parts that only need names. The store must outlive it.
    std::function<QString(const QString&)> lookupFunction();

    // Forgets every remembered name, so the next lookups read the files again.
    void forgetNames();
    // Entry files opened for reading so far (for tests and benchmarks).
    qint64 fileReads() const { return FileReads; }

    static constexpr qsizetype MaxRememberedNumbers = 100000;

private:
    void ensureFolder() const;
    void remember(const QString& number, std::optional<QString> name);

    QString Folder;
    AppMessenger& Messenger;
    // number -> full name, or nullopt when the number has no entry file.
    QHash<QString, std::optional<QString>> Names;
    qint64 FileReads = 0;
};
