#pragma once

#include "phonebook/store/PhonebookEntry.h"
#include "phonebook/store/PhonebookSort.h"

#include <QList>
#include <QTreeWidget>
#include <memory>

class AppMessenger;
class CommandSwitch;
class PhonebookStore;
class QAction;
class QMenu;

// The phonebook list of the main window: every entry of the store, one row each, kept in the
// order of the current comparison. Each row owns a copy of its entry.
class PhoneListView : public QTreeWidget {
    Q_OBJECT
public:
    // With the store the rest of the program looks names up in (the usual case).
    PhoneListView(PhonebookStore& store, AppMessenger& messenger, CommandSwitch& commands,
                  QWidget* parent = nullptr);
    // With a store of its own on `folder`; store() hands it to the other parts.
    PhoneListView(const QString& folder, AppMessenger& messenger, CommandSwitch& commands,
                  QWidget* parent = nullptr);
    ~PhoneListView() override;

    PhonebookStore& store() { return Store; }

    // Rebuilds the list from the store in the current order.
    void LoadPhonebookList();
    // Adds one entry in its place in the current order.
    void AddPhonebookItem(const Phonebook_Entry_Type& entry);
    // Asks, then deletes the selected entries and their files.
    void DeleteSelectedEntries();
    // The shared Delete command (TbDeleteClick): deletes the selected entries when the list has
    // the keyboard focus and returns true; otherwise does nothing and returns false.
    bool DeleteIfFocused();

    // Sorting: a click on a column header, and the View menu's "Sort Phonebook By" items, which
    // act as clicks on columns 0 to 3. Each installs its order and reloads the list.
    void PhoneListViewColumnClick(int column);
    void FirstName1Click() { PhoneListViewColumnClick(0); }
    void LastName1Click() { PhoneListViewColumnClick(1); }
    void HomeNumber1Click() { PhoneListViewColumnClick(2); }
    void EMail1Click() { PhoneListViewColumnClick(3); }
    PhonebookSortKey sortKey() const { return SortKey; }

    // The editor openings: New (File New Phonebook Entry, toolbar New while the list is shown),
    // Edit (toolbar Edit), double click (edits when exactly one entry is selected).
    void PhoneNewPbClick();
    void PhoneUpdatePbClick();
    void PhoneDeletePbClick() { DeleteSelectedEntries(); }
    void PhoneListViewDblClick();

    // Switches the edit and delete commands by whether anything is selected; a list hidden in
    // its window leaves them alone.
    void PhoneListViewSelectItem();

    // The rows' entries, top to bottom.
    int entryCount() const { return topLevelItemCount(); }
    const Phonebook_Entry_Type& entryAt(int row) const;
    QList<const Phonebook_Entry_Type*> selectedEntries() const;

    // The list's popup menu ("New...", "Edit...", "Delete...").
    QMenu* PhonePopup() const { return Popup; }

private:
    void setUp();
    void showPopup(const QPoint& pos);
    void syncPopup();
    void fitColumns();
    int insertPosition(const Phonebook_Entry_Type& entry) const;

    std::unique_ptr<PhonebookStore> OwnStore;
    PhonebookStore& Store;
    AppMessenger& Messenger;
    CommandSwitch& Commands;
    PhonebookSortKey SortKey = PhonebookSortKey::FirstName;

    QMenu* Popup = nullptr;
    QAction* PhoneNewPb = nullptr;
    QAction* PhoneUpdatePb = nullptr;
    QAction* PhoneDeletePb = nullptr;
};
