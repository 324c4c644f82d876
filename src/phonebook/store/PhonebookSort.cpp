#include "phonebook/store/PhonebookSort.h"

#include "phonebook/store/PhonebookEntry.h"

#include <array>

namespace {

int compareCodes(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

struct CaptionKey {
    QLatin1String caption;
    PhonebookSortKey key;
};

const std::array<CaptionKey, 5> Captions{{
    {QLatin1String("First Name"), PhonebookSortKey::FirstName},
    {QLatin1String("Last Name"), PhonebookSortKey::LastName},
    {QLatin1String("Home Number"), PhonebookSortKey::HomeNumber},
    {QLatin1String("E-Mail"), PhonebookSortKey::EMail},
    {QLatin1String("Second Number"), PhonebookSortKey::SecondNumber},
}};

} // namespace

int PhonebookSortFirstName(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b) {
    return compareCodes(a.FirstName, b.FirstName);
}

int PhonebookSortLastName(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b) {
    return compareCodes(a.LastName, b.LastName);
}

int PhonebookSortPhoneNumber(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b) {
    return compareCodes(a.HomeNumber, b.HomeNumber);
}

int PhonebookSortEmail(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b) {
    return compareCodes(a.EMail, b.EMail);
}

int PhonebookSortSecondNumber(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b) {
    return compareCodes(a.SecondNumber, b.SecondNumber);
}

PhonebookComparison phonebookComparison(PhonebookSortKey key) {
    switch (key) {
    case PhonebookSortKey::LastName:
        return PhonebookSortLastName;
    case PhonebookSortKey::HomeNumber:
        return PhonebookSortPhoneNumber;
    case PhonebookSortKey::EMail:
        return PhonebookSortEmail;
    case PhonebookSortKey::SecondNumber:
        return PhonebookSortSecondNumber;
    case PhonebookSortKey::FirstName:
        break;
    }
    return PhonebookSortFirstName;
}

std::optional<PhonebookSortKey> phonebookSortKeyForCaption(const QString& caption) {
    for (const CaptionKey& c : Captions) {
        if (caption.compare(c.caption, Qt::CaseInsensitive) == 0)
            return c.key;
    }
    return std::nullopt;
}
