#include "phonebook/store/PhonebookStore.h"

#include "core/AppMessage.h"
#include "core/FileIO.h"
#include "phonebook/store/PhonebookEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

const QLatin1String FileSuffix(".phn");

// An entry file is 148 bytes; anything far beyond that is not one of ours, and reading it whole
// would only waste memory.
constexpr qint64 MaxEntryFileBytes = 4096;

// The messages name the file the way users of the program have always seen it.
QString shownPath(const QString& number) {
    return QStringLiteral("dat\\phonebook\\") + number + FileSuffix;
}

} // namespace

PhonebookStore::PhonebookStore(QString folder, AppMessenger& messenger)
    : Folder(std::move(folder)), Messenger(messenger) {}

bool PhonebookStore::isStorableNumber(const QString& number) {
    if (number.size() > Phonebook_Entry_Type::NumberCapacity || !FileIO::isSafeFileName(number) ||
        number.contains(QLatin1String("..")))
        return false;
    for (QChar c : number) {
        if (c.unicode() > 0xff)
            return false;
    }
    return true;
}

QString PhonebookStore::entryPath(const QString& number) const {
    if (!isStorableNumber(number))
        return {};
    return Folder + QLatin1Char('/') + number + FileSuffix;
}

bool PhonebookStore::hasEntry(const QString& number) const {
    const QString path = entryPath(number);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void PhonebookStore::ensureFolder() const {
    QDir().mkpath(Folder);
}

bool PhonebookStore::Load(Phonebook_Entry_Type& entry) {
    ensureFolder();
    entry.FirstName.clear();
    entry.LastName.clear();
    entry.SecondNumber.clear();
    entry.EMail.clear();

    std::optional<QByteArray> data;
    const QString path = entryPath(entry.HomeNumber);
    if (!path.isEmpty()) {
        ++FileReads;
        data = FileIO::readBounded(path, MaxEntryFileBytes);
    }
    if (data)
        entry.decode(*data);
    else
        Messenger.ShowAppMessage(QStringLiteral("Can not open phonebook"),
                                 QStringLiteral("Could not open or read from ") +
                                     shownPath(entry.HomeNumber),
                                 mkError, mbOK);
    // What was just read is what a lookup would read; an unreadable file still is an entry.
    if (!path.isEmpty() && (data || QFileInfo(path).isFile()))
        Names.insert(entry.HomeNumber, entry.GetFullName());
    return data.has_value();
}

bool PhonebookStore::Save(const Phonebook_Entry_Type& entry) {
    ensureFolder();
    const QString path = entryPath(entry.HomeNumber);
    const bool written = !path.isEmpty() && FileIO::writeAtomic(path, entry.fitted().encode());
    if (!written) {
        Names.remove(entry.HomeNumber);
        Messenger.ShowAppMessage(QStringLiteral("Phonebook error"),
                                 QStringLiteral("Could not open or write to ") +
                                     shownPath(entry.HomeNumber),
                                 mkError, mbOK);
        return false;
    }
    Names.insert(entry.HomeNumber, entry.fitted().GetFullName());
    return true;
}

bool PhonebookStore::Erase(const QString& number) {
    const QString path = entryPath(number);
    if (path.isEmpty())
        return false;
    const bool removed = QFile::remove(path);
    if (removed)
        Names.insert(number, std::nullopt);
    else
        Names.remove(number);
    return removed;
}

QStringList PhonebookStore::listNumbers() const {
    QStringList numbers;
    QDirIterator it(Folder, {QStringLiteral("*.phn")},
                    QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        numbers.append(name.chopped(FileSuffix.size()).left(Phonebook_Entry_Type::NumberCapacity));
    }
    return numbers;
}

QString PhonebookStore::LookupName(const QString& displayNumber) {
    // Home numbers are never longer than 16 characters, so a longer number matches no entry.
    if (!isStorableNumber(displayNumber))
        return {};
    const auto known = Names.constFind(displayNumber);
    if (known != Names.constEnd())
        return known->value_or(QString());
    if (!hasEntry(displayNumber)) {
        Names.insert(displayNumber, std::nullopt);
        return {};
    }
    Phonebook_Entry_Type entry(*this, displayNumber);
    return entry.GetFullName();
}

std::function<QString(const QString&)> PhonebookStore::lookupFunction() {
    return [this](const QString& number) { return LookupName(number); };
}

void PhonebookStore::forgetNames() {
    Names.clear();
}
