#include "phonebook/forms/PhoneListView.h"

#include "core/AppMessage.h"
#include "core/Commands.h"
#include "phonebook/forms/TPhoneBookForm.h"
#include "phonebook/store/PhonebookStore.h"

#include <QHeaderView>
#include <QMenu>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

namespace {

const QColor ListColour(255, 204, 102);
constexpr int LastNameWidth = 75;

// A row of the list; it owns its entry.
class PhoneListItem : public QTreeWidgetItem {
public:
    explicit PhoneListItem(Phonebook_Entry_Type entry)
        : QTreeWidgetItem(UserType), Entry(std::move(entry)) {
        setText(0, Entry.FirstName);
        setText(1, Entry.LastName);
        setText(2, Entry.HomeNumber);
        setText(3, Entry.EMail);
        setText(4, Entry.SecondNumber);
    }
    Phonebook_Entry_Type Entry;
};

const Phonebook_Entry_Type& entryOf(const QTreeWidgetItem* item) {
    return static_cast<const PhoneListItem*>(item)->Entry;
}

} // namespace

PhoneListView::PhoneListView(PhonebookStore& store, AppMessenger& messenger,
                             CommandSwitch& commands, QWidget* parent)
    : QTreeWidget(parent), Store(store), Messenger(messenger), Commands(commands) {
    setUp();
}

PhoneListView::PhoneListView(const QString& folder, AppMessenger& messenger,
                             CommandSwitch& commands, QWidget* parent)
    : QTreeWidget(parent), OwnStore(std::make_unique<PhonebookStore>(folder, messenger)),
      Store(*OwnStore), Messenger(messenger), Commands(commands) {
    setUp();
}

PhoneListView::~PhoneListView() = default;

void PhoneListView::setUp() {
    setObjectName(QStringLiteral("PhoneListView"));
    setToolTip(QStringLiteral("Phonebook"));
    setHeaderLabels({QStringLiteral("First Name"), QStringLiteral("Last Name"),
                     QStringLiteral("Home Number"), QStringLiteral("E-Mail"),
                     QStringLiteral("Second Number")});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    setColumnWidth(1, LastNameWidth);
    fitColumns();

    // The selection stays visible when the list loses the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ListColour);
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);

    Popup = new QMenu(this);
    Popup->setObjectName(QStringLiteral("PhonePopup"));
    PhoneNewPb = Popup->addAction(QStringLiteral("New..."), this, &PhoneListView::PhoneNewPbClick);
    PhoneNewPb->setObjectName(QStringLiteral("PhoneNewPb"));
    PhoneUpdatePb =
        Popup->addAction(QStringLiteral("Edit..."), this, &PhoneListView::PhoneUpdatePbClick);
    PhoneUpdatePb->setObjectName(QStringLiteral("PhoneUpdatePb"));
    PhoneDeletePb =
        Popup->addAction(QStringLiteral("Delete..."), this, &PhoneListView::PhoneDeletePbClick);
    PhoneDeletePb->setObjectName(QStringLiteral("PhoneDeletePb"));
    connect(Popup, &QMenu::aboutToShow, this, &PhoneListView::syncPopup);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &PhoneListView::showPopup);

    connect(this, &QTreeWidget::itemSelectionChanged, this,
            &PhoneListView::PhoneListViewSelectItem);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { PhoneListViewDblClick(); });
    connect(header(), &QHeaderView::sectionClicked, this, &PhoneListView::PhoneListViewColumnClick);
}

void PhoneListView::fitColumns() {
    for (int column : {0, 2, 3, 4})
        resizeColumnToContents(column);
}

void PhoneListView::LoadPhonebookList() {
    // The rows are built apart from the list and handed over in order at once: a message box
    // about an unreadable file can open halfway, and a list of thousands must not be re-sorted
    // once per row.
    clear();
    Store.forgetNames();
    const QStringList numbers = Store.listNumbers();
    std::vector<PhoneListItem*> rows;
    rows.reserve(numbers.size());
    for (const QString& number : numbers)
        rows.push_back(new PhoneListItem(Phonebook_Entry_Type(Store, number)));

    const PhonebookComparison compare = phonebookComparison(SortKey);
    std::stable_sort(rows.begin(), rows.end(), [compare](const auto* a, const auto* b) {
        return compare(a->Entry, b->Entry) < 0;
    });
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(rows.size()));
    for (PhoneListItem* row : rows)
        items.append(row);
    addTopLevelItems(items);
    fitColumns();
}

int PhoneListView::insertPosition(const Phonebook_Entry_Type& entry) const {
    const PhonebookComparison compare = phonebookComparison(SortKey);
    int low = 0;
    int high = topLevelItemCount();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (compare(entry, entryOf(topLevelItem(mid))) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

void PhoneListView::AddPhonebookItem(const Phonebook_Entry_Type& entry) {
    insertTopLevelItem(insertPosition(entry), new PhoneListItem(entry));
    fitColumns();
}

void PhoneListView::DeleteSelectedEntries() {
    const qsizetype selected = selectionModel()->selectedRows().size();
    if (selected == 0)
        return;
    const QString text = selected == 1
                             ? QStringLiteral("Are you sure you want to delete this entry?")
                             : QStringLiteral("Are you sure you want to delete these entries?");
    if (Messenger.ShowAppMessage(QStringLiteral("Delete confirmation"), text, mkQuestion,
                                 mbOKCancel) != mrOK)
        return;
    {
        // One selection update at the end, not one per removed row.
        const QSignalBlocker blocker(this);
        for (int row = topLevelItemCount() - 1; row >= 0; --row) {
            QTreeWidgetItem* item = topLevelItem(row);
            if (!item->isSelected())
                continue;
            Store.Erase(entryOf(item).HomeNumber);
            delete item;
        }
    }
    PhoneListViewSelectItem();
}

bool PhoneListView::DeleteIfFocused() {
    if (!hasFocus())
        return false;
    DeleteSelectedEntries();
    return true;
}

void PhoneListView::PhoneListViewColumnClick(int column) {
    if (const auto key = phonebookSortKeyForCaption(headerItem()->text(column)))
        SortKey = *key;
    LoadPhonebookList();
}

void PhoneListView::PhoneNewPbClick() {
    if (const auto entry = OpenNewPhonebookEntry(Store, Messenger, window()))
        AddPhonebookItem(*entry);
}

void PhoneListView::PhoneUpdatePbClick() {
    const QList<const Phonebook_Entry_Type*> selected = selectedEntries();
    if (selected.isEmpty())
        return;
    // The row may go while the dialog is open (a reload); keep the number, not the row.
    const QString number = selected.first()->HomeNumber;
    if (EditPhonebookEntry(Store, Messenger, number, window()))
        LoadPhonebookList();
}

void PhoneListView::PhoneListViewDblClick() {
    if (selectionModel()->selectedRows().size() == 1)
        PhoneUpdatePbClick();
}

void PhoneListView::PhoneListViewSelectItem() {
    // While the message list is shown in our place, Delete is the message list's: a reload of the
    // hidden phonebook (a sort chosen from the View menu) must not switch it.
    if (!isWindow() && isHidden())
        return;
    const bool any = selectionModel()->hasSelection();
    Commands.setCommandEnabled(Command::Delete, any);
    Commands.setCommandEnabled(Command::DeleteEntry, any);
    Commands.setCommandEnabled(Command::EditEntry, any);
}

const Phonebook_Entry_Type& PhoneListView::entryAt(int row) const {
    return entryOf(topLevelItem(row));
}

QList<const Phonebook_Entry_Type*> PhoneListView::selectedEntries() const {
    QList<const Phonebook_Entry_Type*> entries;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        if (topLevelItem(row)->isSelected())
            entries.append(&entryOf(topLevelItem(row)));
    }
    return entries;
}

void PhoneListView::syncPopup() {
    PhoneNewPb->setEnabled(Commands.isCommandEnabled(Command::NewPhonebookEntry));
    PhoneUpdatePb->setEnabled(Commands.isCommandEnabled(Command::EditEntry));
    PhoneDeletePb->setEnabled(Commands.isCommandEnabled(Command::DeleteEntry));
}

void PhoneListView::showPopup(const QPoint& pos) {
    Popup->popup(viewport()->mapToGlobal(pos));
}
