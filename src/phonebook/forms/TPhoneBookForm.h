#pragma once

#include "phonebook/store/PhonebookEntry.h"

#include <QDialog>
#include <optional>

class AppMessenger;
class PhonebookStore;
class QLineEdit;
class QPushButton;
struct Phone_Number_Type;

// The modal editor of one phonebook entry, opened empty for a new entry, with a home number to
// edit that entry, or with a caller's number to add the caller. Opening only reads the store;
// OK writes the entry (moving it when its number was changed), Cancel leaves the store alone.
class TPhoneBookForm : public QDialog {
    Q_OBJECT
public:
    // `number` may be empty (a new entry); it is cut to 16 characters.
    TPhoneBookForm(PhonebookStore& store, AppMessenger& messenger, const QString& number,
                   QWidget* parent = nullptr);
    // Adding a caller: the caller's display number.
    TPhoneBookForm(PhonebookStore& store, AppMessenger& messenger, const Phone_Number_Type& caller,
                   QWidget* parent = nullptr);

    // After OK: the entry built from the fields, and whether it reached the store.
    const Phonebook_Entry_Type& entry() const { return Entry; }
    bool saved() const { return Saved; }
    // Whether an entry file existed for the number the dialog was opened with.
    bool openedOnEntry() const { return OpenedOnEntry; }

    void BtnOkClick();
    void BtnCancelClick();

private:
    void buildControls();
    void showNumber(QLineEdit* field, const QString& number);

    PhonebookStore& Store;
    AppMessenger& Messenger;
    QString OpeningNumber;
    bool OpenedOnEntry = false;
    Phonebook_Entry_Type Entry;
    bool Saved = false;

    QLineEdit* EditFirstName = nullptr;
    QLineEdit* EditLastName = nullptr;
    QLineEdit* MaskEditPhoneNumber = nullptr;
    QLineEdit* MaskEdit2ndPhoneNumber = nullptr;
    QLineEdit* EditEMail = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
};

// The three ways the program opens the editor; each runs it modally.
// A new entry (File, New, Phonebook Entry; the phonebook popup's New; toolbar New).
// Gives the entry when OK stored it.
std::optional<Phonebook_Entry_Type> OpenNewPhonebookEntry(PhonebookStore& store,
                                                          AppMessenger& messenger, QWidget* parent);
// True after OK. The entry of `homeNumber` (the phonebook popup's Edit; toolbar Edit; double
// click).
bool EditPhonebookEntry(PhonebookStore& store, AppMessenger& messenger, const QString& homeNumber,
                        QWidget* parent);
// True after OK. A message's caller ("Add To Phonebook"); the caller reloads the message list after
// OK.
bool AddCallerToPhonebook(PhonebookStore& store, AppMessenger& messenger,
                          const Phone_Number_Type& caller, QWidget* parent);
bool AddCallerToPhonebook(PhonebookStore& store, AppMessenger& messenger,
                          const QString& displayNumber, QWidget* parent);
