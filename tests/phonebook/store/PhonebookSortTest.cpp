#include "phonebook/store/PhonebookSort.h"
#include "phonebook/store/PhonebookEntry.h"

#include <gtest/gtest.h>

namespace {

Phonebook_Entry_Type withAll(const QString& text) {
    Phonebook_Entry_Type e;
    e.FirstName = e.LastName = e.HomeNumber = e.EMail = e.SecondNumber = text;
    return e;
}

TEST(PhonebookSort, EveryOrderComparesCharacterCodes) {
    struct Case {
        QString a, b;
        int expected;
    };
    const Case cases[] = {
        {QStringLiteral("Ann"), QStringLiteral("Bob"), -1},
        {QStringLiteral("Bob"), QStringLiteral("Ann"), 1},
        {QStringLiteral("Ann"), QStringLiteral("Ann"), 0},
        {QStringLiteral("Ann"), QStringLiteral("Anna"), -1}, // a prefix goes first
        {QString(), QStringLiteral("a"), -1},
        {QStringLiteral("Zed"), QStringLiteral("abe"), -1}, // upper case codes are lower
        {QStringLiteral("ann"), QStringLiteral("Ann"), 1},
        {QStringLiteral("10"), QStringLiteral("9"), -1}, // no numeric order
        {QString(QChar(0xe9)), QStringLiteral("z"), 1},  // single-byte codes above 127
    };
    const PhonebookSortKey keys[] = {PhonebookSortKey::FirstName, PhonebookSortKey::LastName,
                                     PhonebookSortKey::HomeNumber, PhonebookSortKey::EMail,
                                     PhonebookSortKey::SecondNumber};
    for (PhonebookSortKey key : keys) {
        for (const Case& c : cases) {
            SCOPED_TRACE((c.a + QStringLiteral(" vs ") + c.b).toStdString());
            EXPECT_EQ(phonebookComparison(key)(withAll(c.a), withAll(c.b)), c.expected);
        }
    }
}

TEST(PhonebookSort, EachOrderLooksAtItsOwnFieldOnly) {
    Phonebook_Entry_Type a, b;
    a.FirstName = QStringLiteral("A");
    b.LastName = QStringLiteral("A");
    a.HomeNumber = QStringLiteral("2");
    b.HomeNumber = QStringLiteral("1");
    a.EMail = b.EMail = QStringLiteral("same");
    b.SecondNumber = QStringLiteral("9");
    EXPECT_EQ(PhonebookSortFirstName(a, b), 1);
    EXPECT_EQ(PhonebookSortLastName(a, b), -1);
    EXPECT_EQ(PhonebookSortPhoneNumber(a, b), 1);
    EXPECT_EQ(PhonebookSortEmail(a, b), 0);
    EXPECT_EQ(PhonebookSortSecondNumber(a, b), -1);
}

TEST(PhonebookSort, ColumnCaptionsPickOrdersWithoutRegardToCase) {
    EXPECT_EQ(phonebookSortKeyForCaption(QStringLiteral("First Name")),
              PhonebookSortKey::FirstName);
    EXPECT_EQ(phonebookSortKeyForCaption(QStringLiteral("LAST NAME")), PhonebookSortKey::LastName);
    EXPECT_EQ(phonebookSortKeyForCaption(QStringLiteral("home number")),
              PhonebookSortKey::HomeNumber);
    EXPECT_EQ(phonebookSortKeyForCaption(QStringLiteral("e-mail")), PhonebookSortKey::EMail);
    EXPECT_EQ(phonebookSortKeyForCaption(QStringLiteral("Second Number")),
              PhonebookSortKey::SecondNumber);
    EXPECT_EQ(phonebookSortKeyForCaption(QStringLiteral("EMail")), std::nullopt);
}

} // namespace
