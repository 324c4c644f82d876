#include "phonebook/store/PhonebookStore.h"

#include "core/AppMessage.h"
#include "core/FileIO.h"
#include "phonebook/store/PhonebookEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QLatin1String FileSuffix(".phn");

// The messages name the file the way users of the program have always seen it.
QString shownPath(const QString& number) {
    return QStringLiteral("dat\\phonebook\\") + number + FileSuffix;
}

// Reads at most the first `max` bytes of a file into `out`; false when it cannot be opened or read.
// Plain system calls: the whole list is loaded file by file, and QFile's extra status calls on
// every open would cost more than the reading itself. O_NONBLOCK keeps a FIFO from hanging us.
bool readPrefix(const QString& path, qsizetype max, QByteArray& out) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    out.resize(max);
    qsizetype got = 0;
    bool ok = true;
    while (got < max) {
        const ssize_t n = ::read(fd, out.data() + got, size_t(max - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    out.truncate(got);
    return ok;
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
    entry.FirstName.clear();
    entry.LastName.clear();
    entry.SecondNumber.clear();
    entry.EMail.clear();

    // Only the first 148 bytes are ever looked at, so only they are read.
    bool read = false;
    const QString path = entryPath(entry.HomeNumber);
    if (!path.isEmpty()) {
        ++FileReads;
        QByteArray data;
        read = readPrefix(path, Phonebook_Entry_Type::FileSize, data);
        if (read)
            entry.decode(data);
    }
    if (!read) {
        ensureFolder();
        Messenger.ShowAppMessage(QStringLiteral("Can not open phonebook"),
                                 QStringLiteral("Could not open or read from ") +
                                     shownPath(entry.HomeNumber),
                                 mkError, mbOK);
    }
    // What was just read is what a lookup would read; an unreadable file still is an entry.
    if (!path.isEmpty() && (read || QFileInfo(path).isFile()))
        remember(entry.HomeNumber, entry.GetFullName());
    return read;
}

bool PhonebookStore::Save(const Phonebook_Entry_Type& entry) {
    ensureFolder();
    const Phonebook_Entry_Type stored = entry.fitted();
    const QString path = entryPath(stored.HomeNumber);
    const bool written = !path.isEmpty() && FileIO::writeAtomic(path, stored.encode());
    if (!written) {
        Names.remove(stored.HomeNumber);
        Messenger.ShowAppMessage(QStringLiteral("Phonebook error"),
                                 QStringLiteral("Could not open or write to ") +
                                     shownPath(stored.HomeNumber),
                                 mkError, mbOK);
        return false;
    }
    remember(stored.HomeNumber, stored.GetFullName());
    return true;
}

bool PhonebookStore::Erase(const QString& number) {
    const QString path = entryPath(number);
    if (path.isEmpty())
        return false;
    const bool removed = QFile::remove(path);
    if (removed)
        remember(number, std::nullopt);
    else
        Names.remove(number);
    return removed;
}

QStringList PhonebookStore::listNumbers() const {
    QStringList numbers;
    QDirIterator it(Folder, {QStringLiteral("*.phn")},
                    QDir::Files | QDir::Hidden | QDir::CaseSensitive);
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
        remember(displayNumber, std::nullopt);
        return {};
    }
    Phonebook_Entry_Type entry(*this, displayNumber);
    return entry.GetFullName();
}

std::function<QString(const QString&)> PhonebookStore::lookupFunction() {
    return [this](const QString& number) { return LookupName(number); };
}

void PhonebookStore::remember(const QString& number, std::optional<QString> name) {
    // Callers' numbers come from the network: however many distinct ones arrive, the memory
    // stays bounded. Starting afresh only costs reading the files again.
    if (Names.size() >= MaxRememberedNumbers && !Names.contains(number))
        Names.clear();
    Names.insert(number, std::move(name));
}

void PhonebookStore::forgetNames() {
    Names.clear();
}
