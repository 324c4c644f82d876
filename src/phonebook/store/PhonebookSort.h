#pragma once

#include <QString>
#include <optional>

class Phonebook_Entry_Type;

// The orders of the phonebook list. Every order is ascending on one key, compared character code
// by character code (a prefix first), with no second key.
enum class PhonebookSortKey { FirstName, LastName, HomeNumber, EMail, SecondNumber };

// 1 when `a` goes after `b`, -1 when before, 0 when equal.
int PhonebookSortFirstName(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b);
int PhonebookSortLastName(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b);
int PhonebookSortPhoneNumber(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b);
int PhonebookSortEmail(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b);
int PhonebookSortSecondNumber(const Phonebook_Entry_Type& a, const Phonebook_Entry_Type& b);

using PhonebookComparison = int (*)(const Phonebook_Entry_Type&, const Phonebook_Entry_Type&);
PhonebookComparison phonebookComparison(PhonebookSortKey key);

// The order a column header picks, by its caption compared without regard to case
// ("First Name", "Last Name", "Home Number", "E-Mail", "Second Number").
std::optional<PhonebookSortKey> phonebookSortKeyForCaption(const QString& caption);
