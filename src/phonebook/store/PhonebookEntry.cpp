#include "phonebook/store/PhonebookEntry.h"

#include "phonebook/store/PhonebookStore.h"
#include "server/records/CountedString.h"

Phonebook_Entry_Type::Phonebook_Entry_Type(PhonebookStore& store, const QString& number)
    : HomeNumber(CountedString::fit(number, NumberCapacity)) {
    Load(store);
}

Phonebook_Entry_Type::Phonebook_Entry_Type(PhonebookStore& store, const QString& firstName,
                                           const QString& secondNumber, const QString& eMail,
                                           const QString& homeNumber, const QString& lastName)
    : EMail(CountedString::fit(eMail, EMailCapacity)),
      LastName(CountedString::fit(lastName, NameCapacity)),
      FirstName(CountedString::fit(firstName, NameCapacity)),
      HomeNumber(CountedString::fit(homeNumber, NumberCapacity)),
      SecondNumber(CountedString::fit(secondNumber, NumberCapacity)) {
    Save(store);
}

bool Phonebook_Entry_Type::Load(PhonebookStore& store) {
    return store.Load(*this);
}

bool Phonebook_Entry_Type::Save(PhonebookStore& store) const {
    return store.Save(*this);
}

bool Phonebook_Entry_Type::Erase(PhonebookStore& store) const {
    return store.Erase(HomeNumber);
}

QString Phonebook_Entry_Type::GetFullName() const {
    return FirstName + QLatin1Char(' ') + LastName;
}

Phonebook_Entry_Type Phonebook_Entry_Type::fitted() const {
    Phonebook_Entry_Type e;
    e.EMail = CountedString::fit(EMail, EMailCapacity);
    e.LastName = CountedString::fit(LastName, NameCapacity);
    e.FirstName = CountedString::fit(FirstName, NameCapacity);
    e.HomeNumber = CountedString::fit(HomeNumber, NumberCapacity);
    e.SecondNumber = CountedString::fit(SecondNumber, NumberCapacity);
    return e;
}

QByteArray Phonebook_Entry_Type::encode() const {
    QByteArray out;
    out.reserve(FileSize);
    CountedString::put(out, FirstName, NameCapacity);
    CountedString::put(out, LastName, NameCapacity);
    CountedString::put(out, SecondNumber, NumberCapacity);
    CountedString::put(out, EMail, EMailCapacity);
    return out;
}

void Phonebook_Entry_Type::decode(const QByteArray& data) {
    FirstName = CountedString::get(data, FirstNameOffset, NameCapacity);
    LastName = CountedString::get(data, LastNameOffset, NameCapacity);
    SecondNumber = CountedString::get(data, SecondNumberOffset, NumberCapacity);
    EMail = CountedString::get(data, EMailOffset, EMailCapacity);
}
