#include "phonebook/forms/PhoneListView.h"
#include "core/Commands.h"
#include "phonebook/PhonebookTestFiles.h"
#include "phonebook/forms/TPhoneBookForm.h"
#include "phonebook/store/PhonebookStore.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

const QString Folder = QStringLiteral("dat/phonebook");

class FakeCommands : public CommandSwitch {
public:
    void setCommandEnabled(Command command, bool enabled) override { State[command] = enabled; }
    bool isCommandEnabled(Command command) const override {
        const auto it = State.find(command);
        return it != State.end() && it->second;
    }
    std::map<Command, bool> State;
};

class PhoneListViewTest : public ::testing::Test {
protected:
    TempProgramFolder Program{false};
    FakeMessenger Messenger;
    FakeCommands Commands;
    PhonebookStore Store{Folder, Messenger};
    PhoneListView List{Store, Messenger, Commands};

    void putEntry(const QString& number, const QByteArray& first, const QByteArray& last,
                  const QByteArray& second = "", const QByteArray& email = "") {
        Program.writeFile(Folder + QLatin1Char('/') + number + QStringLiteral(".phn"),
                          entryFileBytes(first, last, second, email));
    }
    QStringList column(int c) const {
        QStringList texts;
        for (int row = 0; row < List.topLevelItemCount(); ++row)
            texts.append(List.topLevelItem(row)->text(c));
        return texts;
    }
    void select(const QStringList& numbers) {
        List.clearSelection();
        for (int row = 0; row < List.topLevelItemCount(); ++row) {
            if (numbers.contains(List.topLevelItem(row)->text(2)))
                List.topLevelItem(row)->setSelected(true);
        }
    }
    // Runs `act`, which opens the editor modally, and lets `use` work the open editor.
    static void withEditor(const std::function<void()>& act,
                           const std::function<void(TPhoneBookForm&)>& use) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TPhoneBookForm*>(QApplication::activeModalWidget());
            if (!form)
                return;
            seen = true;
            use(*form);
        });
        act();
        EXPECT_TRUE(seen) << "the editor did not open";
    }
    static void type(TPhoneBookForm& form, const char* name, const QString& text) {
        auto* edit = form.findChild<QLineEdit*>(QLatin1String(name));
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        edit->del();
        edit->home(false);
        QTest::keyClicks(edit, text);
    }
    static void click(TPhoneBookForm& form, const char* name) {
        QTest::mouseClick(form.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
};

TEST_F(PhoneListViewTest, ShowsFiveColumnsOfEveryEntry) {
    EXPECT_EQ(List.objectName(), QStringLiteral("PhoneListView"));
    EXPECT_EQ(List.columnCount(), 5);
    const QStringList captions{QStringLiteral("First Name"), QStringLiteral("Last Name"),
                               QStringLiteral("Home Number"), QStringLiteral("E-Mail"),
                               QStringLiteral("Second Number")};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(List.headerItem()->text(c), captions[c]);
    EXPECT_EQ(List.columnWidth(1), 75);

    List.LoadPhonebookList(); // the folder does not exist yet
    EXPECT_EQ(List.entryCount(), 0);

    putEntry(QStringLiteral("0525551234"), "John", "Smith", "031", "j@x.org");
    List.LoadPhonebookList();
    ASSERT_EQ(List.entryCount(), 1);
    EXPECT_EQ(column(0), QStringList{QStringLiteral("John")});
    EXPECT_EQ(column(1), QStringList{QStringLiteral("Smith")});
    EXPECT_EQ(column(2), QStringList{QStringLiteral("0525551234")});
    EXPECT_EQ(column(3), QStringList{QStringLiteral("j@x.org")});
    EXPECT_EQ(column(4), QStringList{QStringLiteral("031")});
    EXPECT_EQ(List.entryAt(0).GetFullName(), QStringLiteral("John Smith"));
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhoneListViewTest, BadFilesAreListedWithWhatCouldBeRead) {
    putEntry(QStringLiteral("1"), "Good", "One");
    Program.writeFile(Folder + QStringLiteral("/2.phn"), "\x05Short"); // short: no complaint
    Program.writeFile(Folder + QStringLiteral("/3.phn"), QByteArray());
    Program.writeFile(Folder + QStringLiteral("/12345678901234567.phn"), QByteArray(148, 0));
    Program.writeFile(Folder + QStringLiteral("/...phn"), QByteArray(148, 0));
    ASSERT_TRUE(makeUnreadableFile(Folder + QStringLiteral("/4.phn")));
    Program.writeFile(Folder + QStringLiteral("/5.phn"),
                      entryFileBytes("Long", "", "", "") + QByteArray(1 << 20, 'x'));
    List.LoadPhonebookList();
    EXPECT_EQ(List.entryCount(), 7);
    QStringList numbers = column(2);
    numbers.sort();
    EXPECT_EQ(numbers,
              (QStringList{QStringLiteral(".."), QStringLiteral("1"),
                           QStringLiteral("1234567890123456"), QStringLiteral("2"),
                           QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}));
    // The long name, the unusable "..", and the unreadable file were reported.
    ASSERT_EQ(Messenger.shown.size(), 3);
    for (const auto& shown : Messenger.shown)
        EXPECT_EQ(shown.caption, QStringLiteral("Can not open phonebook"));
    EXPECT_TRUE(column(0).contains(QStringLiteral("Short")));
    EXPECT_TRUE(column(0).contains(QStringLiteral("Long"))); // only its first 148 bytes count
}

TEST_F(PhoneListViewTest, EveryOrderSortsItsColumnAscending) {
    // Each column orders the three entries differently.
    putEntry(QStringLiteral("200"), "bob", "Young", "3", "c@x");
    putEntry(QStringLiteral("300"), "Ann", "adams", "1", "b@x");
    putEntry(QStringLiteral("100"), "Cy", "Baker", "2", "a@x");
    List.LoadPhonebookList();
    EXPECT_EQ(List.sortKey(), PhonebookSortKey::FirstName);
    EXPECT_EQ(column(0), (QStringList{"Ann", "Cy", "bob"}));

    struct Case {
        std::function<void()> act;
        PhonebookSortKey key;
        int column;
        QStringList expected;
    };
    const Case cases[] = {
        {[&] { List.LastName1Click(); },
         PhonebookSortKey::LastName,
         1,
         {"Baker", "Young", "adams"}},
        {[&] { List.HomeNumber1Click(); }, PhonebookSortKey::HomeNumber, 2, {"100", "200", "300"}},
        {[&] { List.EMail1Click(); }, PhonebookSortKey::EMail, 3, {"a@x", "b@x", "c@x"}},
        {[&] { List.FirstName1Click(); }, PhonebookSortKey::FirstName, 0, {"Ann", "Cy", "bob"}},
        {[&] { List.PhoneListViewColumnClick(4); },
         PhonebookSortKey::SecondNumber,
         4,
         {"1", "2", "3"}},
        {[&] { List.PhoneListViewColumnClick(1); },
         PhonebookSortKey::LastName,
         1,
         {"Baker", "Young", "adams"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        c.act();
        EXPECT_EQ(List.sortKey(), c.key);
        EXPECT_EQ(column(c.column), c.expected);
    }

    // A click on a header picks its column's order; the list is reloaded from the store.
    putEntry(QStringLiteral("050"), "Dee", "Zed", "9", "d@x");
    List.resize(600, 200);
    List.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&List));
    QHeaderView* header = List.header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    EXPECT_EQ(List.sortKey(), PhonebookSortKey::HomeNumber);
    EXPECT_EQ(column(2), (QStringList{"050", "100", "200", "300"}));
}

TEST_F(PhoneListViewTest, AddedItemGoesToItsPlaceWithoutReload) {
    putEntry(QStringLiteral("1"), "Ann", "");
    putEntry(QStringLiteral("2"), "Cy", "");
    List.LoadPhonebookList();
    putEntry(QStringLiteral("3"), "Zoe", ""); // not listed until the next reload
    Phonebook_Entry_Type entry;
    entry.FirstName = QStringLiteral("Bea");
    entry.HomeNumber = QStringLiteral("4");
    List.AddPhonebookItem(entry);
    EXPECT_EQ(column(0), (QStringList{"Ann", "Bea", "Cy"}));
}

TEST_F(PhoneListViewTest, SelectionSwitchesEditAndDelete) {
    putEntry(QStringLiteral("1"), "Ann", "");
    putEntry(QStringLiteral("2"), "Bob", "");
    List.LoadPhonebookList();
    const Command switched[] = {Command::Delete, Command::DeleteEntry, Command::EditEntry};
    for (const QStringList& selection :
         {QStringList{"1"}, QStringList{}, QStringList{"1", "2"}, QStringList{}}) {
        SCOPED_TRACE(selection.join(',').toStdString());
        select(selection);
        for (Command c : switched)
            EXPECT_EQ(Commands.isCommandEnabled(c), !selection.isEmpty());
    }
    // The popup's copies follow the switched commands when it opens.
    select({"1"});
    Commands.setCommandEnabled(Command::NewPhonebookEntry, true);
    List.PhonePopup()->popup(QPoint(0, 0));
    auto* edit = List.PhonePopup()->findChild<QAction*>(QStringLiteral("PhoneUpdatePb"));
    auto* del = List.PhonePopup()->findChild<QAction*>(QStringLiteral("PhoneDeletePb"));
    ASSERT_TRUE(edit && del);
    EXPECT_TRUE(edit->isEnabled() && del->isEnabled());
    List.PhonePopup()->close();
    select({});
    List.PhonePopup()->popup(QPoint(0, 0));
    EXPECT_FALSE(edit->isEnabled() || del->isEnabled());
    List.PhonePopup()->close();
}

TEST_F(PhoneListViewTest, HiddenListLeavesTheSharedCommandsAlone) {
    putEntry(QStringLiteral("1"), "Ann", "");
    QWidget window;
    List.setParent(&window);
    window.show();
    List.LoadPhonebookList();
    select({"1"});
    EXPECT_TRUE(Commands.isCommandEnabled(Command::Delete));

    // The message list takes the place and switches Delete for its own selection; a sort of
    // the hidden phonebook from the View menu reloads it without touching that.
    List.hide();
    Commands.State.clear();
    Commands.setCommandEnabled(Command::Delete, true);
    List.LastName1Click();
    EXPECT_TRUE(Commands.isCommandEnabled(Command::Delete));

    // Shown again: a reload drops the selection, and Edit and Delete go off with it.
    List.show();
    select({"1"});
    EXPECT_TRUE(Commands.isCommandEnabled(Command::EditEntry));
    List.FirstName1Click();
    EXPECT_FALSE(Commands.isCommandEnabled(Command::EditEntry));
    EXPECT_FALSE(Commands.isCommandEnabled(Command::Delete));
    List.setParent(nullptr);
}

TEST_F(PhoneListViewTest, DeleteAsksAndCancelKeepsEverything) {
    putEntry(QStringLiteral("1"), "Ann", "");
    putEntry(QStringLiteral("2"), "Bob", "");
    putEntry(QStringLiteral("3"), "Cy", "");
    List.LoadPhonebookList();
    const QMap<QString, QByteArray> all = snapshotFiles(Program.dat());

    struct Case {
        QStringList selection;
        const char* question;
    };
    const Case cases[] = {{{"2"}, "Are you sure you want to delete this entry?"},
                          {{"1", "3"}, "Are you sure you want to delete these entries?"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        Messenger.shown.clear();
        Messenger.answers = {mrCancel};
        select(c.selection);
        List.PhoneDeletePbClick();
        ASSERT_EQ(Messenger.shown.size(), 1);
        EXPECT_EQ(Messenger.shown[0].caption, QStringLiteral("Delete confirmation"));
        EXPECT_EQ(Messenger.shown[0].text, QLatin1String(c.question));
        EXPECT_EQ(Messenger.shown[0].kind, mkQuestion);
        EXPECT_EQ(Messenger.shown[0].buttons, mbOKCancel);
        EXPECT_EQ(List.entryCount(), 3);
        EXPECT_EQ(snapshotFiles(Program.dat()), all);
    }
}

TEST_F(PhoneListViewTest, DeleteWithOkRemovesRowsAndFiles) {
    for (int i = 1; i <= 4; ++i)
        putEntry(QString::number(i), "N" + QByteArray::number(i), "");
    List.LoadPhonebookList();
    EXPECT_EQ(Store.LookupName(QStringLiteral("3")), QStringLiteral("N3 "));
    select({"1", "3"});
    Messenger.answers = {mrOK};
    List.DeleteSelectedEntries();
    EXPECT_EQ(column(2), (QStringList{"2", "4"}));
    EXPECT_EQ(snapshotFiles(Program.dat()).keys(),
              (QStringList{"phonebook/2.phn", "phonebook/4.phn"}));
    EXPECT_EQ(Store.LookupName(QStringLiteral("3")), QString());
    EXPECT_FALSE(Commands.isCommandEnabled(Command::EditEntry));
    EXPECT_FALSE(Commands.isCommandEnabled(Command::Delete));

    // Nothing selected: nothing asked.
    Messenger.shown.clear();
    List.DeleteSelectedEntries();
    EXPECT_TRUE(Messenger.shown.isEmpty());
}

TEST_F(PhoneListViewTest, SharedDeleteActsOnlyWithTheFocus) {
    putEntry(QStringLiteral("1"), "Ann", "");
    List.LoadPhonebookList();
    QWidget window;
    auto* other = new QLineEdit(&window);
    List.setParent(&window);
    List.move(0, 40);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    select({"1"});
    Messenger.answers = {mrOK};

    other->setFocus();
    EXPECT_FALSE(List.DeleteIfFocused());
    EXPECT_EQ(List.entryCount(), 1);

    List.setFocus();
    EXPECT_TRUE(List.DeleteIfFocused());
    EXPECT_EQ(List.entryCount(), 0);
    List.setParent(nullptr);
}

TEST_F(PhoneListViewTest, NewEntryIsAddedAndCancelAddsNothing) {
    putEntry(QStringLiteral("1"), "Ann", "");
    putEntry(QStringLiteral("2"), "Cy", "");
    List.LoadPhonebookList();
    withEditor([&] { List.PhoneNewPbClick(); }, [](TPhoneBookForm& f) { click(f, "BtnCancel"); });
    EXPECT_EQ(List.entryCount(), 2);

    // A new entry under a number that has one replaces its file; the list shows both rows.
    withEditor([&] { List.PhoneNewPbClick(); },
               [](TPhoneBookForm& f) {
                   type(f, "EditFirstName", QStringLiteral("Bea"));
                   type(f, "MaskEditPhoneNumber", QStringLiteral("2"));
                   click(f, "BtnOK");
               });
    EXPECT_EQ(column(0), (QStringList{"Ann", "Bea", "Cy"}));
    EXPECT_EQ(snapshotFiles(Program.dat()).value(QStringLiteral("phonebook/2.phn")),
              entryFileBytes("Bea", "", "", ""));
    List.LoadPhonebookList();
    EXPECT_EQ(column(0), (QStringList{"Ann", "Bea"}));
}

TEST_F(PhoneListViewTest, EditOpensTheFirstSelectedEntryAndReloads) {
    putEntry(QStringLiteral("1"), "Ann", "");
    putEntry(QStringLiteral("2"), "Bob", "");
    List.LoadPhonebookList();
    select({"1", "2"});
    QString shown;
    withEditor([&] { List.PhoneUpdatePbClick(); },
               [&](TPhoneBookForm& f) {
                   shown = f.findChild<QLineEdit*>(QStringLiteral("EditFirstName"))->text();
                   type(f, "MaskEditPhoneNumber", QStringLiteral("7"));
                   click(f, "BtnOK");
               });
    EXPECT_EQ(shown, QStringLiteral("Ann"));
    EXPECT_EQ(column(2), (QStringList{"7", "2"}));
    EXPECT_EQ(snapshotFiles(Program.dat()).keys(),
              (QStringList{"phonebook/2.phn", "phonebook/7.phn"}));
}

TEST_F(PhoneListViewTest, DoubleClickEditsOnlyASingleSelection) {
    putEntry(QStringLiteral("1"), "Ann", "");
    putEntry(QStringLiteral("2"), "Bob", "");
    List.LoadPhonebookList();
    select({"1", "2"});
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    List.PhoneListViewDblClick();
    QApplication::processEvents();
    EXPECT_FALSE(opened);

    select({"2"});
    withEditor([&] { List.PhoneListViewDblClick(); },
               [](TPhoneBookForm& f) {
                   EXPECT_EQ(f.findChild<QLineEdit*>(QStringLiteral("EditFirstName"))->text(),
                             QStringLiteral("Bob"));
                   click(f, "BtnCancel");
               });
}

TEST_F(PhoneListViewTest, OwnStoreOnAFolder) {
    putEntry(QStringLiteral("5"), "Eve", "Stone");
    PhoneListView own(Folder, Messenger, Commands);
    own.LoadPhonebookList();
    EXPECT_EQ(own.entryCount(), 1);
    EXPECT_EQ(own.store().LookupName(QStringLiteral("5")), QStringLiteral("Eve Stone"));
    EXPECT_EQ(own.store().fileReads(), 1);
}

} // namespace
