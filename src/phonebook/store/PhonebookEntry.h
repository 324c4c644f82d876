#pragma once

#include <QByteArray>
#include <QString>

class PhonebookStore;

// One phonebook entry. The home number is the entry's key and names its file; it is never stored
// inside the file, which holds the other four fields as counted strings at fixed offsets.
class Phonebook_Entry_Type {
public:
    static constexpr int EMailCapacity = 64;
    static constexpr int NameCapacity = 32;
    static constexpr int NumberCapacity = 16;

    // The entry file: FirstName at 0, LastName at 33, SecondNumber at 66, EMail at 83.
    static constexpr int FirstNameOffset = 0;
    static constexpr int LastNameOffset = 33;
    static constexpr int SecondNumberOffset = 66;
    static constexpr int EMailOffset = 83;
    static constexpr int FileSize = 148;

    QString EMail;
    QString LastName;
    QString FirstName;
    QString HomeNumber;
    QString SecondNumber;

    // An empty entry that touches no file.
    Phonebook_Entry_Type() = default;
    // Create(number): the home number cut to its capacity, the other fields loaded from its file.
    Phonebook_Entry_Type(PhonebookStore& store, const QString& number);
    // Create(first name, second number, e-mail, home number, last name): each field cut to its
    // capacity, then the entry's file is written.
    Phonebook_Entry_Type(PhonebookStore& store, const QString& firstName,
                         const QString& secondNumber, const QString& eMail,
                         const QString& homeNumber, const QString& lastName);

    // Each returns false after the user was told of the failure (Erase fails silently).
    bool Load(PhonebookStore& store);
    bool Save(PhonebookStore& store) const;
    bool Erase(PhonebookStore& store) const;

    // FirstName, one space, LastName; the space stays when either part is empty.
    QString GetFullName() const;

    // Every field cut to its capacity, as the file and the editor keep them.
    Phonebook_Entry_Type fitted() const;

    // The 148 bytes of the entry file (zeros after each text).
    QByteArray encode() const;
    // Fills FirstName, LastName, SecondNumber and EMail from file bytes; fields a short file does
    // not reach are left empty. Never reads outside `data`.
    void decode(const QByteArray& data);

    bool operator==(const Phonebook_Entry_Type&) const = default;
};
