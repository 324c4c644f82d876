#include "messages/forms/TMessageListView.h"

#include "messages/forms/FormLook.h"
#include "messages/store/CallTime.h"
#include "messages/store/MessageList.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {
// Draws unread messages in bold and lets the view draw everything else as usual.
class UnreadDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(MessageList::UnreadRole).toBool())
            option->font.setBold(true);
    }
};
} // namespace

TMessageListView::TMessageListView(MessageList& messages, QWidget* parent)
    : QTreeView(parent), Messages(messages) {
    setObjectName(QStringLiteral("ListView"));
    setToolTip(QStringLiteral("Message List"));
    setWhatsThis(QStringLiteral("Message List"));
    setProperty("helpContext", HelpContext);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setItemDelegate(new UnreadDelegate(this));
    ApplyViewColours(this);
    setModel(&Messages);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    // The date and number columns are sized from text widths when the list is first shown: the
    // bold face of unread rows is then loaded only once the list is seen.
    setColumnWidth(MessageList::NameColumn, NameColumnWidth);
}

void TMessageListView::showEvent(QShowEvent* event) {
    if (!ColumnsSized) {
        ColumnsSized = true;
        sizeColumns();
    }
    QTreeView::showEvent(event);
}

void TMessageListView::sizeColumns() {
    // Sized from the widest text a column can hold rather than by measuring every row, so that
    // showing a large folder costs nothing extra.
    const QFontMetrics metrics(font());
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const CallTime::Formatter dates;
    const QString sampleDate =
        dates.format(CallTime::fromDateTime(QDateTime(QDate(2000, 12, 28), QTime(23, 58, 58))));
    const int pad = 2 * metrics.horizontalAdvance(QLatin1Char('M'));
    const int dateWidth = std::max(boldMetrics.horizontalAdvance(sampleDate),
                                   metrics.horizontalAdvance(QStringLiteral("Date")));
    const int numberWidth = std::max(boldMetrics.horizontalAdvance(QString(16, QLatin1Char('0'))),
                                     metrics.horizontalAdvance(QStringLiteral("Phone Number")));
    setColumnWidth(MessageList::DateColumn, dateWidth + pad);
    setColumnWidth(MessageList::NumberColumn, numberWidth + pad);
    setColumnWidth(MessageList::NameColumn, NameColumnWidth);
}

QList<int> TMessageListView::selectedRows() const {
    QList<int> rows;
    const QModelIndexList indexes = selectionModel()->selectedRows();
    rows.reserve(indexes.size());
    for (const QModelIndex& index : indexes)
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}
