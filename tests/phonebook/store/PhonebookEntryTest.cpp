#include "phonebook/store/PhonebookEntry.h"
#include "phonebook/PhonebookTestFiles.h"
#include "phonebook/store/PhonebookStore.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString Folder = QStringLiteral("dat/phonebook");

class PhonebookEntryTest : public ::testing::Test {
protected:
    TempProgramFolder Program{false};
    FakeMessenger Messenger;
    PhonebookStore Store{Folder, Messenger};

    QByteArray fileOf(const QString& number) const {
        return Program.readFile(Folder + QLatin1Char('/') + number + QStringLiteral(".phn"));
    }
};

TEST_F(PhonebookEntryTest, CreateWithFieldsWritesTheFileLaidOutByOffset) {
    const Phonebook_Entry_Type entry(Store, QStringLiteral("John"), QStringLiteral("0529876543"),
                                     QStringLiteral("john@example.com"),
                                     QStringLiteral("0525551234"), QStringLiteral("Smith"));
    const QByteArray bytes = fileOf(QStringLiteral("0525551234"));
    ASSERT_EQ(bytes.size(), 148);
    EXPECT_EQ(bytes, entryFileBytes("John", "Smith", "0529876543", "john@example.com"));
    // The home number names the file and is not inside it.
    EXPECT_FALSE(bytes.contains("0525551234"));
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhonebookEntryTest, FieldsAreCutToTheirCapacities) {
    const QString longName(40, QLatin1Char('n'));
    const QString longMail(70, QLatin1Char('m'));
    const QString longNumber = QStringLiteral("12345678901234567890");
    const Phonebook_Entry_Type entry(Store, longName, longNumber, longMail, longNumber,
                                     longName + QStringLiteral("x"));
    EXPECT_EQ(entry.FirstName.size(), 32);
    EXPECT_EQ(entry.LastName.size(), 32);
    EXPECT_EQ(entry.EMail.size(), 64);
    EXPECT_EQ(entry.HomeNumber, QStringLiteral("1234567890123456"));
    EXPECT_EQ(entry.SecondNumber, QStringLiteral("1234567890123456"));

    const QByteArray bytes = fileOf(QStringLiteral("1234567890123456"));
    EXPECT_EQ(bytes, entryFileBytes(QByteArray(32, 'n'), QByteArray(32, 'n'), "1234567890123456",
                                    QByteArray(64, 'm')));
    // Create(number) cuts the number the same way, so it finds the entry.
    const Phonebook_Entry_Type loaded(Store, longNumber);
    EXPECT_EQ(loaded, entry);
}

TEST_F(PhonebookEntryTest, CreateWithNumberLoadsTheOtherFields) {
    Program.writeFile(QStringLiteral("dat/phonebook/777.phn"),
                      entryFileBytes("Ann", "Lee", "555", "ann@x.org"));
    const Phonebook_Entry_Type entry(Store, QStringLiteral("777"));
    EXPECT_EQ(entry.FirstName, QStringLiteral("Ann"));
    EXPECT_EQ(entry.LastName, QStringLiteral("Lee"));
    EXPECT_EQ(entry.SecondNumber, QStringLiteral("555"));
    EXPECT_EQ(entry.EMail, QStringLiteral("ann@x.org"));
    EXPECT_EQ(entry.HomeNumber, QStringLiteral("777"));
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhonebookEntryTest, ShortAndOddFilesReadWithoutComplaint) {
    struct Case {
        const char* what;
        QByteArray bytes;
        QString first, last, second, email;
    };
    QByteArray overLong = entryFileBytes("A", "B", "C", "D");
    overLong[0] = char(200); // a length above the capacity reads as the capacity
    const QByteArray full = entryFileBytes("Ann", "Lee", "555", "ann@x.org");
    const Case cases[] = {
        {"empty file", QByteArray(), {}, {}, {}, {}},
        {"first name only", full.left(33), QStringLiteral("Ann"), {}, {}, {}},
        {"cut inside the last name",
         full.left(35),
         QStringLiteral("Ann"),
         QStringLiteral("L"),
         {},
         {}},
        {"longer than an entry", full + QByteArray(100, 'z'), QStringLiteral("Ann"),
         QStringLiteral("Lee"), QStringLiteral("555"), QStringLiteral("ann@x.org")},
        {"length byte too large", overLong, QString::fromLatin1(overLong.mid(1, 32)),
         QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program.writeFile(QStringLiteral("dat/phonebook/1.phn"), c.bytes);
        const Phonebook_Entry_Type entry(Store, QStringLiteral("1"));
        EXPECT_EQ(entry.FirstName, c.first);
        EXPECT_EQ(entry.LastName, c.last);
        EXPECT_EQ(entry.SecondNumber, c.second);
        EXPECT_EQ(entry.EMail, c.email);
    }
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhonebookEntryTest, UnreadableFileIsReportedAndLeavesOnlyTheNumber) {
    // A missing file, a folder where the file should be, and a file that cannot be read.
    QDir().mkpath(QStringLiteral("dat/phonebook/42.phn"));
    ASSERT_TRUE(makeUnreadableFile(QStringLiteral("dat/phonebook/43.phn")));
    for (const QString& number :
         {QStringLiteral("41"), QStringLiteral("42"), QStringLiteral("43")}) {
        SCOPED_TRACE(number.toStdString());
        Messenger.shown.clear();
        const Phonebook_Entry_Type entry(Store, number);
        EXPECT_EQ(entry.HomeNumber, number);
        EXPECT_TRUE(entry.FirstName.isEmpty() && entry.LastName.isEmpty() &&
                    entry.EMail.isEmpty() && entry.SecondNumber.isEmpty());
        ASSERT_EQ(Messenger.shown.size(), 1);
        EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Can not open phonebook"));
        EXPECT_EQ(Messenger.shown[0].text,
                  QStringLiteral("Could not open or read from dat\\phonebook\\") + number +
                      QStringLiteral(".phn"));
        EXPECT_EQ(Messenger.shown[0].kind, mkError);
        EXPECT_EQ(Messenger.shown[0].buttons, mbOK);
    }
}

TEST_F(PhonebookEntryTest, SaveReplacesWholeAndEraseRemoves) {
    Phonebook_Entry_Type entry(Store, QStringLiteral("A very long first name"), QString(),
                               QStringLiteral("a@b.c"), QStringLiteral("100"), QString());
    entry.FirstName = QStringLiteral("Al");
    ASSERT_TRUE(entry.Save(Store));
    EXPECT_EQ(fileOf(QStringLiteral("100")), entryFileBytes("Al", "", "", "a@b.c"));
    EXPECT_EQ(QDir(Folder).entryList(QDir::Files | QDir::Hidden).size(), 1);

    EXPECT_TRUE(entry.Erase(Store));
    EXPECT_FALSE(QFile::exists(Folder + QStringLiteral("/100.phn")));
    EXPECT_FALSE(entry.Erase(Store)); // nothing left to delete, and nothing reported
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhonebookEntryTest, SaveFailureIsReportedAsPhonebookError) {
    // The phonebook folder cannot exist: a file holds its place.
    Program.writeFile(QStringLiteral("dat/phonebook"), "not a folder");
    const Phonebook_Entry_Type entry(Store, QStringLiteral("Ann"), QString(), QString(),
                                     QStringLiteral("123"), QString());
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Phonebook error"));
    EXPECT_EQ(Messenger.shown[0].text,
              QStringLiteral("Could not open or write to dat\\phonebook\\123.phn"));
    EXPECT_EQ(Messenger.shown[0].kind, mkError);
    EXPECT_EQ(Program.readFile(QStringLiteral("dat/phonebook")), QByteArray("not a folder"));
}

TEST_F(PhonebookEntryTest, FullNameKeepsTheSpace) {
    struct Case {
        const char *first, *last, *full;
    };
    const Case cases[] = {{"John", "Smith", "John Smith"},
                          {"", "Smith", " Smith"},
                          {"John", "", "John "},
                          {"", "", " "}};
    for (const Case& c : cases) {
        Phonebook_Entry_Type entry;
        entry.FirstName = QLatin1String(c.first);
        entry.LastName = QLatin1String(c.last);
        EXPECT_EQ(entry.GetFullName(), QLatin1String(c.full));
    }
}

TEST_F(PhonebookEntryTest, ListingNamesEntriesByTheirFiles) {
    Program.writeFile(QStringLiteral("dat/phonebook/123.phn"), entryFileBytes("A", "", "", ""));
    Program.writeFile(QStringLiteral("dat/phonebook/12345678901234567890.phn"), "");
    Program.writeFile(QStringLiteral("dat/phonebook/.5.phn"), "");
    Program.writeFile(QStringLiteral("dat/phonebook/notes.txt"), "");
    Program.writeFile(QStringLiteral("dat/phonebook/9.PHN"), "");
    QDir().mkpath(QStringLiteral("dat/phonebook/folder.phn"));
    QStringList numbers = Store.listNumbers();
    numbers.sort();
    EXPECT_EQ(numbers, (QStringList{QStringLiteral(".5"), QStringLiteral("123"),
                                    QStringLiteral("1234567890123456")}));
}

} // namespace
