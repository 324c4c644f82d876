#include "phonebook/PhonebookTestFiles.h"
#include "phonebook/store/PhonebookEntry.h"
#include "phonebook/store/PhonebookStore.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const QString Folder = QStringLiteral("dat/phonebook");

class PhonebookLookupTest : public ::testing::Test {
protected:
    TempProgramFolder Program{false};
    FakeMessenger Messenger;
    PhonebookStore Store{Folder, Messenger};

    void putEntry(const QString& number, const QByteArray& first, const QByteArray& last) {
        Program.writeFile(Folder + QLatin1Char('/') + number + QStringLiteral(".phn"),
                          entryFileBytes(first, last, "", ""));
    }
};

TEST_F(PhonebookLookupTest, MatchIsExactCharacterForCharacter) {
    putEntry(QStringLiteral("0525551234"), "John", "Smith");
    putEntry(QStringLiteral("0771234"), "", "Lee");
    putEntry(QStringLiteral("1234567890123456"), "Sixteen", "Digits");
    struct Case {
        const char* number;
        const char* name; // empty: no entry
    };
    const Case cases[] = {
        {"0525551234", "John Smith"},
        {"0771234", " Lee"},
        {"525551234", ""},
        {"00525551234", ""},
        {"0525551234 ", ""},
        {" 0525551234", ""},
        {"052555123", ""},
        {"05255512345", ""},
        {"", ""},
    };
    const std::function<QString(const QString&)> lookup = Store.lookupFunction();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(lookup(QLatin1String(c.number)), QLatin1String(c.name));
    }
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhonebookLookupTest, UnsafeNumbersHaveNoEntryAndTouchNoFile) {
    // Files a careless lookup or save would reach from inside dat/phonebook.
    Program.writeFile(QStringLiteral("dat/x.phn"), entryFileBytes("Outside", "Folder", "", ""));
    Program.writeFile(QStringLiteral("dat/phonebook/...phn"), entryFileBytes("Dots", "", "", ""));
    Program.writeFile(QStringLiteral("dat/phonebook/a.phn"), entryFileBytes("A", "", "", ""));
    const QMap<QString, QByteArray> before = snapshotFiles(Program.programDir());

    const QString cases[] = {
        QStringLiteral("../x"),        QStringLiteral(".."),
        QStringLiteral("."),           QStringLiteral("..\\x"),
        QStringLiteral("a/../a"),      QStringLiteral("/tmp/x"),
        QStringLiteral("1..2"),        QStringLiteral("12\n34"),
        QStringLiteral("12\t34"),      QString(QChar(0)) + QStringLiteral("1"),
        QString::fromUtf8("12\u4e2d"),
    };
    for (const QString& number : cases) {
        SCOPED_TRACE(number.toStdString());
        EXPECT_FALSE(PhonebookStore::isStorableNumber(number));
        EXPECT_TRUE(Store.entryPath(number).isEmpty());
        EXPECT_FALSE(Store.hasEntry(number));
        EXPECT_EQ(Store.LookupName(number), QString());

        // Saving such a number is refused and reported; loading it finds nothing.
        Messenger.shown.clear();
        Phonebook_Entry_Type entry;
        entry.HomeNumber = number;
        entry.FirstName = QStringLiteral("Evil");
        EXPECT_FALSE(Store.Save(entry));
        EXPECT_FALSE(Store.Load(entry));
        EXPECT_FALSE(Store.Erase(number));
        ASSERT_EQ(Messenger.shown.size(), 2);
        EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Phonebook error"));
        EXPECT_EQ(Messenger.shown[1].caption, QStringLiteral("Can not open phonebook"));
    }
    EXPECT_EQ(Store.fileReads(), 0);
    EXPECT_EQ(snapshotFiles(Program.programDir()), before);
}

TEST_F(PhonebookLookupTest, EachEntryFileIsReadAtMostOnce) {
    for (int i = 0; i < 20; ++i)
        putEntry(QString::number(1000 + i), "N" + QByteArray::number(i), "L");
    // A message list: every caller many times over, and numbers without entries in between.
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 40; ++i) {
            const QString name = Store.LookupName(QString::number(1000 + i));
            if (i < 20)
                EXPECT_EQ(name, QStringLiteral("N%1 L").arg(i));
            else
                EXPECT_TRUE(name.isEmpty());
        }
    }
    EXPECT_EQ(Store.fileReads(), 20);
}

TEST_F(PhonebookLookupTest, SavingAndErasingKeepLookupsTrue) {
    putEntry(QStringLiteral("555"), "Old", "Name");
    EXPECT_EQ(Store.LookupName(QStringLiteral("555")), QStringLiteral("Old Name"));
    EXPECT_EQ(Store.LookupName(QStringLiteral("666")), QString());

    Phonebook_Entry_Type renamed(Store, QStringLiteral("New"), QString(), QString(),
                                 QStringLiteral("555"), QStringLiteral("Name"));
    EXPECT_EQ(Store.LookupName(QStringLiteral("555")), QStringLiteral("New Name"));

    // An entry added for a number looked up before is found from then on.
    Phonebook_Entry_Type added(Store, QStringLiteral("Later"), QString(), QString(),
                               QStringLiteral("666"), QString());
    EXPECT_EQ(Store.LookupName(QStringLiteral("666")), QStringLiteral("Later "));

    renamed.Erase(Store);
    EXPECT_EQ(Store.LookupName(QStringLiteral("555")), QString());

    // A file changed behind the store's back is seen again once the names are forgotten (the
    // phonebook list does this when it reloads).
    putEntry(QStringLiteral("555"), "Back", "Again");
    EXPECT_EQ(Store.LookupName(QStringLiteral("555")), QString());
    Store.forgetNames();
    EXPECT_EQ(Store.LookupName(QStringLiteral("555")), QStringLiteral("Back Again"));
}

TEST_F(PhonebookLookupTest, UnreadableEntryIsNamedBySpaceAndReportedOnce) {
    ASSERT_TRUE(makeUnreadableFile(QStringLiteral("dat/phonebook/99.phn")));
    // A folder of that name is no entry at all.
    QDir().mkpath(QStringLiteral("dat/phonebook/98.phn"));
    EXPECT_EQ(Store.LookupName(QStringLiteral("98")), QString());
    EXPECT_EQ(Store.LookupName(QStringLiteral("99")), QStringLiteral(" "));
    EXPECT_EQ(Store.LookupName(QStringLiteral("99")), QStringLiteral(" "));
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Can not open phonebook"));
}

} // namespace
