#include "phonebook/forms/TPhoneBookForm.h"
#include "phonebook/PhonebookTestFiles.h"
#include "phonebook/store/PhonebookStore.h"
#include "server/records/PhoneNumber.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Folder = QStringLiteral("dat/phonebook");

class PhoneBookFormTest : public ::testing::Test {
protected:
    TempProgramFolder Program{false};
    FakeMessenger Messenger;
    PhonebookStore Store{Folder, Messenger};

    void putEntry(const QString& number, const QByteArray& first, const QByteArray& last,
                  const QByteArray& second = "", const QByteArray& email = "") {
        Program.writeFile(Folder + QLatin1Char('/') + number + QStringLiteral(".phn"),
                          entryFileBytes(first, last, second, email));
    }
    QMap<QString, QByteArray> phonebookFiles() const { return snapshotFiles(Program.dat()); }

    static QLineEdit* field(TPhoneBookForm& form, const char* name) {
        auto* edit = form.findChild<QLineEdit*>(QLatin1String(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }
    static void type(TPhoneBookForm& form, const char* name, const QString& text) {
        QLineEdit* edit = field(form, name);
        edit->selectAll();
        edit->del();
        edit->home(false);
        QTest::keyClicks(edit, text);
    }
    static void click(TPhoneBookForm& form, const char* button) {
        auto* b = form.findChild<QPushButton*>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
};

TEST_F(PhoneBookFormTest, NewEntryFormIsEmptyWithDigitMasks) {
    TPhoneBookForm form(Store, Messenger, QString());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Phoenbook"));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    for (const char* name : {"MaskEditPhoneNumber", "MaskEdit2ndPhoneNumber"}) {
        SCOPED_TRACE(name);
        QLineEdit* edit = field(form, name);
        EXPECT_FALSE(edit->inputMask().isEmpty());
        EXPECT_EQ(edit->displayText(), QStringLiteral("___________"));
        EXPECT_EQ(edit->text(), QString());
        // Letters are refused and the twelfth digit does not fit.
        edit->home(false);
        QTest::keyClicks(edit, QStringLiteral("05a2555123499"));
        EXPECT_EQ(edit->text(), QStringLiteral("05255512349"));
    }
    EXPECT_EQ(field(form, "EditEMail")->maxLength(), 64);
    EXPECT_FALSE(form.openedOnEntry());
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhoneBookFormTest, OkWritesTheTrimmedEntry) {
    TPhoneBookForm form(Store, Messenger, QString());
    type(form, "EditFirstName", QStringLiteral("  John "));
    type(form, "EditLastName", QStringLiteral("Smith  "));
    type(form, "MaskEditPhoneNumber", QStringLiteral("0525551234"));
    type(form, "MaskEdit2ndPhoneNumber", QStringLiteral("031"));
    type(form, "EditEMail", QStringLiteral(" j@x.org "));
    click(form, "BtnOK");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(form.saved());
    EXPECT_EQ(form.entry().GetFullName(), QStringLiteral("John Smith"));
    const QMap<QString, QByteArray> expected{{QStringLiteral("phonebook/0525551234.phn"),
                                              entryFileBytes("John", "Smith", "031", "j@x.org")}};
    EXPECT_EQ(phonebookFiles(), expected);
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhoneBookFormTest, MissingPhoneNumberKeepsTheDialogOpen) {
    TPhoneBookForm form(Store, Messenger, QString());
    form.show();
    type(form, "EditFirstName", QStringLiteral("John"));
    type(form, "MaskEdit2ndPhoneNumber", QStringLiteral("123"));
    click(form, "BtnOK");
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Missing phone number"));
    EXPECT_EQ(Messenger.shown[0].text, QStringLiteral("Please enter a phone number."));
    EXPECT_EQ(Messenger.shown[0].kind, mkNotice);
    EXPECT_EQ(Messenger.shown[0].buttons, mbOK);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.result(), 0);
    EXPECT_TRUE(phonebookFiles().isEmpty());
}

TEST_F(PhoneBookFormTest, EditingShowsTheEntryAndChangingTheNumberMovesIt) {
    putEntry(QStringLiteral("111"), "Ann", "Lee", "222", "ann@x.org");
    putEntry(QStringLiteral("999"), "Other", "Entry");
    TPhoneBookForm form(Store, Messenger, QStringLiteral("111"));
    EXPECT_TRUE(form.openedOnEntry());
    EXPECT_EQ(field(form, "EditFirstName")->text(), QStringLiteral("Ann"));
    EXPECT_EQ(field(form, "EditLastName")->text(), QStringLiteral("Lee"));
    EXPECT_EQ(field(form, "MaskEditPhoneNumber")->text(), QStringLiteral("111"));
    EXPECT_EQ(field(form, "MaskEdit2ndPhoneNumber")->text(), QStringLiteral("222"));
    EXPECT_EQ(field(form, "EditEMail")->text(), QStringLiteral("ann@x.org"));

    type(form, "MaskEditPhoneNumber", QStringLiteral("333"));
    type(form, "EditFirstName", QStringLiteral("Anne"));
    click(form, "BtnOK");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const QMap<QString, QByteArray> expected{
        {QStringLiteral("phonebook/333.phn"), entryFileBytes("Anne", "Lee", "222", "ann@x.org")},
        {QStringLiteral("phonebook/999.phn"), entryFileBytes("Other", "Entry", "", "")}};
    EXPECT_EQ(phonebookFiles(), expected);
    EXPECT_EQ(Store.LookupName(QStringLiteral("111")), QString());
    EXPECT_EQ(Store.LookupName(QStringLiteral("333")), QStringLiteral("Anne Lee"));
}

TEST_F(PhoneBookFormTest, MovingOntoAnotherEntryReplacesIt) {
    putEntry(QStringLiteral("111"), "Ann", "Lee");
    putEntry(QStringLiteral("999"), "Other", "Entry");
    TPhoneBookForm form(Store, Messenger, QStringLiteral("111"));
    type(form, "MaskEditPhoneNumber", QStringLiteral("999"));
    click(form, "BtnOK");
    const QMap<QString, QByteArray> expected{
        {QStringLiteral("phonebook/999.phn"), entryFileBytes("Ann", "Lee", "", "")}};
    EXPECT_EQ(phonebookFiles(), expected);
}

TEST_F(PhoneBookFormTest, CancelAndCloseChangeNothing) {
    putEntry(QStringLiteral("111"), "Ann", "Lee", "222", "ann@x.org");
    const QMap<QString, QByteArray> before = snapshotFiles(Program.programDir());
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        for (const QString& number : {QStringLiteral("111"), QString()}) {
            TPhoneBookForm form(Store, Messenger, number);
            form.show();
            type(form, "EditFirstName", QStringLiteral("Changed"));
            type(form, "MaskEditPhoneNumber", QStringLiteral("444"));
            if (way == 0)
                click(form, "BtnCancel");
            else if (way == 1)
                form.close();
            else
                QTest::keyClick(&form, Qt::Key_Escape);
            EXPECT_EQ(form.result(), QDialog::Rejected);
            EXPECT_FALSE(form.isVisible());
        }
    }
    EXPECT_EQ(snapshotFiles(Program.programDir()), before);
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhoneBookFormTest, AddCallerUsesTheExactDisplayNumber) {
    // Area code + local number: a 10-digit display number; a FullNumber of 16 characters.
    const Phone_Number_Type local(QStringLiteral("052"), QStringLiteral("5551234"));
    Phone_Number_Type full;
    full.FullNumber = QStringLiteral("+972525551234567");
    for (const Phone_Number_Type& caller : {local, full}) {
        const QString display = GetDisplayNumber(caller);
        SCOPED_TRACE(display.toStdString());
        TPhoneBookForm form(Store, Messenger, caller);
        EXPECT_FALSE(form.openedOnEntry());
        EXPECT_EQ(field(form, "MaskEditPhoneNumber")->text(), display);
        type(form, "EditLastName", QStringLiteral("Caller"));
        click(form, "BtnOK");
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(form.entry().HomeNumber, display);
        EXPECT_EQ(Store.LookupName(display), QStringLiteral(" Caller"));
    }
    EXPECT_EQ(phonebookFiles().size(), 2);
}

TEST_F(PhoneBookFormTest, AddCallerWithAnEntryShowsItAndCancelKeepsIt) {
    putEntry(QStringLiteral("0525551234"), "John", "Smith", "1", "j@x.org");
    const QMap<QString, QByteArray> before = phonebookFiles();
    TPhoneBookForm form(Store, Messenger, QStringLiteral("0525551234"));
    EXPECT_TRUE(form.openedOnEntry());
    EXPECT_EQ(field(form, "EditFirstName")->text(), QStringLiteral("John"));
    type(form, "EditFirstName", QStringLiteral("Jack"));
    click(form, "BtnCancel");
    EXPECT_EQ(phonebookFiles(), before);
}

TEST_F(PhoneBookFormTest, UnsafeCallerNumberIsRefusedWithAMessage) {
    const QMap<QString, QByteArray> before = snapshotFiles(Program.programDir());
    for (const QString& number : {QStringLiteral("../../evil"), QStringLiteral(".."),
                                  QStringLiteral("12/34"), QStringLiteral("1..2")}) {
        SCOPED_TRACE(number.toStdString());
        Messenger.shown.clear();
        TPhoneBookForm form(Store, Messenger, number);
        form.show();
        EXPECT_EQ(field(form, "MaskEditPhoneNumber")->text(), number);
        type(form, "EditFirstName", QStringLiteral("Evil"));
        click(form, "BtnOK");
        ASSERT_EQ(Messenger.shown.size(), 1);
        EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Invalid phone number"));
        EXPECT_EQ(Messenger.shown[0].kind, mkError);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.result(), 0);
        // The user can put a proper number in and save.
        type(form, "MaskEditPhoneNumber", QStringLiteral("12"));
        click(form, "BtnOK");
        EXPECT_EQ(form.result(), QDialog::Accepted);
        Store.Erase(QStringLiteral("12"));
    }
    EXPECT_EQ(snapshotFiles(Program.programDir()), before);
}

TEST_F(PhoneBookFormTest, FailedSaveStillClosesButKeepsTheOldEntry) {
    putEntry(QStringLiteral("111"), "Ann", "Lee");
    const QMap<QString, QByteArray> before = phonebookFiles();
    TPhoneBookForm form(Store, Messenger, QStringLiteral("111"));
    type(form, "MaskEditPhoneNumber", QStringLiteral("222"));
    // A folder where the new file should go makes the write fail.
    QDir().mkpath(Folder + QStringLiteral("/222.phn"));
    click(form, "BtnOK");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.saved());
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Phonebook error"));
    EXPECT_EQ(phonebookFiles(), before);
}

TEST_F(PhoneBookFormTest, UnreadableEntryOpensWithItsNumberOnly) {
    ASSERT_TRUE(makeUnreadableFile(Folder + QStringLiteral("/111.phn")));
    TPhoneBookForm form(Store, Messenger, QStringLiteral("111"));
    ASSERT_EQ(Messenger.shown.size(), 1);
    EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Can not open phonebook"));
    EXPECT_EQ(field(form, "MaskEditPhoneNumber")->text(), QStringLiteral("111"));
    EXPECT_EQ(field(form, "EditFirstName")->text(), QString());
}

} // namespace
